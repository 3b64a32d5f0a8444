// "Set options": the level (and the Expert's thinking time) and who moves first, staged for the
// next game.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/dialog.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

#include "game/game.h"
#include "i18n/translation.h"

namespace zarvo {

// The options dialog; its buttons start from the staged settings and "OK" writes them back.
class OptionsDialog : public Gtk::Dialog {
  public:
    OptionsDialog(Gtk::Window& parent, Game& game);

  private:
    // "OK": stages the chosen level, thinking time and first player for the next game.
    void stage_choices();
    // The thinking times are for the Expert alone: they can be chosen while it is.
    void enable_thinking_times();

    Game& game_;
    Gtk::Label level_label_{_("CPU level:")};
    Gtk::RadioButton easy_{_("_Easy"), true};
    Gtk::RadioButton medium_{_("_Medium"), true};
    Gtk::RadioButton hard_{_("_Hard"), true};
    Gtk::RadioButton expert_{_("E_xpert"), true};
    // The Expert's thinking time per move, in the order of kExpertThinkingTimes.
    Gtk::Box thinking_box_{Gtk::ORIENTATION_HORIZONTAL, 6};
    Gtk::Label thinking_label_{_("Expert's time per move:")};
    Gtk::RadioButton thinking_times_[3]{Gtk::RadioButton{_("_1 s"), true},
                                        Gtk::RadioButton{_("_3 s"), true},
                                        Gtk::RadioButton{_("1_0 s"), true}};
    Gtk::Label spacer_{""};
    Gtk::CheckButton computer_first_{_("CPU plays _first            "), true};
};

}  // namespace zarvo
