// "Set variant": the rule variant staged for the next game.
#include "ui/variant_dialog.h"

#include <initializer_list>

#include "ui/dialogs.h"
#include "ui/modal_dialog.h"

namespace zarvo {

VariantDialog::VariantDialog(Gtk::Window& parent, Game& game)
    : Gtk::Dialog(_("Game variant"), parent, true), game_(game) {
    set_resizable(false);
    set_accessible_id(*this, "variant_dialog");
    set_accessible_id(greek_, "variant_greek");
    set_accessible_id(turkish_, "variant_turkish");

    Gtk::RadioButton::Group group = greek_.get_group();
    turkish_.set_group(group);

    Gtk::Box* area = get_content_area();
    for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{&prompt_, &greek_, &turkish_}) {
        area->pack_start(*w, Gtk::PACK_EXPAND_WIDGET);
    }
    set_accessible_id(*add_button(_("_OK"), Gtk::RESPONSE_OK), "variant_ok");

    greek_.set_active(game_.staged_settings().variant == Variant::Greek);
    turkish_.set_active(game_.staged_settings().variant == Variant::Turkish);

    signal_response().connect([this](int response) {
        if (response == Gtk::RESPONSE_OK) {
            stage_choice();
        }
    });
}

void VariantDialog::stage_choice() {
    GameSettings staged = game_.staged_settings();
    staged.variant = turkish_.get_active() ? Variant::Turkish : Variant::Greek;
    game_.stage_settings(staged);
}

void open_variant_dialog(Gtk::Window& parent, Game& game) {
    if (game.computer_thinking()) {
        return;
    }
    open_modal(new VariantDialog(parent, game));
}

}  // namespace zarvo
