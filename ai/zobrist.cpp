#include "ai/zobrist.h"

#include <bit>

#include "rules/crowning.h"
#include "rules/play.h"

namespace zarvo {

std::uint64_t position_key(const Position& position, Side to_move) {
    std::uint64_t key = 0;
    for (int square = 0; square < 64; ++square) {
        key ^= piece_key(position[square], square);
    }
    if (to_move == Side::Blue) {
        key ^= kSideToMoveKey;
    }
    if (position.variant == Variant::Turkish) {
        key ^= detail::kZobrist.turkish;
    }
    return key;
}

std::uint64_t key_after(const Position& before, std::uint64_t key, const Move& move) {
    // Every square the path leaves, lands on or clears ends empty except the last landing.
    std::uint64_t touched = std::uint64_t{1} << move.from();
    for (std::size_t i = 1; i < move.size(); ++i) {
        touched |=
            captured_span(move[i - 1], move[i], before.variant) | (std::uint64_t{1} << move[i]);
    }
    for (; touched != 0; touched &= touched - 1) {
        const int square = std::countr_zero(touched);
        key ^= piece_key(before[square], square);
    }
    return key ^ piece_key(crowned(before[move.from()], move.to()), move.to()) ^ kSideToMoveKey;
}

}  // namespace zarvo
