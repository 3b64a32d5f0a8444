// The Expert's keys of positions: one 64-bit number per position, side to move and variant, made
// by exclusive-or of fixed random numbers (Zobrist hashing), and brought up to date after a move
// from the few squares it touches.
#pragma once

#include <array>
#include <cstdint>

#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

namespace detail {

// A step of the splitmix64 generator: fixed numbers that look random, made at compile time.
constexpr std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// The numbers a key is made of: one per piece code and square, one for blue to move and one for
// the Turkish rules.
struct ZobristNumbers {
    // Rows: red man, red king, blue man, blue king.
    std::array<std::array<std::uint64_t, 64>, 4> piece{};
    std::uint64_t blue_to_move = 0;
    std::uint64_t turkish = 0;
};

constexpr ZobristNumbers make_zobrist_numbers() {
    ZobristNumbers z;
    std::uint64_t state = 0x5A4B5630u;
    for (auto& row : z.piece) {
        for (auto& n : row) {
            n = splitmix64(state);
        }
    }
    z.blue_to_move = splitmix64(state);
    z.turkish = splitmix64(state);
    return z;
}

inline constexpr ZobristNumbers kZobrist = make_zobrist_numbers();

}  // namespace detail

// The number a piece adds to a key on a square; 0 for an empty square or any other byte.
constexpr std::uint64_t piece_key(char piece, int square) {
    const auto s = static_cast<std::size_t>(square);
    switch (piece) {
        case kRedMan:
            return detail::kZobrist.piece[0][s];
        case kRedKing:
            return detail::kZobrist.piece[1][s];
        case kBlueMan:
            return detail::kZobrist.piece[2][s];
        case kBlueKing:
            return detail::kZobrist.piece[3][s];
        default:
            return 0;
    }
}

// The number that tells the two sides to move apart.
inline constexpr std::uint64_t kSideToMoveKey = detail::kZobrist.blue_to_move;

// The key of a position with `to_move` to move. Two positions with the same pieces, side to move
// and variant have the same key; the game keeps the keys of earlier positions to tell repetitions.
std::uint64_t position_key(const Position& position, Side to_move);

// The key after `move` is played from `before` (whose key is `key`), the other side then to move:
// only the squares the move touches change.
std::uint64_t key_after(const Position& before, std::uint64_t key, const Move& move);

}  // namespace zarvo
