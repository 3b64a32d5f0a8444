// "Rules": the rules of both variants in a scrolled, read-only view.
#pragma once

#include <gtkmm/dialog.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

namespace zarvo {

// The Rules dialog: the whole rules text, word-wrapped, 400 × 350 pixels, and "O.K.".
class RulesDialog : public Gtk::Dialog {
  public:
    explicit RulesDialog(Gtk::Window& parent);

  private:
    Gtk::ScrolledWindow scroller_;
    Gtk::TextView text_;
};

}  // namespace zarvo
