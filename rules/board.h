// The board, its squares, pieces and sides, and the piece count that decides a game.
#pragma once

#include <array>
#include <cstdint>

namespace zarvo {

// One position: 64 squares, row by row from a8 (index 0) to h1 (index 63).
using Board = std::array<char, 64>;

inline constexpr char kEmpty = ' ';
inline constexpr char kRedMan = 'o';
inline constexpr char kRedKing = 'O';
inline constexpr char kBlueMan = 'x';
inline constexpr char kBlueKing = 'X';

// Side letters: a side is named by the code of its kings.
inline constexpr char kRed = 'O';
inline constexpr char kBlue = 'X';

// Column step and row step of the four directions: toward file a, rank 1, rank 8, file h.
inline constexpr std::array<int, 4> di{-1, 0, 0, 1};
inline constexpr std::array<int, 4> dj{0, 1, -1, 0};

// The direction that points straight back along the same line.
constexpr int opposite(int direction) {
    return 3 - direction;
}

// Upper-cases a piece code without consulting the locale.
constexpr char to_upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// The other side's letter: 'O' for 'X', and 'X' for anything else.
constexpr char opponent(char side) {
    return side == 'X' ? 'O' : 'X';
}

// Whether a piece code belongs to the side with this letter (men and kings alike).
constexpr bool belongs_to(char piece, char side) {
    return to_upper(piece) == side;
}

// The man code of a side: 'o' for red, 'x' for blue.
constexpr char man_of(char side) {
    return side == 'O' ? 'o' : 'x';
}

// Square index of row r (0 is rank 8) and column c (0 is file a).
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

// The rule variant of the game in play: 0 Greek, any other value Turkish. The rules engine
// reads it on every call; it changes only when a game is started or loaded.
extern char variant;

// The position of the game in play.
extern Board table;

// A board of 64 empty squares.
constexpr Board empty_board() {
    Board b{};
    b.fill(kEmpty);
    return b;
}

// The starting position: blue men on ranks 7 and 6, red men on ranks 3 and 2.
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

// Sets the global table to the starting position.
void create_table();

// Counts the pieces of each side; returns 0 while both have pieces, otherwise 'X' or 'O' for
// the side with more pieces, or 1 when neither has any.
int check_winner(const Board& board, int& blue_count, int& red_count);

}  // namespace zarvo
