// "Set variant": the rule variant staged for the next game.
#pragma once

#include <gtkmm/dialog.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

namespace zarvo {

// The variant dialog; its buttons start from the staged variant and "OK" writes it back.
class VariantDialog : public Gtk::Dialog {
  public:
    explicit VariantDialog(Gtk::Window& parent);

    // The "OK" handler: stages the chosen variant for the next game.
    void setvariantok();

  private:
    Gtk::Label prompt_{"Select variant:"};
    Gtk::RadioButton rgreekvariant{"Zarvo"};
    Gtk::RadioButton rturkvariant{"Turkish Draughts"};
};

}  // namespace zarvo
