// The text forms of squares, moves, move lists and positions, used only where the game meets
// people and files: square names ("e4"), move strings ("c3c5c7"), comma lists (",a3a4,b3b4"),
// the one-line position (POS), and the notation players read ("c3-c4", "c3xc5xe5").
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

// A square's two-character name, file letter then rank digit ("e4").
using SquareName = std::array<char, 2>;

// The name of a square index: 36 is "e4".
constexpr SquareName square_name(int square) {
    return {static_cast<char>('a' + column_of(square)), static_cast<char>('8' - row_of(square))};
}

// The index of a named square, or nothing when the two characters name no square.
constexpr std::optional<int> parse_square(char file, char rank) {
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') {
        return std::nullopt;
    }
    return square_index('8' - rank, file - 'a');
}

// A move string: the name of every square of the path, nothing between them ("c3c5c7").
std::string format_move(const Move& move);

// Reads a move string of one or more whole square names; nothing when the text is anything else
// or names more squares than a path holds. The path need not be a well-formed move.
std::optional<Move> parse_move(std::string_view text);

// A comma list: ',' before every move string, the empty string for no moves.
std::string format_move_list(const MoveList& list);

// Reads a position written as eight ranks from 8 down to 1 joined by '/', each rank eight
// characters from file a to h ('o', 'O', 'x', 'X', '.'), or the word "start".
std::optional<Board> parse_pos(std::string_view text);

// Writes a board in the form that parse_pos reads (never "start").
std::string format_pos(const Board& board);

// A move in the notation players read, given the position it is played from: the squares joined
// by '-' for a plain move ("c3-c4") and by 'x' for a capture ("c3xc5xe5").
std::string describe_move(const Position& before, const Move& move);

// Whether a move played from `before` captures: its first step jumps a piece.
bool is_capture(const Position& before, const Move& move);

}  // namespace zarvo
