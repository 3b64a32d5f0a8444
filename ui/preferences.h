// What the player chose in the Options and View menus, remembered between runs in one key file
// under the user's configuration directory.
#pragma once

#include <string>

namespace zarvo {

// The remembered choices, with the values a new player starts with. The game's own settings
// (level, who opens, variant) are not among them: they start from fixed values every run.
struct Preferences {
    bool show_legal_moves = false;
    bool play_complete_moves = false;
    bool animate_moves = true;
    bool two_players = false;
    bool smooth_pieces = false;
    bool move_list_shown = false;
    // The board's magnification: 1, 2 or 3.
    int zoom = 1;

    friend bool operator==(const Preferences&, const Preferences&) = default;
};

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 3;

// Where the preferences live: zarvo/preferences.ini under the XDG configuration directory.
std::string preferences_path();

// Reads the preferences; a missing or damaged file, or a value out of range, gives the defaults
// for what it cannot supply, silently.
Preferences load_preferences(const std::string& path);

// Writes the preferences (the file is replaced whole, or left as it was); false on failure.
bool save_preferences(const Preferences& preferences, const std::string& path);

}  // namespace zarvo
