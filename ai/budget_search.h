// The computer player of the levels Easy, Medium and Hard: a game-tree search whose size is
// bounded by a budget of moves rather than by depth, that scores the computer's moves and chooses
// the best, equal best moves settled by chance.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>

#include "ai/evaluate.h"
#include "ai/negamax.h"
#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

// Where the budgeted levels draw chance from: the C library's rand(), which the game seeds once
// at start-up, so a run started with the same seed and played the same way makes the same
// choices. Tests and tools may pass another source.
using RandomDraw = std::function<int()>;
int c_library_draw();

// Work done by a search since its counters were last reset.
struct SearchStats {
    // Moves tried, each one position built or scored from its parent.
    std::uint64_t moves_searched = 0;
    // Positions scored statically.
    std::uint64_t static_evaluations = 0;
    // Times the search looked whether it should stop.
    std::uint64_t stop_checks = 0;
};

// Moves searched, at most, between two looks at the stop request inside one root move: a few
// milliseconds of work. The search also looks after every root move.
inline constexpr std::uint64_t kStopCheckInterval = 50000;

// One budgeted search with its own scratch positions, move lists and statistics, so that
// searches on different threads never share anything. Reusable: the lists keep their storage
// from one search to the next and nothing is taken from the heap while searching.
class BudgetSearch {
  public:
    BudgetSearch() = default;
    BudgetSearch(const BudgetSearch&) = delete;
    BudgetSearch& operator=(const BudgetSearch&) = delete;

    // Chooses the move of `side` in `position` with `budget`: every move is scored with an even
    // share of the budget and the best is taken; of equal best moves the first stands unless a
    // later one wins its one-in-three draw. Nothing when the side has no legal move. When `stop`
    // is requested the search ends early and its answer means nothing.
    std::optional<Move> choose_move(const Position& position, Side side, int budget,
                                    const RandomDraw& draw = c_library_draw,
                                    std::stop_token stop = {});

    // The score of `move`, played by `side` from `before`, searched with `budget` at remaining
    // depth `depth` (kRootDepth for a root move); `root_side` is the computer's side. A depth
    // outside 0..kRootDepth is taken as the nearer end, a negative budget as 0.
    int score_move(const Position& before, Side side, Side root_side, const Move& move, int budget,
                   int depth);

    const SearchStats& stats() const { return stats_; }
    void reset_stats() { stats_ = {}; }

    // Called at every look at the stop request (a measuring tool times the gaps between them).
    std::function<void()> on_stop_check;

  private:
    class Tree;

    // Looks whether the search should stop; true to go on.
    bool check_stop();
    // After each scored reply: looks again once kStopCheckInterval moves have been searched
    // since the last look; true to go on.
    bool keep_going();

    // Scratch positions: slot d holds the position after the move being scored at remaining
    // depth d, with red's lead on it.
    std::array<Position, kRootDepth + 1> scratch_{};
    std::array<int, kRootDepth + 1> scratch_lead_{};
    // Replies listed at each remaining depth, and the root moves.
    std::array<MoveList, kRootDepth + 1> replies_;
    MoveList root_moves_;
    SearchStats stats_;
    std::uint64_t searched_at_last_check_ = 0;
    std::stop_token stop_;
    // Whether a look found the stop requested: the search then unwinds without looking again.
    bool stopped_ = false;
};

}  // namespace zarvo
