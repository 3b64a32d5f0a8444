// The board, its squares, pieces, sides and variants, the position a game is played on, and the
// piece count that decides a game.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>

namespace zarvo {

// The two sets of rules. Greek: capturing is optional, a chain may stop after any jump and a king
// lands right behind the piece it takes. Turkish: a king lands on any empty square behind it, and
// when a capture is possible one of the greatest captures must be played.
enum class Variant : std::uint8_t { Greek = 0, Turkish = 1 };

// The two sides, each named by the code of its kings. Red always makes the first move.
enum class Side : char { Red = 'O', Blue = 'X' };

// The side that answers this one.
constexpr Side opponent(Side side) {
    return side == Side::Red ? Side::Blue : Side::Red;
}

// One position's squares, row by row from a8 (index 0) to h1 (index 63), each holding a piece
// code.
using Board = std::array<char, 64>;

inline constexpr char kEmpty = ' ';
inline constexpr char kRedMan = 'o';
inline constexpr char kRedKing = 'O';
inline constexpr char kBlueMan = 'x';
inline constexpr char kBlueKing = 'X';

// Upper-cases a piece code without consulting the locale: a man's code becomes its king's.
constexpr char to_upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// The code of a side's kings, which is also how a side is named.
constexpr char king_of(Side side) {
    return static_cast<char>(side);
}

// The code of a side's men.
constexpr char man_of(Side side) {
    return side == Side::Red ? kRedMan : kBlueMan;
}

// Whether a piece code belongs to a side (its men and kings alike).
constexpr bool belongs_to(char piece, Side side) {
    return to_upper(piece) == king_of(side);
}

// Square index of a row (0 is rank 8) and a column (0 is file a).
constexpr int square_index(int row, int column) {
    return row * 8 + column;
}
constexpr int row_of(int square) {
    return square / 8;
}
constexpr int column_of(int square) {
    return square % 8;
}
constexpr bool on_board(int row, int column) {
    return row >= 0 && row < 8 && column >= 0 && column < 8;
}

// The four directions a piece may travel, numbered in the order every list walks them.
inline constexpr int kTowardFileA = 0;
inline constexpr int kTowardRank1 = 1;
inline constexpr int kTowardRank8 = 2;
inline constexpr int kTowardFileH = 3;

// Column step and row step of each direction.
inline constexpr std::array<int, 4> kColumnStep{-1, 0, 0, 1};
inline constexpr std::array<int, 4> kRowStep{0, 1, -1, 0};

// The direction that points straight back along the same line.
constexpr int opposite(int direction) {
    return 3 - direction;
}

// The neighbour of each square in each direction, or -1 off the board.
inline constexpr auto kNeighbour = [] {
    std::array<std::array<std::int8_t, 4>, 64> table{};
    for (int square = 0; square < 64; ++square) {
        for (int d = 0; d < 4; ++d) {
            const int r = row_of(square) + kRowStep[d];
            const int c = column_of(square) + kColumnStep[d];
            table[square][d] = static_cast<std::int8_t>(on_board(r, c) ? square_index(r, c) : -1);
        }
    }
    return table;
}();

// The square next to `square` in `direction`, or -1 off the board.
constexpr int neighbour(int square, int direction) {
    return kNeighbour[square][direction];
}

static_assert(std::endian::native == std::endian::little,
              "the scan reads a rank's eight squares as one little-endian word");

// 0x80 in each byte of `word` that equals `value`, 0 in every other byte (memory order: the first
// square in the lowest byte).
constexpr std::uint64_t bytes_equal(std::uint64_t word, char value) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (0x0101010101010101ULL * static_cast<unsigned char>(value));
    // A byte of x is zero exactly when neither its low seven bits nor its top bit are set.
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The number of set bits. Written out rather than left to std::popcount, which on the x86-64
// baseline without the popcnt instruction becomes a library call in the hottest loops.
constexpr int count_bits(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

// A board of 64 empty squares.
constexpr Board empty_board() {
    Board b{};
    b.fill(kEmpty);
    return b;
}

// The starting squares: blue men on ranks 7 and 6, red men on ranks 3 and 2.
constexpr Board starting_board() {
    Board b = empty_board();
    for (int c = 0; c < 8; ++c) {
        b[square_index(1, c)] = kBlueMan;
        b[square_index(2, c)] = kBlueMan;
        b[square_index(5, c)] = kRedMan;
        b[square_index(6, c)] = kRedMan;
    }
    return b;
}

// What the rules work on: the squares, and the variant whose rules they are played under.
struct Position {
    Board squares = empty_board();
    Variant variant = Variant::Greek;

    constexpr char operator[](int square) const {
        return squares[static_cast<std::size_t>(square)];
    }
    constexpr char& operator[](int square) { return squares[static_cast<std::size_t>(square)]; }

    friend constexpr bool operator==(const Position&, const Position&) = default;
};

// The starting position of a variant.
constexpr Position starting_position(Variant variant) {
    return {starting_board(), variant};
}

// The pieces of each colour on a board, men and kings alike; other bytes count for nobody.
struct PieceCounts {
    int red = 0;
    int blue = 0;
};
PieceCounts count_pieces(const Board& board);

// The side that has won by pieces, or nobody when neither has any.
enum class Winner : std::uint8_t { Red, Blue, Nobody };

// A game ends when a side has no pieces left: the side that still has some has won, and nobody
// when the board is bare. Nothing while both sides have pieces.
std::optional<Winner> winner_by_pieces(const Board& board);

}  // namespace zarvo
