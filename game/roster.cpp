#include "game/roster.h"

#include <cstddef>

namespace zarvo {

PdnRoster game_roster(const GameSettings& settings, bool two_players, const std::string& date,
                      Translator translate) {
    const auto text = [translate](const char* english) { return Message(english).text(translate); };
    PdnRoster roster;
    if (!date.empty()) {
        roster.date = date;
    }
    // Red is White in the record, since red moves first.
    if (two_players) {
        roster.red_player = text(N_("Red player"));
        roster.blue_player = text(N_("Blue player"));
        return roster;
    }
    static constexpr const char* kLevels[] = {N_("Zarvo (Easy)"), N_("Zarvo (Medium)"),
                                              N_("Zarvo (Hard)"), N_("Zarvo (Expert)")};
    const std::string computer = text(kLevels[static_cast<std::size_t>(settings.level) - 1]);
    const bool human_red = human_side(settings.first_player) == Side::Red;
    roster.red_player = human_red ? text(N_("You")) : computer;
    roster.blue_player = human_red ? computer : text(N_("You"));
    return roster;
}

}  // namespace zarvo
