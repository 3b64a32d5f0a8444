#include "rules/piece_bits.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rules/crowning.h"
#include "rules/play.h"

namespace zarvo {

namespace {

#if !defined(__SSE2__)
// Gathers the lowest bit of each byte of a word into one byte, the first byte's bit lowest.
constexpr std::uint64_t gather_bytes(std::uint64_t lowest_bits) {
    return (lowest_bits * 0x0102040810204080ULL) >> 56;
}

// The squares of one rank holding `code`, as the rank's eight bits.
std::uint64_t rank_holding(std::uint64_t rank, char code) {
    return gather_bytes(bytes_equal(rank, code) >> 7);
}
#endif

}  // namespace

PieceBits PieceBits::of(const Board& board) {
    PieceBits bits;
#if defined(__SSE2__)
    // Sixteen squares at a time: compare every byte with a code, then take one bit per byte.
    for (int quarter = 0; quarter < 4; ++quarter) {
        const __m128i squares =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.data() + 16 * quarter));
        const auto holding = [&](char code) {
            const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(squares, _mm_set1_epi8(code)));
            return static_cast<std::uint64_t>(static_cast<std::uint16_t>(mask)) << (16 * quarter);
        };
        bits.red_men |= holding(kRedMan);
        bits.red_kings |= holding(kRedKing);
        bits.blue_men |= holding(kBlueMan);
        bits.blue_kings |= holding(kBlueKing);
        bits.empty |= holding(kEmpty);
    }
#else
    for (int row = 0; row < 8; ++row) {
        std::uint64_t rank = 0;
        std::memcpy(&rank, board.data() + row * 8, 8);
        const int shift = 8 * row;
        bits.red_men |= rank_holding(rank, kRedMan) << shift;
        bits.red_kings |= rank_holding(rank, kRedKing) << shift;
        bits.blue_men |= rank_holding(rank, kBlueMan) << shift;
        bits.blue_kings |= rank_holding(rank, kBlueKing) << shift;
        bits.empty |= rank_holding(rank, kEmpty) << shift;
    }
#endif
    return bits;
}

PieceBits PieceBits::after(const Move& move, Side side, Variant variant) const {
    const int from = move.from();
    const bool king = (kings(side) & square_bit(from)) != 0;
    std::uint64_t cleared = square_bit(from);
    for (std::size_t i = 1; i < move.size(); ++i) {
        cleared |= captured_span(move[i - 1], move[i], variant) | square_bit(move[i]);
    }
    PieceBits next = *this;
    next.red_men &= ~cleared;
    next.red_kings &= ~cleared;
    next.blue_men &= ~cleared;
    next.blue_kings &= ~cleared;
    next.empty |= cleared;
    const int to = move.to();
    const std::uint64_t landing = square_bit(to);
    next.empty &= ~landing;
    const bool crowns = king || on_crowning_row(man_of(side), to);
    std::uint64_t& lands_in = side == Side::Red ? (crowns ? next.red_kings : next.red_men)
                                                : (crowns ? next.blue_kings : next.blue_men);
    lands_in |= landing;
    return next;
}

}  // namespace zarvo
