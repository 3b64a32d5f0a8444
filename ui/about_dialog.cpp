// "About": the game's name, its version and the project's address.
#include "ui/about_dialog.h"

#include "i18n/translation.h"
#include "ui/dialogs.h"
#include "ui/modal_dialog.h"

namespace zarvo {

AboutDialog::AboutDialog(Gtk::Window& parent)
    : Gtk::Dialog(_("About Zarvo"), parent, true),
      text_(Glib::ustring(_("Zarvo game\n Version of 26 July 2002\n ")) + kProjectAddress) {
    set_resizable(false);
    set_accessible_id(*this, "about_dialog");
    set_accessible_id(text_, "about_text");
    // The lines are centred against each other, as labels of this game always were.
    text_.set_justify(Gtk::JUSTIFY_CENTER);
    get_content_area()->pack_start(text_, Gtk::PACK_EXPAND_WIDGET);
    set_accessible_id(*add_button(_("_O.K."), Gtk::RESPONSE_CLOSE), "about_ok");
}

void open_about_dialog(Gtk::Window& parent) {
    open_modal(new AboutDialog(parent));
}

}  // namespace zarvo
