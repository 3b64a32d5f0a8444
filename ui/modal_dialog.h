// What the four dialogs share: showing one modal over the main window, deleting it once it is
// answered or closed, and naming its widgets for assistive tools.
#pragma once

#include <gtkmm/dialog.h>
#include <gtkmm/widget.h>

namespace zarvo {

// Shows a dialog made with new, already modal and transient for the main window, and deletes it
// once a button answers it or the frame closes it; the dialog's own response handlers run first.
void open_modal(Gtk::Dialog* dialog);

// Gives a widget a stable name and accessible id, so the tests that drive the window find it.
void set_accessible_id(Gtk::Widget& widget, const char* id);

}  // namespace zarvo
