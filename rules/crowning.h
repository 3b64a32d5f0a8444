// Crowning: a man that ends its move on the far row becomes a king of its side.
#pragma once

#include "rules/board.h"

namespace zarvo {

// Whether `square` lies on the crowning row of a man of this code: rank 8 for a red man, rank 1
// for a blue man. A man's capture chain ends when it lands there.
constexpr bool on_crowning_row(char man, int square) {
    return (man == kRedMan && row_of(square) == 0) || (man == kBlueMan && row_of(square) == 7);
}

// The piece that stands on `square` once `piece` has ended its move there: a man on its crowning
// row is crowned; every other piece stays as it is.
constexpr char crowned(char piece, int square) {
    return on_crowning_row(piece, square) ? to_upper(piece) : piece;
}

}  // namespace zarvo
