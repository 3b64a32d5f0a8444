#include "ui/preferences.h"

#include <glibmm/fileutils.h>
#include <glibmm/keyfile.h>
#include <glibmm/miscutils.h>

namespace zarvo {

namespace {

constexpr const char* kGroup = "Zarvo";

// Reads one boolean, keeping the default when it is missing or not a boolean.
void read_flag(const Glib::KeyFile& file, const char* key, bool& value) {
    try {
        value = file.get_boolean(kGroup, key);
    } catch (const Glib::Error&) {
    }
}

}  // namespace

std::string preferences_path() {
    return Glib::build_filename(Glib::get_user_config_dir(), "zarvo", "preferences.ini");
}

Preferences load_preferences(const std::string& path) {
    Preferences p;
    Glib::KeyFile file;
    try {
        if (!file.load_from_file(path)) {
            return p;
        }
    } catch (const Glib::Error&) {
        return p;
    }
    read_flag(file, "show-legal-moves", p.show_legal_moves);
    read_flag(file, "play-complete-moves", p.play_complete_moves);
    read_flag(file, "animate-moves", p.animate_moves);
    read_flag(file, "two-players", p.two_players);
    read_flag(file, "smooth-pieces", p.smooth_pieces);
    read_flag(file, "move-list", p.move_list_shown);
    try {
        const int zoom = file.get_integer(kGroup, "zoom");
        if (zoom >= kMinZoom && zoom <= kMaxZoom) {
            p.zoom = zoom;
        }
    } catch (const Glib::Error&) {
    }
    return p;
}

bool save_preferences(const Preferences& p, const std::string& path) {
    Glib::KeyFile file;
    file.set_boolean(kGroup, "show-legal-moves", p.show_legal_moves);
    file.set_boolean(kGroup, "play-complete-moves", p.play_complete_moves);
    file.set_boolean(kGroup, "animate-moves", p.animate_moves);
    file.set_boolean(kGroup, "two-players", p.two_players);
    file.set_boolean(kGroup, "smooth-pieces", p.smooth_pieces);
    file.set_boolean(kGroup, "move-list", p.move_list_shown);
    file.set_integer(kGroup, "zoom", p.zoom);
    try {
        const std::string dir = Glib::path_get_dirname(path);
        if (g_mkdir_with_parents(dir.c_str(), 0700) != 0) {
            return false;
        }
        // Written to a temporary file and renamed over the old one.
        return file.save_to_file(path);
    } catch (const Glib::Error&) {
        return false;
    }
}

}  // namespace zarvo
