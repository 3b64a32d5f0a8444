// Where the board lies in its 252-pixel drawing area: squares, the double frame, and the turn of
// the board when the computer moves first. Drawing and clicks both go through these functions.
#pragma once

#include <array>
#include <cmath>
#include <optional>

#include "rules/board.h"

namespace zarvo {

// Side of the drawing area, of one square, and the margin left around the squares.
inline constexpr int kAreaSize = 252;
inline constexpr int kSquareSize = 24;
inline constexpr int kMargin = 30;

// A pixel of the drawing area: x to the right, y downwards, from the top-left corner.
struct Pixel {
    int x;
    int y;
    friend constexpr bool operator==(Pixel, Pixel) = default;
};

// Maps a board row to its screen row and back (the map is its own inverse): rank 8 is at the
// top, unless the board is turned (the computer opens against one person), rank 1 then.
constexpr int flip_row(int row, bool turned) {
    return turned ? 7 - row : row;
}

// The top-left pixel of a square's 24 x 24 cell.
constexpr Pixel square_origin(int square, bool turned) {
    return {kMargin + kSquareSize * column_of(square),
            kMargin + kSquareSize * flip_row(row_of(square), turned)};
}

// The square under a pointer position, or nothing in the margin around the squares.
inline std::optional<int> square_at(double x, double y, bool turned) {
    const double column = std::floor((x - kMargin) / kSquareSize);
    const double screen_row = std::floor((y - kMargin) / kSquareSize);
    if (!(column >= 0 && column <= 7 && screen_row >= 0 && screen_row <= 7)) {
        return std::nullopt;
    }
    const int row = flip_row(static_cast<int>(screen_row), turned);
    return square_index(row, static_cast<int>(column));
}

// One straight one-pixel line of the frame, both ends included.
struct FrameLine {
    Pixel from;
    Pixel to;
};

// The double frame: the outer square two pixels out from the inner one, which touches the
// squares, with a one-pixel gap between them. Lines in the order they are drawn.
inline constexpr std::array<FrameLine, 8> kFrameLines{{
    {{27, 27}, {224, 27}},
    {{224, 27}, {224, 224}},
    {{224, 224}, {27, 224}},
    {{27, 224}, {27, 27}},
    {{29, 29}, {222, 29}},
    {{222, 29}, {222, 222}},
    {{222, 222}, {29, 222}},
    {{29, 222}, {29, 29}},
}};

}  // namespace zarvo
