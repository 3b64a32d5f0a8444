// The legal moves of a side in either variant, and the legality test of a player's path.
#pragma once

#include <string_view>

#include "rules/board.h"
#include "rules/notation.h"

namespace zarvo {

// Writes the legal moves of `side` ('O' or 'X') on `board` into `list` and returns their count.
// Plain moves come first in scan order (file a to h, rank 8 to 1 within a file); in the Greek
// variant every capture path follows, in the Turkish variant the longest captures replace
// everything when any capture exists. With `prune` non-zero, a Turkish king that landed beyond
// the first square does not jump on in the same direction (the same captures stay reachable).
// Not re-entrant: the capture paths are gathered in one shared buffer.
int generate_moves(const Board& board, char side, MoveList& list, char prune);

// Appends to `list` every capture path that continues `path` (whose last square holds the moving
// piece on `board`), depth first, and returns how many it appended. `reach` is 1 for a man and 6
// for a king; directions `excluded1` and `excluded2` (or -1) are not tried.
int generate_attacks(std::string_view path, const Board& board, int reach, MoveList& list,
                     int excluded1, int excluded2, char prune);

// Keeps only the longest entries of a non-empty move list, in order; returns how many it removed.
int clear_attacks(MoveList& list);

// 1 when `path` is exactly one whole legal move of `side` on `board` (every landing choice
// counted), 0 otherwise.
int check_legal(const Board& board, char side, std::string_view path);

// The number of legal moves of `side` on `board`, as the computer lists them: non-zero when the
// side can move.
int check_if_can_play(const Board& board, char side);

}  // namespace zarvo
