// The text that "Rules" shows: the rules of both variants, as the game has always worded them.
#pragma once

#include "rules/message.h"

namespace zarvo {

// Thirteen lines, each ended by a line break, the seventh empty; marked for translation.
inline constexpr const char* rules_text = N_(
    " Rules of Zarvo\n"
    "1. Each pion can be moved one square front, left or right.\n"
    "2. A pion can capture an oponent thas is in front, at the left or at the right by jumping on "
    "it.Consequtives captures can be done in the same move by the same pion.\n"
    "3. A pion that reaches at the last line of the board becames 'Zarvo'.\n"
    "4. A Zarvo can be moved many squares in all the directions horizontial and vertical.\n"
    "5. A Zarvo can capture one or more enemies in one move by jumping of them. Each jump of Zarvo "
    "ends right after the position of the captured enemy.\n"
    "\n"
    " Rules of Turkish Draughts\n"
    "1. Each pion can be moved one square front, left or right.\n"
    "2. A pion can capture an oponent thas is in front, at the left or at the right by jumping on "
    "it.Consequtives captures can be done in the same move by the same pion.\n"
    "3. A pion that reaches at the last line of the board becames 'Zarvo'.\n"
    "4. A Zarvo can be moved many squares in all the directions horizontial and vertical.\n"
    "5. A Zarvo can capture one or more enemies in one move by jumping on them. 6. If a capture is "
    "possible, it is obligatory for the player to play one of the moves that give the maximun "
    "number of captures.\n");

}  // namespace zarvo
