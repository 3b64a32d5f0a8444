// "Set options": the level and who moves first, staged for the next game.
#include "ui/options_dialog.h"

#include <initializer_list>

#include "game/state.h"
#include "ui/dialogs.h"
#include "ui/modal_dialog.h"

namespace zarvo {

OptionsDialog::OptionsDialog(Gtk::Window& parent) : Gtk::Dialog("Zarvo options", parent, true) {
    set_resizable(false);
    set_accessible_id(*this, "options_dialog");
    set_accessible_id(reasy, "level_easy");
    set_accessible_id(rmedium, "level_medium");
    set_accessible_id(rhard, "level_hard");
    set_accessible_id(rfirst, "cpu_first");

    Gtk::RadioButton::Group group = reasy.get_group();
    rmedium.set_group(group);
    rhard.set_group(group);

    Gtk::Box* area = get_content_area();
    for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{&level_label_, &reasy, &rmedium,
                                                              &rhard, &spacer_, &rfirst}) {
        area->pack_start(*w, Gtk::PACK_EXPAND_WIDGET);
    }
    set_accessible_id(*add_button("OK", Gtk::RESPONSE_OK), "options_ok");

    reasy.set_active(new_selected_level == 1);
    rmedium.set_active(new_selected_level == 2);
    rhard.set_active(new_selected_level == 3);
    rfirst.set_active(new_first_player == 1);

    signal_response().connect([this](int response) {
        if (response == Gtk::RESPONSE_OK) {
            settingsok();
        }
    });
}

void OptionsDialog::settingsok() {
    new_selected_level = reasy.get_active() ? 1 : rmedium.get_active() ? 2 : 3;
    new_first_player = rfirst.get_active() ? 1 : 2;
}

void settings(Gtk::Window& parent) {
    if (status == kComputerToMove) {
        return;
    }
    open_modal(new OptionsDialog(parent));
}

}  // namespace zarvo
