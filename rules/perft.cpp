#include "rules/perft.h"

#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {

namespace {

// Walks the tree once; counts[k] gathers the nodes k + 1 plies below the root.
class PerftWalker {
  public:
    PerftWalker(int depth, Landings landings)
        : lists_(static_cast<std::size_t>(depth)),
          counts_(static_cast<std::size_t>(depth), 0),
          landings_(landings) {}

    void walk(const Position& position, Side side, std::size_t ply) {
        if (winner_by_pieces(position.squares)) {
            return;
        }
        const bool last = ply + 1 == counts_.size();
        // The last ply is counted, not played: the number of moves is its count of nodes.
        if (last) {
            const int n = count_legal_moves(position, side, landings_);
            counts_[ply] += n == 0 ? 1 : static_cast<std::uint64_t>(n);
            return;
        }
        MoveList& list = lists_[ply];
        const PieceBits bits = PieceBits::of(position.squares);
        const int n = generate_moves(position, bits, side, list, landings_);
        if (n == 0) {
            ++counts_[ply];
            walk(position, opponent(side), ply + 1);
            return;
        }
        counts_[ply] += static_cast<std::uint64_t>(n);
        if (ply + 2 == counts_.size()) {
            count_last_ply(position, bits, side, list, ply + 1);
            return;
        }
        for (const Move& move : list) {
            Position child = position;
            play_move(child, move);
            walk(child, opponent(side), ply + 1);
        }
    }

    const std::vector<std::uint64_t>& counts() const { return counts_; }

  private:
    // Counts the moves in the position after each listed move, the last ply of the tree. The
    // pieces after a move follow from the parent's with a few bit operations; a board is built
    // only when a king can capture there.
    void count_last_ply(const Position& parent, const PieceBits& bits, Side side,
                        const MoveList& list, std::size_t ply) {
        const Side replying = opponent(side);
        for (const Move& move : list) {
            const PieceBits child = bits.after(move, side, parent.variant);
            if (child.pieces(replying) == 0) {
                continue;
            }
            int n = count_moves_unless_a_king_captures(child, replying, parent.variant);
            if (n == kKingCaptures) {
                Position position = parent;
                play_move(position, move);
                n = count_legal_moves(position, replying, landings_);
            }
            counts_[ply] += n == 0 ? 1 : static_cast<std::uint64_t>(n);
        }
    }

    std::vector<MoveList> lists_;
    std::vector<std::uint64_t> counts_;
    Landings landings_;
};

}  // namespace

std::vector<std::uint64_t> perft(const Position& position, Side side, int depth,
                                 Landings landings) {
    if (depth <= 0) {
        return {};
    }
    PerftWalker walker(depth, landings);
    walker.walk(position, side, 0);
    return walker.counts();
}

}  // namespace zarvo
