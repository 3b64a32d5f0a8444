// "Rules": the rules of both variants in a scrolled, read-only view.
#include "ui/rules_dialog.h"

#include <gtkmm/adjustment.h>

#include "i18n/translation.h"
#include "ui/dialogs.h"
#include "ui/modal_dialog.h"
#include "ui/rules_text.h"

namespace zarvo {

RulesDialog::RulesDialog(Gtk::Window& parent)
    : Gtk::Dialog(_("Zarvo rules"), parent, true),
      scroller_(Glib::RefPtr<Gtk::Adjustment>(), Gtk::Adjustment::create(0, 0, 100, 10, 25, 25)) {
    set_size_request(400, 350);
    set_accessible_id(*this, "rules_dialog");
    set_accessible_id(text_, "rules_text");

    scroller_.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    text_.set_wrap_mode(Gtk::WRAP_WORD);
    text_.set_editable(false);
    text_.set_cursor_visible(false);
    text_.get_buffer()->set_text(_(rules_text));

    set_accessible_id(*add_button(_("_O.K."), Gtk::RESPONSE_CLOSE), "rules_ok");
    scroller_.add(text_);
    get_content_area()->pack_start(scroller_, Gtk::PACK_EXPAND_WIDGET);
}

void open_rules_dialog(Gtk::Window& parent) {
    open_modal(new RulesDialog(parent));
}

}  // namespace zarvo
