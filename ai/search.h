// The computer player: static evaluation and the budgeted game-tree search that picks its move.
#pragma once

#include <array>
#include <string_view>

#include "rules/board.h"
#include "rules/notation.h"

namespace zarvo {

// Search budget of the levels Easy, Medium and Hard.
inline constexpr std::array<int, 3> moves_per_level{2000, 3500, 10000};

// The static score of a board for one side: 5000 is even; the two sides' scores add to 10000.
int fast_evaluate(const Board& board, char side);

// The score of `move` (read up to ',' or the end) played by `side` on `board`, searched with
// `budget` at remaining depth `depth` (10 for a root move); `root_side` is the computer's side.
int evaluate_move(const Board& board, char side, char root_side, std::string_view move,
                  int budget, int depth);

// Chooses the computer's move for `side` on the global table with `budget`, plays it there and
// leaves it in `result`; with no legal move, `result` is empty and the table is unchanged.
void computer_play(char side, int budget, MoveString& result);

// Handles the window's pending events while the computer thinks; the game sets it, and with
// none set nothing is pumped. It must not change the table, the variant or start a search.
using EventHook = void (*)();
void set_event_hook(EventHook hook);

}  // namespace zarvo
