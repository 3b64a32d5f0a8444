// "Set options": the level (and the Expert's thinking time) and who moves first, staged for the
// next game.
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
    set_accessible_id(expert_, "level_expert");
    static constexpr const char* kThinkingIds[] = {"thinking_1s", "thinking_3s", "thinking_10s"};
    for (std::size_t i = 0; i < kExpertThinkingTimes.size(); ++i) {
        set_accessible_id(thinking_times_[i], kThinkingIds[i]);
    }
    set_accessible_id(computer_first_, "cpu_first");

    Gtk::RadioButton::Group group = easy_.get_group();
    medium_.set_group(group);
    hard_.set_group(group);
    expert_.set_group(group);
    Gtk::RadioButton::Group times = thinking_times_[0].get_group();
    thinking_box_.pack_start(thinking_label_, Gtk::PACK_SHRINK);
    for (Gtk::RadioButton& time : thinking_times_) {
        time.set_group(times);
        thinking_box_.pack_start(time, Gtk::PACK_SHRINK);
    }
    // Set in from the level buttons' left edge, under the Expert it belongs to.
    thinking_box_.set_margin_start(24);

    Gtk::Box* area = get_content_area();
    for (Gtk::Widget* w :
         std::initializer_list<Gtk::Widget*>{&level_label_, &easy_, &medium_, &hard_, &expert_,
                                             &thinking_box_, &spacer_, &computer_first_}) {
        area->pack_start(*w, Gtk::PACK_EXPAND_WIDGET);
    }
    set_accessible_id(*add_button(_("_OK"), Gtk::RESPONSE_OK), "options_ok");

    const GameSettings& staged = game_.staged_settings();
    easy_.set_active(staged.level == Level::Easy);
    medium_.set_active(staged.level == Level::Medium);
    hard_.set_active(staged.level == Level::Hard);
    expert_.set_active(staged.level == Level::Expert);
    for (std::size_t i = 0; i < kExpertThinkingTimes.size(); ++i) {
        thinking_times_[i].set_active(staged.expert_thinking_time == kExpertThinkingTimes[i]);
    }
    enable_thinking_times();
    expert_.signal_toggled().connect([this] { enable_thinking_times(); });
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
                   : hard_.get_active()   ? Level::Hard
                                          : Level::Expert;
    for (std::size_t i = 0; i < kExpertThinkingTimes.size(); ++i) {
        if (thinking_times_[i].get_active()) {
            staged.expert_thinking_time = kExpertThinkingTimes[i];
        }
    }
    staged.first_player = computer_first_.get_active() ? FirstPlayer::Computer : FirstPlayer::Human;
    game_.stage_settings(staged);
}

void OptionsDialog::enable_thinking_times() {
    thinking_box_.set_sensitive(expert_.get_active());
}

void open_options_dialog(Gtk::Window& parent, Game& game) {
    if (game.computer_thinking()) {
        return;
    }
    open_modal(new OptionsDialog(parent, game));
}

}  // namespace zarvo
