// "Set variant": the rule variant staged for the next game.
#include "ui/variant_dialog.h"

#include <initializer_list>

#include "game/state.h"
#include "ui/dialogs.h"
#include "ui/modal_dialog.h"

namespace zarvo {

VariantDialog::VariantDialog(Gtk::Window& parent) : Gtk::Dialog("Game variant", parent, true) {
    set_resizable(false);
    set_accessible_id(*this, "variant_dialog");
    set_accessible_id(rgreekvariant, "variant_greek");
    set_accessible_id(rturkvariant, "variant_turkish");

    Gtk::RadioButton::Group group = rgreekvariant.get_group();
    rturkvariant.set_group(group);

    Gtk::Box* area = get_content_area();
    for (Gtk::Widget* w :
         std::initializer_list<Gtk::Widget*>{&prompt_, &rgreekvariant, &rturkvariant}) {
        area->pack_start(*w, Gtk::PACK_EXPAND_WIDGET);
    }
    set_accessible_id(*add_button("OK", Gtk::RESPONSE_OK), "variant_ok");

    rgreekvariant.set_active(new_variant == 0);
    rturkvariant.set_active(new_variant == 1);

    signal_response().connect([this](int response) {
        if (response == Gtk::RESPONSE_OK) {
            setvariantok();
        }
    });
}

void VariantDialog::setvariantok() {
    if (rgreekvariant.get_active()) {
        new_variant = 0;
    } else if (rturkvariant.get_active()) {
        new_variant = 1;
    }
}

void setvariant(Gtk::Window& parent) {
    if (status == kComputerToMove) {
        return;
    }
    open_modal(new VariantDialog(parent));
}

}  // namespace zarvo
