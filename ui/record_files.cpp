#include "ui/record_files.h"

#include <glibmm/miscutils.h>
#include <gtkmm/filefilter.h>

#include <chrono>

#include "game/roster.h"
#include "i18n/translation.h"

namespace zarvo {

RecordFiles::RecordFiles(Gtk::Window& parent, const Game& game,
                         std::function<void(const PdnGame&)> opened,
                         std::function<void(const std::string&)> refused)
    : parent_(parent), game_(game), opened_(std::move(opened)), refused_(std::move(refused)) {}

Glib::RefPtr<Gtk::FileChooserNative> RecordFiles::chooser(const Glib::ustring& title,
                                                          Gtk::FileChooserAction action,
                                                          const Glib::ustring& accept) {
    Glib::RefPtr<Gtk::FileChooserNative> chooser =
        Gtk::FileChooserNative::create(title, parent_, action, accept, _("_Cancel"));
    const Glib::RefPtr<Gtk::FileFilter> pdn = Gtk::FileFilter::create();
    pdn->set_name(_("PDN files"));
    pdn->add_pattern("*.pdn");
    chooser->add_filter(pdn);
    // Beside the saved game, in the folder the game runs in.
    chooser->set_current_folder(Glib::get_current_dir());
    return chooser;
}

void RecordFiles::open() {
    if (game_.computer_thinking()) {
        return;
    }
    chooser_ = chooser(_("Open record"), Gtk::FILE_CHOOSER_ACTION_OPEN, _("_Open"));
    chooser_->signal_response().connect([this](int response) {
        const std::string path = chooser_->get_filename();
        chooser_.reset();
        if (response != Gtk::RESPONSE_ACCEPT || path.empty() || game_.computer_thinking()) {
            return;
        }
        const auto read = read_pdn_file(path);
        if (const PdnError* error = std::get_if<PdnError>(&read)) {
            refused_(error->status_text(translate));
            return;
        }
        const PdnGame& first = std::get<std::vector<PdnGame>>(read).front();
        opened_(first);
        game_began(std::string(first.tag("Date").value_or("")));
    });
    chooser_->show();
}

bool RecordFiles::can_save() const {
    return game_.turn() != Turn::None || game_.outcome().has_value();
}

void RecordFiles::save() {
    if (!can_save()) {
        return;
    }
    chooser_ = chooser(_("Save record as"), Gtk::FILE_CHOOSER_ACTION_SAVE, _("_Save"));
    chooser_->set_do_overwrite_confirmation(true);
    chooser_->set_current_name("zarvo-game.pdn");
    chooser_->signal_response().connect([this](int response) {
        const std::string path = chooser_->get_filename();
        chooser_.reset();
        if (response != Gtk::RESPONSE_ACCEPT || path.empty()) {
            return;
        }
        const PdnRoster roster =
            game_roster(game_.settings(), game_.two_players(), date_, translate);
        if (!write_pdn_file(path, roster, game_.record())) {
            refused_(_("Could not save the record"));
        }
    });
    chooser_->show();
}

void RecordFiles::game_began(std::string date) {
    if (date.empty()) {
        const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
        date = pdn_date(std::chrono::year_month_day(today));
    }
    date_ = std::move(date);
}

}  // namespace zarvo
