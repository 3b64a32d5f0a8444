// Carrying out a move on a board: the steps, the captures they make, and crowning.
#pragma once

#include <string_view>

#include "rules/board.h"

namespace zarvo {

// Applies the move at the start of `move` (read up to the first ',' or the end) to `board`:
// each step moves the piece and removes what it jumps (the one square behind the landing in the
// Greek variant, the whole span in the Turkish), and a man that ends on its far rank is crowned.
// A malformed move string (a square off the board, an odd length, fewer than two squares, a step
// not along one rank or file, or onto its own square) is refused: the board is left untouched
// and the result is false.
bool play_move(Board& board, std::string_view move);

}  // namespace zarvo
