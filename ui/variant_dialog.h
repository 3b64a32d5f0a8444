// "Set variant": the rule variant staged for the next game.
#pragma once

#include <gtkmm/dialog.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

#include "game/game.h"
#include "i18n/translation.h"

namespace zarvo {

// The variant dialog; its buttons start from the staged variant and "OK" writes it back.
class VariantDialog : public Gtk::Dialog {
  public:
    VariantDialog(Gtk::Window& parent, Game& game);

  private:
    // "OK": stages the chosen variant for the next game.
    void stage_choice();

    Game& game_;
    Gtk::Label prompt_{_("Select variant:")};
    Gtk::RadioButton greek_{_("_Zarvo"), true};
    Gtk::RadioButton turkish_{_("_Turkish Draughts"), true};
};

}  // namespace zarvo
