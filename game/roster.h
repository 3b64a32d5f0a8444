// Who played a game, as its PDN record names them: the person and the computer at its level by
// their colours, or two people.
#pragma once

#include <string>

#include "game/pdn.h"
#include "game/settings.h"
#include "rules/message.h"

namespace zarvo {

// The roster of a game played with `settings` that began on `date` (PDN's "YYYY.MM.DD", or empty
// when unknown): "You" and "Zarvo (Hard)" on the colours they played, or "Red player" and "Blue
// player" when two people shared the board; the names in the player's language through
// `translate`, since they are read by people.
PdnRoster game_roster(const GameSettings& settings, bool two_players, const std::string& date,
                      Translator translate = nullptr);

}  // namespace zarvo
