#include "ai/budget_search.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <limits>

#include "rules/crowning.h"
#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {

int c_library_draw() {
    return std::rand();
}

namespace {

// Red's lead after `move` is played on `before`, whose lead is `lead`, worked out from the
// squares the move touches instead of from a played copy of the board. Every square that a step
// leaves, lands on or clears ends empty, except the last landing square, which holds the moving
// piece (crowned when a man ends on its crowning row).
int lead_after(const Position& before, int lead, const Move& move) {
    std::uint64_t touched = square_bit(move.from());
    for (std::size_t i = 1; i < move.size(); ++i) {
        touched |= captured_span(move[i - 1], move[i], before.variant) | square_bit(move[i]);
    }
    for (; touched != 0; touched &= touched - 1) {
        const int square = std::countr_zero(touched);
        lead -= red_lead_of(before[square], square);
    }
    return lead + red_lead_of(crowned(before[move.from()], move.to()), move.to());
}

// What each capture path of one side changes in red's lead, signed so that more is better for
// the side, gathered as the capture search finds the paths: the best of all of them, and the
// best of the greatest captures, which are all that count in the Turkish variant.
struct CaptureGains {
    explicit CaptureGains(int side_sign) : sign(side_sign) {}

    int sign;
    // The moving piece and what it was worth where it started.
    char mover = kEmpty;
    int start_value = 0;
    // The pieces taken along the path being searched: what each was worth, and in all.
    std::array<int, kMaxPathSquares> taken{};
    int depth = 0;
    int captured = 0;

    int count = 0;
    int best = std::numeric_limits<int>::min();
    GreatestCapture greatest;
    int greatest_count = 0;
    int greatest_best = std::numeric_limits<int>::min();

    // Starts on the paths of the piece on `square`.
    void start(char piece, int square) {
        mover = piece;
        start_value = red_lead_of(piece, square);
        depth = 0;
        captured = 0;
    }
    void found(int landing, int victim, char victim_piece) {
        const int gain = red_lead_of(crowned(mover, landing), landing) - start_value - captured -
                         red_lead_of(victim_piece, victim);
        const int g = sign * gain;
        ++count;
        best = std::max(best, g);
        switch (greatest.judge(static_cast<std::size_t>(depth) + 1)) {
            case GreatestCapture::Verdict::Shorter:
                break;
            case GreatestCapture::Verdict::Longer:
                greatest_count = 1;
                greatest_best = g;
                break;
            case GreatestCapture::Verdict::AsLong:
                ++greatest_count;
                greatest_best = std::max(greatest_best, g);
                break;
        }
    }
    // Follows the move list, which stops a path that would outgrow a move.
    bool enter(int, int victim, char victim_piece) {
        if (static_cast<std::size_t>(depth) + 2 >= kMaxPathSquares) {
            return false;
        }
        taken[static_cast<std::size_t>(depth)] = red_lead_of(victim_piece, victim);
        captured += taken[static_cast<std::size_t>(depth)];
        ++depth;
        return true;
    }
    void leave() {
        --depth;
        captured -= taken[static_cast<std::size_t>(depth)];
    }
};

}  // namespace

// The game's positions seen as a search tree: one scratch position and one move list per
// remaining depth, so nothing is allocated and nothing is copied out of a list.
class BudgetSearch::Tree {
  public:
    using Position = zarvo::Position;
    using Move = zarvo::Move;

    explicit Tree(BudgetSearch& search) : s_(search) {}

    // Copies the position into the depth's slot and plays the move there; red's lead on it
    // follows from the parent's and the squares the move touches.
    const Position& play(int depth, const Position& before, const Move& move) {
        ++s_.stats_.moves_searched;
        const auto d = static_cast<std::size_t>(depth);
        s_.scratch_lead_[d] = lead_after(before, lead_of(depth + 1, before), move);
        Position& slot = s_.scratch_[d];
        slot = before;
        play_move(slot, move);
        return slot;
    }

    // A leaf met on its own (most often a root move when there are more moves than budget) is
    // scored from its parent's lead and the few squares the move touches, without a board.
    int score_leaf(int depth, const Position& before, const Move& move, Side side) {
        ++s_.stats_.moves_searched;
        ++s_.stats_.static_evaluations;
        return score_from_lead(lead_after(before, lead_of(depth + 1, before), move), side);
    }

    // The best leaf score among the replies of `side`, standing for listing and scoring them,
    // when every one of them is a leaf: the computer's moves once the budget is spent, which are
    // most of the search. Each is scored by what it changes in red's lead, as the moves are
    // found, with no list written. Nothing when the side cannot move, or has so few moves that
    // each still gets a share of the budget.
    std::optional<int> leaf_replies(int depth, const Position& after, Side side, int budget) {
        const int sign = side == Side::Red ? 1 : -1;
        const Board& board = after.squares;
        const PieceBits bits = PieceBits::of(board);
        const std::uint64_t capturing = capturing_pieces(bits, side);
        const bool turkish = after.variant == Variant::Turkish;
        int plain_best = std::numeric_limits<int>::min();
        int plain = 0;
        if (capturing == 0 || !turkish) {
            visit_plain_moves(board, bits, side, [&](int from, int to) {
                const char piece = board[static_cast<std::size_t>(from)];
                const int gain = red_lead_of(crowned(piece, to), to) - red_lead_of(piece, from);
                plain_best = std::max(plain_best, sign * gain);
                ++plain;
            });
        }
        CaptureGains gains(sign);
        visit_capturing_pieces(board, side, capturing, [&](int square, int reach, int excluded) {
            gains.start(board[static_cast<std::size_t>(square)], square);
            visit_capture_paths(gains, square, board, after.variant, reach, excluded, kNoDirection,
                                Landings::Distinct);
        });
        // The Greek list holds every move; in the Turkish, the greatest captures replace the rest.
        int n = plain;
        int best_gain = plain_best;
        if (!turkish) {
            n += gains.count;
            best_gain = std::max(best_gain, gains.best);
        } else if (gains.count > 0) {
            n = gains.greatest_count;
            best_gain = gains.greatest_best;
        }
        if (n == 0 || !is_leaf(reply_budget(budget, n), depth - 1, true)) {
            return std::nullopt;
        }
        s_.stats_.moves_searched += static_cast<std::uint64_t>(n);
        s_.stats_.static_evaluations += static_cast<std::uint64_t>(n);
        keep_going();
        return std::max(-1, kEvenScore + sign * lead_of(depth, after) + best_gain);
    }

    // Lists the side's replies into the depth's list, as the computer lists moves.
    int list(int depth, const Position& after, Side side) {
        return generate_moves(after, side, s_.replies_[static_cast<std::size_t>(depth)],
                              Landings::Distinct);
    }

    // The replies listed for a depth, in their order.
    const MoveList& replies(int depth) const {
        return s_.replies_[static_cast<std::size_t>(depth)];
    }

    // One root move can take far longer than a stop may wait (a position with few moves of the
    // computer and many of the human's), so the stop request is also looked at inside it, every
    // kStopCheckInterval moves.
    bool keep_going() { return s_.keep_going(); }

  private:
    // Red's lead on a position: kept for each depth's scratch position since the move that made
    // it, and counted afresh on any other (the root position).
    int lead_of(int depth, const Position& position) const {
        if (depth > kRootDepth || &position != &s_.scratch_[static_cast<std::size_t>(depth)]) {
            return red_lead(position.squares);
        }
        return s_.scratch_lead_[static_cast<std::size_t>(depth)];
    }

    BudgetSearch& s_;
};

bool BudgetSearch::check_stop() {
    ++stats_.stop_checks;
    searched_at_last_check_ = stats_.moves_searched;
    if (on_stop_check) {
        on_stop_check();
    }
    stopped_ = stop_.stop_requested();
    return !stopped_;
}

bool BudgetSearch::keep_going() {
    if (stopped_) {
        return false;
    }
    if (stats_.moves_searched - searched_at_last_check_ >= kStopCheckInterval) {
        return check_stop();
    }
    return true;
}

int BudgetSearch::score_move(const Position& before, Side side, Side root_side, const Move& move,
                             int budget, int depth) {
    Tree tree(*this);
    return zarvo::score_move(tree, before, side, root_side, move, std::max(budget, 0),
                             std::clamp(depth, 0, kRootDepth));
}

std::optional<Move> BudgetSearch::choose_move(const Position& position, Side side, int budget,
                                              const RandomDraw& draw, std::stop_token stop) {
    stop_ = std::move(stop);
    // The request is forgotten on the way out, whatever way that is.
    struct Forget {
        BudgetSearch& search;
        ~Forget() {
            search.stop_ = {};
            search.stopped_ = false;
        }
    } forget{*this};
    searched_at_last_check_ = stats_.moves_searched;
    const int n = generate_moves(position, side, root_moves_, Landings::Distinct);
    if (n == 0) {
        return std::nullopt;
    }
    int best = -1;
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < root_moves_.size(); ++i) {
        const int v = score_move(position, side, side, root_moves_[i], budget / n, kRootDepth);
        if (!check_stop()) {
            return std::nullopt;
        }
        // A tie draws only once some move is chosen: on a board where every move scores -1 or
        // below (possible only on boards no game reaches) the first listed move is played, and
        // no draw is made.
        if (v > best || (chosen && v == best && draw() % 3 == 0)) {
            chosen = i;
            best = v;
        }
    }
    return root_moves_[chosen.value_or(0)];
}

}  // namespace zarvo
