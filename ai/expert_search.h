// The Expert: the computer's strongest level. It searches deeper and deeper until its thinking
// time is spent (iterative deepening), each depth by principal variation search with a table of
// positions already searched, ordered moves, a capture search at the end of every line so that no
// exchange is cut in half, and repeated positions scored as draws. Its own evaluation is in
// expert_eval.h; the rules are the game's own.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "ai/expert_eval.h"
#include "ai/transposition_table.h"
#include "rules/board.h"
#include "rules/move.h"
#include "rules/piece_bits.h"

namespace zarvo {

// The deepest iteration the Expert starts, and the most half-moves a line may reach with its
// extensions and capture search.
inline constexpr int kExpertMaxDepth = 64;
inline constexpr int kExpertMaxPly = 128;

// A side that will have taken every enemy piece after N more half-moves scores kExpertWin - N
// (and the side that loses the negative); every other score lies well within kExpertDecided.
inline constexpr int kExpertWin = 30000;
inline constexpr int kExpertDecided = kExpertWin - 1000;

// Whether a score says the game is won (or lost) by force, and in how many half-moves.
constexpr bool is_decided(int score) {
    return score >= kExpertDecided || score <= -kExpertDecided;
}
constexpr int plies_to_end(int score) {
    return kExpertWin - (score < 0 ? -score : score);
}

// The memory of the Expert's table when none is given: 16 MB.
inline constexpr std::size_t kExpertTableMegabytes = 16;

using ExpertClock = std::chrono::steady_clock;

// How long the Expert may think: a time per move, a depth, or both (whichever ends first). With
// neither it searches until it is stopped or has reached kExpertMaxDepth.
struct ExpertLimits {
    std::optional<ExpertClock::duration> time;
    int depth = kExpertMaxDepth;
    // Whether a side with a single legal move plays it without searching (as in a game); analysis
    // turns this off to see the score.
    bool single_move_at_once = true;

    static ExpertLimits thinking_time(ExpertClock::duration t) { return {t, kExpertMaxDepth}; }
    static ExpertLimits to_depth(int depth) { return {std::nullopt, depth}; }
};

// What one completed iteration found: the best line and its score from the side to move's view,
// the positions searched so far and the time taken so far.
struct ExpertIteration {
    int depth = 0;
    int score = 0;
    std::uint64_t nodes = 0;
    ExpertClock::duration elapsed{};
    std::span<const Move> pv;
};

// Told of every completed iteration, on the searching thread.
using IterationReport = std::function<void(const ExpertIteration&)>;

// The outcome of the last search: the deepest iteration completed and its score, the positions
// searched, and the time taken.
struct ExpertStats {
    int depth = 0;
    int score = 0;
    std::uint64_t nodes = 0;
    ExpertClock::duration elapsed{};
};

// One Expert player with its own table, lists and statistics, so that two of them can search on
// two threads at once. The memory is taken when it is made; searching takes nothing more (unless
// a position has more moves than any game reaches).
class ExpertSearch {
  public:
    explicit ExpertSearch(std::size_t table_megabytes = kExpertTableMegabytes,
                          const ExpertWeights& weights = kExpertWeights);
    ExpertSearch(const ExpertSearch&) = delete;
    ExpertSearch& operator=(const ExpertSearch&) = delete;

    // Chooses the move of `to_move` in `position` within `limits`. `earlier_positions` are the
    // keys (position_key) of the positions met earlier in the game, oldest first: reaching one of
    // them again scores as a draw. A stop request means "play now": the search returns the best
    // move of the last completed iteration, or of the iteration under way when it has already
    // found a better one. Nothing only when the side has no legal move. `report` hears of every
    // completed iteration.
    std::optional<Move> choose_move(const Position& position, Side to_move,
                                    const ExpertLimits& limits, std::stop_token stop = {},
                                    std::span<const std::uint64_t> earlier_positions = {},
                                    const IterationReport& report = {});

    // Forgets the positions of the game before (the table), so that a new game is searched as by
    // a new player. The same inputs at a fixed depth then give the same move, score and nodes.
    void new_game();

    const ExpertStats& stats() const { return stats_; }
    const ExpertEval& eval() const { return eval_; }

  private:
    // A position in the line being searched, with everything worked out from it once.
    struct Frame {
        Position position;
        PieceBits bits;
        std::uint64_t key = 0;
        Side side = Side::Red;
        // The half-moves since the last capture or step of a man toward its crowning row: only
        // so far back can the position have stood before (a man may step sideways and back).
        int reversible = 0;
        MoveList moves;
        // The ordering rank of each move, and the order the moves are tried in so far.
        std::vector<int> ranks;
        std::vector<std::uint16_t> order;
    };

    int search(int ply, int depth, int alpha, int beta);
    int quiesce(int ply, int alpha, int beta, int threat_replies);

    // Sets frame ply + 1 to the position after `move` (or after a pass) from frame ply.
    void play(int ply, const Move& move);
    void pass(int ply);
    // Whether frame ply repeats a position earlier in the line or the game.
    bool repeated(int ply) const;
    // The score of a draw for the side to move at `ply`: a little below nothing for the side
    // the search is for, which would rather play on.
    int draw_score(int ply) const;

    // Gives every move of frame ply its rank: `preferred` (an index, or -1) first, then captures,
    // crowning moves, the killers and the history of cut-offs.
    void rank_moves(int ply, int preferred);
    // The index of the best-ranked move among those not tried yet, which becomes the i-th tried.
    int pick_move(Frame& frame, int i) const;
    bool is_capture(const Frame& frame, const Move& move) const;
    // A quiet move that cut the search off: remembered for its siblings and its like elsewhere.
    void reward(int ply, int depth, const Move& move);
    // The index of the table's move in frame ply's list, checked against its squares; or -1.
    int table_move(const Frame& frame, const TableEntry& entry) const;
    void store(const Frame& frame, int ply, int depth, int score, Bound bound, int index);

    // Counts a position searched and, every so many, looks at the clock and the stop request.
    void count_node();

    ExpertEval eval_;
    TranspositionTable table_;
    std::vector<Frame> frames_;
    // Keys of the earlier positions of the game, then of the line being searched.
    std::vector<std::uint64_t> keys_;
    std::size_t earlier_count_ = 0;
    // The best line from each ply: pv_[ply * kExpertMaxPly + i], pv_length_[ply] moves long.
    std::vector<Move> pv_;
    std::array<int, kExpertMaxPly + 1> pv_length_{};
    std::vector<std::array<Move, 2>> killers_;
    // Cut-offs by quiet moves, by side, start and landing square.
    std::vector<std::int32_t> history_;

    // The search under way.
    int root_depth_ = 0;
    std::optional<Move> iteration_best_;
    std::uint64_t nodes_ = 0;
    std::stop_token stop_;
    std::optional<ExpertClock::time_point> deadline_;
    bool aborted_ = false;
    ExpertStats stats_;
};

}  // namespace zarvo
