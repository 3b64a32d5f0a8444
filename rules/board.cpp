#include "rules/board.h"

#include <bit>
#include <cstring>

namespace zarvo {

PieceCounts count_pieces(const Board& board) {
    PieceCounts counts;
    for (std::size_t at = 0; at < board.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, board.data() + at, 8);
        // Setting the 0x20 bit of every byte folds exactly 'X' onto 'x' and 'O' onto 'o'.
        word |= 0x2020202020202020ULL;
        counts.red += count_bits(bytes_equal(word, kRedMan));
        counts.blue += count_bits(bytes_equal(word, kBlueMan));
    }
    return counts;
}

std::optional<Winner> winner_by_pieces(const Board& board) {
    // Both sides have pieces in almost every position asked about: tell that first.
    std::uint64_t red = 0;
    std::uint64_t blue = 0;
    for (std::size_t at = 0; at < board.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, board.data() + at, 8);
        word |= 0x2020202020202020ULL;
        red |= bytes_equal(word, kRedMan);
        blue |= bytes_equal(word, kBlueMan);
    }
    if (red != 0 && blue != 0) {
        return std::nullopt;
    }
    const PieceCounts counts = count_pieces(board);
    if (counts.blue > counts.red) {
        return Winner::Blue;
    }
    if (counts.red > counts.blue) {
        return Winner::Red;
    }
    return Winner::Nobody;
}

}  // namespace zarvo
