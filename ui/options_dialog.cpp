// "Set options": the level and who moves first, staged for the next game.
#include "ui/options_dialog.h"

#include <initializer_list>

#include "ui/dialogs.h"
#include "ui/modal_dialog.h"

namespace zarvo {

OptionsDialog::OptionsDialog(Gtk::Window& parent, Game& game)
    : Gtk::Dialog(_("Zarvo options"), parent, true), game_(game) {
    set_resizable(false);
    set_accessible_id(*this, "options_dialog");
    set_accessible_id(easy_, "level_easy");
    set_accessible_id(medium_, "level_medium");
    set_accessible_id(hard_, "level_hard");
    set_accessible_id(computer_first_, "cpu_first");

    Gtk::RadioButton::Group group = easy_.get_group();
    medium_.set_group(group);
    hard_.set_group(group);

    Gtk::Box* area = get_content_area();
    for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{&level_label_, &easy_, &medium_,
                                                              &hard_, &spacer_, &computer_first_}) {
        area->pack_start(*w, Gtk::PACK_EXPAND_WIDGET);
    }
    set_accessible_id(*add_button(_("_OK"), Gtk::RESPONSE_OK), "options_ok");

    const GameSettings& staged = game_.staged_settings();
    easy_.set_active(staged.level == Level::Easy);
    medium_.set_active(staged.level == Level::Medium);
    hard_.set_active(staged.level == Level::Hard);
    computer_first_.set_active(staged.first_player == FirstPlayer::Computer);

    signal_response().connect([this](int response) {
        if (response == Gtk::RESPONSE_OK) {
            stage_choices();
        }
    });
}

void OptionsDialog::stage_choices() {
    GameSettings staged = game_.staged_settings();
    staged.level = easy_.get_active()     ? Level::Easy
                   : medium_.get_active() ? Level::Medium
                                          : Level::Hard;
    staged.first_player = computer_first_.get_active() ? FirstPlayer::Computer : FirstPlayer::Human;
    game_.stage_settings(staged);
}

void open_options_dialog(Gtk::Window& parent, Game& game) {
    if (game.computer_thinking()) {
        return;
    }
    open_modal(new OptionsDialog(parent, game));
}

}  // namespace zarvo
