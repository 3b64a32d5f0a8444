#include "ai/search.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdlib>
#include <limits>
#include <optional>

#include "rules/movegen.h"
#include "rules/play.h"
#include "rules/scan.h"

namespace zarvo {

std::array<Board, kRootDepth + 1> new_tab{};
std::array<MoveList, kRootDepth + 1> new_mov;

namespace {

// The computer's own moves in the root position; made once, like the lists below the root.
MoveList root_list;

// The game's handler of its window's events, or none.
EventHook event_hook = nullptr;

// Work done since the counters were last reset.
SearchStats stats;

// Whether computer_play, or a scoring of one move, is on the stack: the scratch slots and
// lists exist once, so an event handler must never start another.
bool searching = false;
bool scoring = false;

// Marks a flag for the lifetime of one call, and refuses to nest.
class Once {
  public:
    explicit Once(bool& flag) : flag_(flag) {
        assert(!flag_ && "the search must not be entered again from an event handler");
        flag_ = true;
    }
    ~Once() { flag_ = false; }
    Once(const Once&) = delete;
    Once& operator=(const Once&) = delete;

  private:
    bool& flag_;
};

// Moves searched when the events were last handled.
std::uint64_t searched_at_last_pump = 0;

// Lets the game handle its window's events, if it has asked to.
void pump_events() {
    if (event_hook != nullptr) {
        ++stats.pumps;
        searched_at_last_pump = stats.moves_searched;
        event_hook();
    }
}

// The entries of a move list, walked in place. Entries are a few characters long, so a plain
// scan for the next ',' beats a library search.
class ListWalk {
  public:
    class iterator {
      public:
        explicit iterator(const char* at) : at_(at) { frame(); }
        std::string_view operator*() const { return {at_, length_}; }
        iterator& operator++() {
            at_ += length_;
            frame();
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }

      private:
        // Steps over the ',' that opens an entry and measures its move string.
        void frame() {
            length_ = 0;
            if (*at_ == '\0') {
                return;
            }
            ++at_;
            while (at_[length_] != ',' && at_[length_] != '\0') {
                ++length_;
            }
        }
        const char* at_;
        std::size_t length_ = 0;
    };

    explicit ListWalk(const MoveList& list) : text_(list.text()) {}
    iterator begin() const { return iterator(text_.data()); }
    iterator end() const { return iterator(text_.data() + text_.size()); }

  private:
    std::string_view text_;
};

// The piece that stands on `to` after `piece` ends its move there: a man on its far row is
// crowned.
constexpr char crowned(char piece, int to) {
    return (piece == kRedMan && row_of(to) == 0) || (piece == kBlueMan && row_of(to) == 7)
               ? to_upper(piece)
               : piece;
}

// Red's lead after `move` is played on `before`, whose lead is `lead`, worked out from the
// squares the move touches instead of from a played copy of the board. Every square that a
// step leaves, lands on or clears ends empty, except the last landing square, which holds the
// moving piece (crowned when a man ends on its far row). Nothing when the move is malformed:
// playing it would leave the board as it is. `move` is the move string alone, without the
// rest of its list.
std::optional<int> lead_after(const Board& before, int lead, std::string_view move) {
    if (move.size() < 4 || move.size() % 2 != 0) {
        return std::nullopt;
    }
    const std::optional<int> start = parse_square(move[0], move[1]);
    if (!start) {
        return std::nullopt;
    }
    std::uint64_t touched = std::uint64_t{1} << *start;
    int from = *start;
    for (std::size_t i = 2; i < move.size(); i += 2) {
        const std::optional<int> to = parse_square(move[i], move[i + 1]);
        if (!to || *to == from) {
            return std::nullopt;
        }
        const int r1 = row_of(from);
        const int c1 = column_of(from);
        const int r2 = row_of(*to);
        const int c2 = column_of(*to);
        if (r1 != r2 && c1 != c2) {
            return std::nullopt;
        }
        touched |= std::uint64_t{1} << *to;
        if (variant == 0) {
            // The Greek capture takes the square right behind the landing.
            const int rr = r2 > r1 ? r2 - 1 : (r2 < r1 ? r2 + 1 : r2);
            const int cc = c2 > c1 ? c2 - 1 : (c2 < c1 ? c2 + 1 : c2);
            touched |= std::uint64_t{1} << square_index(rr, cc);
        } else if (c1 == c2) {
            for (int r = std::min(r1, r2) + 1; r < std::max(r1, r2); ++r) {
                touched |= std::uint64_t{1} << square_index(r, c1);
            }
        } else {
            for (int c = std::min(c1, c2) + 1; c < std::max(c1, c2); ++c) {
                touched |= std::uint64_t{1} << square_index(r1, c);
            }
        }
        from = *to;
    }
    const char piece = before[static_cast<std::size_t>(*start)];
    for (; touched != 0; touched &= touched - 1) {
        const int square = std::countr_zero(touched);
        lead -= red_lead_of(before[static_cast<std::size_t>(square)], square);
    }
    return lead + red_lead_of(crowned(piece, from), from);
}

// What each capture path of one side changes in red's lead, signed so that more is better for
// the side, gathered as the capture search finds the paths: the best of all of them, and the
// best of the longest, which are all that count in the Turkish variant.
struct CaptureGains {
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
    int longest = 0;
    int longest_count = 0;
    int longest_best = std::numeric_limits<int>::min();

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
        const int length = depth + 1;
        if (length > longest) {
            longest = length;
            longest_count = 0;
            longest_best = std::numeric_limits<int>::min();
        }
        if (length == longest) {
            ++longest_count;
            longest_best = std::max(longest_best, g);
        }
    }
    // Follows the move list, which stops a path that would outgrow a move string.
    bool enter(int, int victim, char victim_piece) {
        if (static_cast<std::size_t>(depth) + 2 > kMaxPathSquares) {
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

// The game's boards seen as a search tree: one scratch board and one move list per remaining
// depth, so nothing is allocated and nothing is copied out of a list.
struct BoardTree {
    using Position = Board;
    using Move = std::string_view;

    // Copies the board into the depth's slot and plays the move there; red's lead on it follows
    // from the parent's and the squares the move touches.
    const Board& play(int depth, const Board& before, std::string_view move) {
        ++stats.moves_searched;
        const auto d = static_cast<std::size_t>(depth);
        const int parent_lead = lead_of(depth + 1, before);
        lead[d] = lead_after(before, parent_lead, move).value_or(parent_lead);
        Board& slot = new_tab[d];
        slot = before;
        play_move(slot, move);
        return slot;
    }

    // A leaf met on its own (most often a root move when there are more moves than budget) is
    // scored from its parent's lead and the few squares the move touches, without a board.
    int score_leaf(int depth, const Board& before, std::string_view move, char side) {
        if (side != kRed && side != kBlue) {
            ++stats.static_evaluations;
            return fast_evaluate(play(depth, before, move), side);
        }
        ++stats.moves_searched;
        ++stats.static_evaluations;
        const int lead_before = lead_of(depth + 1, before);
        const int lead = lead_after(before, lead_before, move).value_or(lead_before);
        return side == kRed ? kEvenScore + lead : kEvenScore - lead;
    }

    // Red's lead on a board: kept for each depth's scratch board since the move that made
    // it, and counted afresh on any other board (the root position).
    int lead_of(int depth, const Board& board) {
        if (depth > kRootDepth || &board != &new_tab[static_cast<std::size_t>(depth)]) {
            return red_lead(board);
        }
        return lead[static_cast<std::size_t>(depth)];
    }

    // The best leaf score among the replies of `side`, standing for listing and scoring them,
    // when every one of them is a leaf: the computer's moves once the budget is spent, which
    // are most of the search. Each is scored by what it changes in red's lead, as the moves
    // are found, with no list written. Nothing when the side cannot move, or has so few moves
    // that each still gets a share of the budget.
    std::optional<int> leaf_replies(int depth, const Board& after, char side, int budget) {
        if (side != kRed && side != kBlue) {
            return std::nullopt;
        }
        const int sign = side == kRed ? 1 : -1;
        int plain_best = std::numeric_limits<int>::min();
        int plain = 0;
        const bool capture = visit_plain_moves(after, side, [&](int from, int to) {
            const char piece = after[static_cast<std::size_t>(from)];
            const int gain = red_lead_of(crowned(piece, to), to) - red_lead_of(piece, from);
            plain_best = std::max(plain_best, sign * gain);
            ++plain;
        });
        CaptureGains gains{sign};
        if (capture) {
            visit_capturing_pieces(after, side, [&](int square, int reach, int excluded) {
                gains.start(after[static_cast<std::size_t>(square)], square);
                visit_capture_paths(gains, square, after, reach, excluded, -1, 1);
            });
        }
        // The Greek list holds every move; in the Turkish, the longest captures replace the rest.
        int n = plain;
        int best_gain = plain_best;
        if (variant == 0) {
            n += gains.count;
            best_gain = std::max(best_gain, gains.best);
        } else if (gains.count > 0) {
            n = gains.longest_count;
            best_gain = gains.longest_best;
        }
        if (n == 0 || !is_leaf(reply_budget(budget, n), depth - 1, true)) {
            return std::nullopt;
        }
        stats.moves_searched += static_cast<std::uint64_t>(n);
        stats.static_evaluations += static_cast<std::uint64_t>(n);
        between_moves();
        return std::max(-1, kEvenScore + sign * lead_of(depth, after) + best_gain);
    }

    // Lists the side's replies into the depth's list, as the computer lists moves.
    int list(int depth, const Board& after, char side) {
        return generate_moves(after, side, new_mov[static_cast<std::size_t>(depth)], 1);
    }

    // The replies listed for a depth, in their order.
    ListWalk replies(int depth) const { return ListWalk(new_mov[static_cast<std::size_t>(depth)]); }

    // One root move can take far longer than the window may stay frozen (a position with few
    // moves of the computer and many of the human's), so events are also handled inside it,
    // every kPumpInterval moves. Here a list has been written and no listing is under way,
    // just as between two root moves.
    void between_moves() {
        if (event_hook != nullptr &&
            stats.moves_searched - searched_at_last_pump >= kPumpInterval) {
            pump_events();
        }
    }

    // Red's lead on each depth's scratch board.
    std::array<int, kRootDepth + 1> lead{};
};

}  // namespace

int evaluate_move(const Board& board, char side, char root_side, std::string_view move, int budget,
                  int depth) {
    const Once guard(scoring);
    BoardTree tree;
    return score_move(tree, board, side, root_side, move_at(move), std::max(budget, 0),
                      std::clamp(depth, 0, kRootDepth));
}

void computer_play(char side, int budget, MoveString& result) {
    const Once guard(searching);
    result.clear();
    // The game handles its events just before it asks for a move.
    searched_at_last_pump = stats.moves_searched;
    const int n = generate_moves(table, side, root_list, 1);
    int best = -1;
    std::optional<std::string_view> chosen;
    for (std::string_view entry : root_list.entries()) {
        // The table is read afresh for every root move; nothing the events do may change it.
        const int v = evaluate_move(table, side, side, entry, budget / n, kRootDepth);
        // A tie draws only once some move is chosen: on a board where every move scores -1 or
        // below (a damaged saved game) the first listed move is played, and no draw is made.
        if (v > best || (chosen && v == best && std::rand() % 3 == 0)) {
            chosen = entry;
            best = v;
        }
        pump_events();
    }
    if (n == 0) {
        return;
    }
    if (!chosen) {
        chosen = *root_list.entries().begin();
    }
    result = MoveString::from(*chosen);
    play_move(table, result.view());
}

void set_event_hook(EventHook hook) {
    event_hook = hook;
}

const SearchStats& search_stats() {
    return stats;
}

void reset_search_stats() {
    stats = SearchStats{};
    searched_at_last_pump = 0;
}

}  // namespace zarvo
