// Showing a dialog modal over the main window and letting it go once it is answered.
#include "ui/modal_dialog.h"

#include <atk/atk.h>
#include <glibmm/main.h>

namespace zarvo {

void open_modal(Gtk::Dialog* dialog) {
    // Closing from the frame is answered like any button, without letting the toolkit destroy
    // the window under the C++ object that owns it.
    dialog->signal_delete_event().connect(
        [dialog](GdkEventAny*) {
            dialog->response(Gtk::RESPONSE_DELETE_EVENT);
            return true;
        },
        false);
    dialog->signal_response().connect([dialog](int) {
        // A second answer can come in before the first is handled (a double click).
        if (!dialog->get_visible()) {
            return;
        }
        // Hiding ends the modal grab at once; the dialog is deleted after this handler has
        // returned, since its own signal is still being emitted here.
        dialog->hide();
        Glib::signal_idle().connect_once([dialog] { delete dialog; });
    });
    dialog->show_all();
}

void set_accessible_id(Gtk::Widget& widget, const char* id) {
    widget.set_name(id);
    atk_object_set_accessible_id(gtk_widget_get_accessible(widget.gobj()), id);
}

}  // namespace zarvo
