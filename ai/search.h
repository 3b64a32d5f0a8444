// The computer player: the budgeted game-tree search that scores its moves and plays the best.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ai/evaluate.h"
#include "ai/negamax.h"
#include "rules/board.h"
#include "rules/notation.h"

namespace zarvo {

// Search budget of the levels Easy, Medium and Hard.
inline constexpr std::array<int, 3> moves_per_level{2000, 3500, 10000};

// Scratch boards of the search: slot d holds the position after the move being scored at
// remaining depth d.
extern std::array<Board, kRootDepth + 1> new_tab;

// Move lists of the search: slot d holds the replies to the move being scored at remaining
// depth d. Made once at start-up; a list that outgrows its storage keeps the larger size.
extern std::array<MoveList, kRootDepth + 1> new_mov;

// The score of `move` (read up to ',' or the end) played by `side` on `board`, searched with
// `budget` at remaining depth `depth` (10 for a root move); `root_side` is the computer's side.
// A depth outside 0..10 is taken as the nearer end, a negative budget as 0.
int evaluate_move(const Board& board, char side, char root_side, std::string_view move, int budget,
                  int depth);

// Chooses the computer's move for `side` on the global table with `budget`, plays it there and
// leaves it in `result`; with no legal move, `result` is empty and the table is unchanged. Of
// equal best moves the first stands unless a later one wins its one-in-three draw of rand().
void computer_play(char side, int budget, MoveString& result);

// Handles the window's pending events while the computer thinks; the game sets it, and with
// none set nothing is pumped. It must not change the table, the variant or start a search.
// It is called after every root move, and between two moves deeper down once kPumpInterval
// moves have been searched since the last call (never while moves are being listed).
using EventHook = void (*)();
void set_event_hook(EventHook hook);

// Moves searched, at most, between two calls of the event hook inside one root move: a few
// milliseconds of work.
inline constexpr std::uint64_t kPumpInterval = 50000;

// Work done by the search since the counters were last reset.
struct SearchStats {
    // Moves tried, each one board copy and one move applied (calls of evaluate_move).
    std::uint64_t moves_searched = 0;
    // Positions scored statically.
    std::uint64_t static_evaluations = 0;
    // Calls of the event hook.
    std::uint64_t pumps = 0;
};
const SearchStats& search_stats();
void reset_search_stats();

}  // namespace zarvo
