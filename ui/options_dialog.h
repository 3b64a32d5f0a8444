// "Set options": the level and who moves first, staged for the next game.
#pragma once

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
    // "OK": stages the chosen level and first player for the next game.
    void stage_choices();

    Game& game_;
    Gtk::Label level_label_{_("CPU level:")};
    Gtk::RadioButton easy_{_("_Easy"), true};
    Gtk::RadioButton medium_{_("_Medium"), true};
    Gtk::RadioButton hard_{_("_Hard"), true};
    Gtk::Label spacer_{""};
    Gtk::CheckButton computer_first_{_("CPU plays _first            "), true};
};

}  // namespace zarvo
