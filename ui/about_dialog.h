// "About": the game's name, its version and the project's address.
#pragma once

#include <gtkmm/dialog.h>
#include <gtkmm/label.h>

namespace zarvo {

// The project's web address, shown on the last line of "About".
inline constexpr const char* kProjectAddress = "https://zarvo.example.org/";

// The About dialog: three centred lines and "O.K.".
class AboutDialog : public Gtk::Dialog {
  public:
    explicit AboutDialog(Gtk::Window& parent);

  private:
    Gtk::Label text_;
};

}  // namespace zarvo
