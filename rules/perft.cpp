#include "rules/perft.h"

#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"

namespace zarvo {

namespace {

// Walks the tree once; counts[k] gathers the nodes k + 1 plies below the root.
class PerftWalker {
  public:
    PerftWalker(int depth, char prune)
        : lists_(static_cast<std::size_t>(depth)),
          counts_(static_cast<std::size_t>(depth), 0),
          prune_(prune) {}

    void walk(const Board& board, char side, int ply) {
        int blue = 0;
        int red = 0;
        if (check_winner(board, blue, red) != 0) {
            return;
        }
        MoveList& list = lists_[static_cast<std::size_t>(ply)];
        const int n = generate_moves(board, side, list, prune_);
        const bool last = static_cast<std::size_t>(ply) + 1 == counts_.size();
        if (n == 0) {
            ++counts_[static_cast<std::size_t>(ply)];
            if (!last) {
                walk(board, opponent(side), ply + 1);
            }
            return;
        }
        counts_[static_cast<std::size_t>(ply)] += static_cast<std::uint64_t>(n);
        if (last) {
            return;
        }
        for (std::string_view move : list.entries()) {
            Board child = board;
            play_move(child, move);
            walk(child, opponent(side), ply + 1);
        }
    }

    const std::vector<std::uint64_t>& counts() const { return counts_; }

  private:
    std::vector<MoveList> lists_;
    std::vector<std::uint64_t> counts_;
    char prune_;
};

}  // namespace

std::vector<std::uint64_t> perft(const Board& board, char side, int depth, char prune) {
    if (depth <= 0) {
        return {};
    }
    PerftWalker walker(depth, prune);
    walker.walk(board, side, 0);
    return walker.counts();
}

}  // namespace zarvo
