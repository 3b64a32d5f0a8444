// The pieces and markers drawn as anti-aliased shapes in the sprites' own colours, for a board
// that is enlarged or drawn on a high-resolution screen.
#pragma once

#include <cairomm/context.h>

namespace zarvo {

// A colour as cairo takes it.
struct Rgb {
    double red;
    double green;
    double blue;
};

// Paints the piece of this code ('o', 'O', 'x' or 'X') in the 24 x 24 cell whose top-left corner
// is (x, y), in board units.
void paint_smooth_piece(const Cairo::RefPtr<Cairo::Context>& cr, char piece, double x, double y);

// Paints four corner brackets in a colour around the cell at (x, y).
void paint_smooth_brackets(const Cairo::RefPtr<Cairo::Context>& cr, double x, double y, Rgb colour);

}  // namespace zarvo
