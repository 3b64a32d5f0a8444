// Positions as PDN's FEN text ("W:Wa2,b2,Kc4:Bf7,g7,Kh8"): the side to move, then each colour's
// squares, kings marked with K. Red moves first, so red is White and blue is Black.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "rules/board.h"
#include "rules/message.h"

namespace zarvo {

// A position as a FEN gives it: the squares and the side to move (FEN says nothing of the
// variant).
struct Fen {
    Board squares = empty_board();
    Side side_to_move = Side::Red;

    friend bool operator==(const Fen&, const Fen&) = default;
};

// Why a text is no FEN position, in a few words fit for the status line ("a2 is named twice").
struct FenError {
    Message message;
};

// Reads a FEN. Accepted: the two lists in either order, squares in any order, spaces around
// fields and squares, an empty list. Refused: anything else, a square named twice, a man on its
// crowning row (a red man on rank 8, a blue man on rank 1) and a board with no piece at all.
std::variant<Fen, FenError> read_fen(std::string_view text);

// Writes a position as FEN: the side to move, White's (red's) list then Black's, each square by
// square from a1 along rank 1, then rank 2 and so on. read_fen gives the same position back.
std::string format_fen(const Board& squares, Side side_to_move);

}  // namespace zarvo
