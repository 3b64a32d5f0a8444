// The state of the game in play and the settings staged for the next one, shared by the turn
// controller, move input, the saved game and the dialogs.
#pragma once

#include "rules/board.h"
#include "rules/notation.h"

namespace zarvo {

// Turn state: no game in progress, the computer to move (and thinking), the human to move.
inline constexpr int kNoGame = 0;
inline constexpr int kComputerToMove = 1;
inline constexpr int kHumanToMove = 2;

extern int status;

// Settings of the game in play (the variant itself lives with the rules engine).
// first_player: 1 the computer moves first and plays red, 2 the human moves first and plays red.
extern char first_player;
// selected_level: 1 Easy, 2 Medium, 3 Hard.
extern char selected_level;

// The same settings staged by the dialogs (and by loading) for the next new game.
extern char new_first_player;
extern char new_selected_level;
extern char new_variant;

// The human's pending path and the last move played, both marked on the board.
extern MoveString newmove;
extern MoveString lastmove;

// The human's side letter: blue when the computer moves first, red otherwise.
inline char human_side() {
    return first_player == 1 ? kBlue : kRed;
}

// The computer's side letter: red when it moves first, blue otherwise.
inline char computer_side() {
    return first_player == 1 ? kRed : kBlue;
}

}  // namespace zarvo
