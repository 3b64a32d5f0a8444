#include "ai/expert_search.h"

#include <algorithm>
#include <utility>

#include "ai/zobrist.h"
#include "rules/crowning.h"
#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {

namespace {

// Above every score, wins included.
constexpr int kInfinity = kExpertWin + 1;

// Positions searched between two looks at the clock and the stop request: well under a
// millisecond of work.
constexpr std::uint64_t kCheckInterval = 1024;

// What a draw costs the side the search is for, so that it plays on in a level position rather
// than repeat it, in hundredths of a man.
constexpr int kContempt = 15;

// At the end of a line, the replies searched to a threat of capture before standing pat.
constexpr int kThreatReplies = 1;

// Ordering ranks: the table's move, then captures (more and better pieces first), crowning
// moves, the two killers, and the history of quiet cut-offs below them all.
constexpr int kPreferredRank = 1 << 30;
constexpr int kCaptureRank = 1 << 28;
constexpr int kCrowningRank = 1 << 27;
constexpr int kKillerRank = 1 << 26;
constexpr int kHistoryCap = 1 << 24;

// Scores of decided games are stored as half-moves from the position stored, not from the root.
int to_table(int score, int ply) {
    if (score >= kExpertDecided) {
        return score + ply;
    }
    if (score <= -kExpertDecided) {
        return score - ply;
    }
    return score;
}
int from_table(int score, int ply) {
    if (score >= kExpertDecided) {
        return score - ply;
    }
    if (score <= -kExpertDecided) {
        return score + ply;
    }
    return score;
}

// The squares a move clears behind its piece, where the pieces it captures stand.
std::uint64_t swept_squares(const Move& move, Variant variant) {
    std::uint64_t swept = 0;
    for (std::size_t i = 1; i < move.size(); ++i) {
        swept |= captured_span(move[i - 1], move[i], variant);
    }
    return swept;
}

std::size_t history_slot(Side side, int from, int to) {
    return (side == Side::Red ? 0u : 4096u) + static_cast<std::size_t>(from * 64 + to);
}

}  // namespace

ExpertSearch::ExpertSearch(std::size_t table_megabytes, const ExpertWeights& weights)
    : eval_(weights),
      table_(table_megabytes),
      frames_(kExpertMaxPly + 1),
      pv_(static_cast<std::size_t>(kExpertMaxPly) * kExpertMaxPly),
      killers_(kExpertMaxPly + 1),
      history_(2 * 64 * 64) {
    for (Frame& frame : frames_) {
        frame.ranks.reserve(MoveList::kInitialCapacity);
        frame.order.reserve(MoveList::kInitialCapacity);
    }
    keys_.reserve(1024 + kExpertMaxPly);
}

void ExpertSearch::new_game() {
    table_.clear();
}

std::optional<Move> ExpertSearch::choose_move(const Position& position, Side to_move,
                                              const ExpertLimits& limits, std::stop_token stop,
                                              std::span<const std::uint64_t> earlier_positions,
                                              const IterationReport& report) {
    const ExpertClock::time_point start = ExpertClock::now();
    stats_ = {};
    nodes_ = 0;
    aborted_ = false;

    Frame& root = frames_[0];
    root.position = position;
    root.bits = PieceBits::of(position.squares);
    root.key = position_key(position, to_move);
    root.side = to_move;
    // Any earlier position of the game may come back, as far as anyone knows.
    root.reversible = static_cast<int>(earlier_positions.size());
    keys_.assign(earlier_positions.begin(), earlier_positions.end());
    earlier_count_ = keys_.size();
    keys_.resize(earlier_count_ + kExpertMaxPly + 1);
    keys_[earlier_count_] = root.key;

    const int n = generate_moves(position, root.bits, to_move, root.moves, Landings::Distinct);
    if (n == 0) {
        return std::nullopt;
    }
    if (n == 1 && limits.single_move_at_once) {
        stats_.elapsed = ExpertClock::now() - start;
        return root.moves[0];
    }

    stop_ = std::move(stop);
    deadline_.reset();
    if (limits.time) {
        deadline_ = start + *limits.time;
    }
    table_.new_search();
    std::fill(history_.begin(), history_.end(), 0);
    std::fill(killers_.begin(), killers_.end(), std::array<Move, 2>{});
    // Until an iteration ends, the move that ranks first is the one to play.
    rank_moves(0, -1);
    Move best = root.moves[static_cast<std::size_t>(pick_move(root, 0))];

    for (int depth = 1; depth <= limits.depth; ++depth) {
        root_depth_ = depth;
        iteration_best_.reset();
        // The previous iteration's move comes first (the table's move at the root), so that a
        // move of an unfinished iteration counts only once it has beaten it.
        const int score = search(0, depth, -kInfinity, kInfinity);
        if (aborted_) {
            if (iteration_best_) {
                best = *iteration_best_;
            }
            break;
        }
        best = pv_length_[0] > 0 ? pv_[0] : best;
        stats_.depth = depth;
        stats_.score = score;
        stats_.nodes = nodes_;
        stats_.elapsed = ExpertClock::now() - start;
        if (report) {
            report({depth, score, nodes_, stats_.elapsed,
                    std::span<const Move>(pv_.data(), static_cast<std::size_t>(pv_length_[0]))});
        }
        // A forced end within the full width of this iteration will not change.
        if (is_decided(score) && plies_to_end(score) <= depth) {
            break;
        }
        // The next iteration takes several times as long as this one: rather than start it
        // with less than half the time left, play now.
        if (deadline_ && stats_.elapsed * 2 >= *limits.time) {
            break;
        }
    }
    stats_.nodes = nodes_;
    stats_.elapsed = ExpertClock::now() - start;
    stop_ = {};
    return best;
}

int ExpertSearch::search(int ply, int depth, int alpha, int beta) {
    pv_length_[static_cast<std::size_t>(ply)] = 0;
    Frame& f = frames_[static_cast<std::size_t>(ply)];
    if (f.bits.pieces(f.side) == 0) {
        return -(kExpertWin - ply);
    }
    if (ply > 0 && repeated(ply)) {
        return draw_score(ply);
    }
    if (depth <= 0 || ply >= kExpertMaxPly - 1) {
        return quiesce(ply, alpha, beta, kThreatReplies);
    }
    count_node();
    if (aborted_) {
        return 0;
    }
    const bool pv_node = beta - alpha > 1;

    const std::optional<TableEntry> entry = table_.probe(f.key);
    if (entry && ply > 0 && !pv_node && entry->depth >= depth) {
        const int s = from_table(entry->score, ply);
        if (entry->bound == Bound::Exact || (entry->bound == Bound::Lower && s >= beta) ||
            (entry->bound == Bound::Upper && s <= alpha)) {
            return s;
        }
    }

    const int n = generate_moves(f.position, f.bits, f.side, f.moves, Landings::Distinct);
    if (n == 0) {
        // A side that cannot move passes; when neither side can, the game ends with no winner.
        if (count_legal_moves(f.position, opponent(f.side), Landings::Distinct) == 0) {
            return draw_score(ply);
        }
        pass(ply);
        return -search(ply + 1, depth - 1, -beta, -alpha);
    }
    // A forced move costs the line no depth: it is not a choice.
    const int extension = (n == 1 && ply < 2 * root_depth_) ? 1 : 0;
    rank_moves(ply, entry ? table_move(f, *entry) : -1);

    const int alpha_before = alpha;
    int best = -kInfinity;
    int best_index = -1;
    for (int i = 0; i < n; ++i) {
        const int index = pick_move(f, i);
        const Move& move = f.moves[static_cast<std::size_t>(index)];
        const bool quiet = f.ranks[static_cast<std::size_t>(index)] < kKillerRank - 1;
        play(ply, move);
        const int child_depth = depth - 1 + extension;
        int score = 0;
        if (i == 0) {
            score = -search(ply + 1, child_depth, -beta, -alpha);
        } else {
            // Late quiet moves are first searched a little shallower; one that turns out better
            // than the best so far is searched again in full.
            const int reduction =
                (depth >= 3 && i >= 3 && quiet) ? (i >= 10 && depth >= 6 ? 2 : 1) : 0;
            score = -search(ply + 1, child_depth - reduction, -alpha - 1, -alpha);
            if (score > alpha && reduction > 0) {
                score = -search(ply + 1, child_depth, -alpha - 1, -alpha);
            }
            if (score > alpha && score < beta) {
                score = -search(ply + 1, child_depth, -beta, -alpha);
            }
        }
        if (aborted_) {
            return 0;
        }
        if (score <= best) {
            continue;
        }
        best = score;
        best_index = index;
        if (ply == 0) {
            iteration_best_ = move;
        }
        if (score <= alpha) {
            continue;
        }
        alpha = score;
        // The line from here: this move, then the child's line.
        const auto row = static_cast<std::size_t>(ply) * kExpertMaxPly;
        const auto child_row = row + kExpertMaxPly;
        const int child_length = pv_length_[static_cast<std::size_t>(ply) + 1];
        pv_[row] = move;
        std::copy_n(pv_.begin() + static_cast<std::ptrdiff_t>(child_row), child_length,
                    pv_.begin() + static_cast<std::ptrdiff_t>(row) + 1);
        pv_length_[static_cast<std::size_t>(ply)] = child_length + 1;
        if (score >= beta) {
            if (!is_capture(f, move)) {
                reward(ply, depth, move);
            }
            break;
        }
    }
    const Bound bound = best >= beta          ? Bound::Lower
                        : best > alpha_before ? Bound::Exact
                                              : Bound::Upper;
    store(f, ply, depth, best, bound, best_index);
    return best;
}

int ExpertSearch::quiesce(int ply, int alpha, int beta, int threat_replies) {
    pv_length_[static_cast<std::size_t>(ply)] = 0;
    count_node();
    if (aborted_) {
        return 0;
    }
    Frame& f = frames_[static_cast<std::size_t>(ply)];
    if (f.bits.pieces(f.side) == 0) {
        return -(kExpertWin - ply);
    }
    const Variant variant = f.position.variant;
    if (ply >= kExpertMaxPly - 1) {
        return eval_.evaluate(f.bits, f.side, variant);
    }
    const std::uint64_t capturing = capturing_pieces(f.bits, f.side);
    const bool must_capture = capturing != 0 && variant == Variant::Turkish;
    const bool threatened = threat_replies > 0 && capturing_pieces(f.bits, opponent(f.side)) != 0;

    // A quiet position stands as it is, unless the other side threatens a capture: then every
    // reply is tried, since only a move can show whether the threat is real. A side that may
    // capture but need not (the Greek rules) may also stand.
    int best = -kInfinity;
    bool captures_only = false;
    int next_threat_replies = threat_replies;
    if (!must_capture) {
        if (threatened) {
            next_threat_replies = threat_replies - 1;
        } else {
            const int stand = eval_.evaluate(f.bits, f.side, variant);
            if (capturing == 0 || stand >= beta) {
                return stand;
            }
            best = stand;
            alpha = std::max(alpha, stand);
            captures_only = true;
        }
    }

    const int n = generate_moves(f.position, f.bits, f.side, f.moves, Landings::Distinct);
    if (n == 0) {
        return eval_.evaluate(f.bits, f.side, variant);
    }
    rank_moves(ply, -1);
    for (int i = 0; i < n; ++i) {
        const int index = pick_move(f, i);
        const Move& move = f.moves[static_cast<std::size_t>(index)];
        if (captures_only && !is_capture(f, move)) {
            // Captures rank above every quiet move: the rest are quiet too.
            break;
        }
        play(ply, move);
        const int score = -quiesce(ply + 1, -beta, -alpha, next_threat_replies);
        if (aborted_) {
            return 0;
        }
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                if (score >= beta) {
                    break;
                }
            }
        }
    }
    return best;
}

void ExpertSearch::play(int ply, const Move& move) {
    const Frame& parent = frames_[static_cast<std::size_t>(ply)];
    Frame& child = frames_[static_cast<std::size_t>(ply) + 1];
    child.position = parent.position;
    play_move(child.position, move);
    child.bits = parent.bits.after(move, parent.side, parent.position.variant);
    child.key = key_after(parent.position, parent.key, move);
    child.side = opponent(parent.side);
    const bool king_moved = (parent.bits.kings(parent.side) & square_bit(move.from())) != 0;
    const bool sideways = row_of(move.from()) == row_of(move.to());
    const bool took = child.bits.pieces(child.side) != parent.bits.pieces(child.side);
    child.reversible = (king_moved || sideways) && !took ? parent.reversible + 1 : 0;
    keys_[earlier_count_ + static_cast<std::size_t>(ply) + 1] = child.key;
}

void ExpertSearch::pass(int ply) {
    const Frame& parent = frames_[static_cast<std::size_t>(ply)];
    Frame& child = frames_[static_cast<std::size_t>(ply) + 1];
    child.position = parent.position;
    child.bits = parent.bits;
    child.key = parent.key ^ kSideToMoveKey;
    child.side = opponent(parent.side);
    child.reversible = parent.reversible + 1;
    keys_[earlier_count_ + static_cast<std::size_t>(ply) + 1] = child.key;
}

bool ExpertSearch::repeated(int ply) const {
    const Frame& f = frames_[static_cast<std::size_t>(ply)];
    const std::size_t top = earlier_count_ + static_cast<std::size_t>(ply);
    const std::size_t reach = std::min(static_cast<std::size_t>(f.reversible), top);
    for (std::size_t back = 1; back <= reach; ++back) {
        if (keys_[top - back] == f.key) {
            return true;
        }
    }
    return false;
}

int ExpertSearch::draw_score(int ply) const {
    return ply % 2 == 0 ? -kContempt : kContempt;
}

bool ExpertSearch::is_capture(const Frame& frame, const Move& move) const {
    return move.size() > 2 ||
           (swept_squares(move, frame.position.variant) & ~frame.bits.empty) != 0;
}

void ExpertSearch::rank_moves(int ply, int preferred) {
    Frame& f = frames_[static_cast<std::size_t>(ply)];
    const std::size_t n = f.moves.size();
    f.ranks.resize(n);
    f.order.resize(n);
    const Side enemy = opponent(f.side);
    const std::uint64_t enemy_pieces = f.bits.pieces(enemy);
    const std::uint64_t enemy_kings = f.bits.kings(enemy);
    const std::array<Move, 2>& killers = killers_[static_cast<std::size_t>(ply)];
    for (std::size_t i = 0; i < n; ++i) {
        const Move& move = f.moves[i];
        f.order[i] = static_cast<std::uint16_t>(i);
        const char piece = f.position[move.from()];
        const bool crowns = crowned(piece, move.to()) != piece;
        const std::uint64_t taken = swept_squares(move, f.position.variant) & enemy_pieces;
        int rank = 0;
        if (static_cast<int>(i) == preferred) {
            rank = kPreferredRank;
        } else if (taken != 0) {
            rank = kCaptureRank + 256 * count_bits(taken) + 64 * count_bits(taken & enemy_kings) +
                   (crowns ? 32 : 0);
        } else if (crowns) {
            rank = kCrowningRank;
        } else if (move == killers[0]) {
            rank = kKillerRank;
        } else if (move == killers[1]) {
            rank = kKillerRank - 1;
        } else {
            rank = history_[history_slot(f.side, move.from(), move.to())];
        }
        f.ranks[i] = rank;
    }
}

int ExpertSearch::pick_move(Frame& frame, int i) const {
    const auto first = static_cast<std::size_t>(i);
    std::size_t top = first;
    for (std::size_t j = first + 1; j < frame.order.size(); ++j) {
        if (frame.ranks[frame.order[j]] > frame.ranks[frame.order[top]]) {
            top = j;
        }
    }
    std::swap(frame.order[first], frame.order[top]);
    return frame.order[first];
}

void ExpertSearch::reward(int ply, int depth, const Move& move) {
    std::array<Move, 2>& killers = killers_[static_cast<std::size_t>(ply)];
    if (!(move == killers[0])) {
        killers[1] = killers[0];
        killers[0] = move;
    }
    const Side side = frames_[static_cast<std::size_t>(ply)].side;
    std::int32_t& h = history_[history_slot(side, move.from(), move.to())];
    h += depth * depth;
    if (h >= kHistoryCap) {
        // Keep the ranks below the killers' while keeping their order.
        for (std::int32_t& x : history_) {
            x /= 2;
        }
    }
}

int ExpertSearch::table_move(const Frame& frame, const TableEntry& entry) const {
    if (!entry.has_move || entry.move_index >= frame.moves.size()) {
        return -1;
    }
    const Move& move = frame.moves[entry.move_index];
    return move.from() == entry.move_from && move.to() == entry.move_to ? entry.move_index : -1;
}

void ExpertSearch::store(const Frame& frame, int ply, int depth, int score, Bound bound,
                         int index) {
    TableEntry entry;
    entry.key = frame.key;
    entry.score = static_cast<std::int16_t>(to_table(score, ply));
    entry.depth = static_cast<std::int8_t>(std::min(depth, 127));
    entry.bound = bound;
    if (index >= 0 && index <= 0xFFFF) {
        const Move& move = frame.moves[static_cast<std::size_t>(index)];
        entry.has_move = true;
        entry.move_index = static_cast<std::uint16_t>(index);
        entry.move_from = static_cast<std::uint8_t>(move.from());
        entry.move_to = static_cast<std::uint8_t>(move.to());
    }
    table_.store(entry);
}

void ExpertSearch::count_node() {
    if ((++nodes_ & (kCheckInterval - 1)) != 0) {
        return;
    }
    if (stop_.stop_requested() || (deadline_ && ExpertClock::now() >= *deadline_)) {
        aborted_ = true;
    }
}

}  // namespace zarvo
