#include "rules/play.h"

#include <bit>
#include <cassert>

#include "rules/crowning.h"

namespace zarvo {

void play_move(Position& position, const Move& move) {
    assert(is_well_formed(move));
    const char piece = position[move.from()];
    std::uint64_t cleared = std::uint64_t{1} << move.from();
    for (std::size_t i = 1; i < move.size(); ++i) {
        cleared |=
            captured_span(move[i - 1], move[i], position.variant) | (std::uint64_t{1} << move[i]);
    }
    // Each captured piece leaves as its step is taken, so a square crossed or landed on earlier
    // in the path ends empty like the rest; only the last landing holds the piece.
    for (; cleared != 0; cleared &= cleared - 1) {
        position[std::countr_zero(cleared)] = kEmpty;
    }
    position[move.to()] = crowned(piece, move.to());
}

}  // namespace zarvo
