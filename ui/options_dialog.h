// "Set options": the level and who moves first, staged for the next game.
#pragma once

#include <gtkmm/checkbutton.h>
#include <gtkmm/dialog.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

namespace zarvo {

// The options dialog; its buttons start from the staged settings and "OK" writes them back.
class OptionsDialog : public Gtk::Dialog {
  public:
    explicit OptionsDialog(Gtk::Window& parent);

    // The "OK" handler: stages the chosen level and first player for the next game.
    void settingsok();

  private:
    Gtk::Label level_label_{"CPU level:"};
    Gtk::RadioButton reasy{"Easy"};
    Gtk::RadioButton rmedium{"Medium"};
    Gtk::RadioButton rhard{"Hard"};
    Gtk::Label spacer_{""};
    Gtk::CheckButton rfirst{"CPU plays first            "};
};

}  // namespace zarvo
