// Move input: the human builds a path by clicking squares, takes back the last one with
// "Cancel" and submits it with "Play". All three act only on the human's turn.
#pragma once

#include "rules/notation.h"

namespace zarvo {

// A press of any mouse button at (x, y) in the board's drawing area.
void get_mouse(double x, double y);

// "Cancel": takes back the last square of the pending path.
void cancel_button();

// "Play": plays the pending path if it is one whole legal move of the human, and hands the turn
// to the computer; an illegal path is discarded without a word.
void play_button();

// Whether the pending path followed by `square` is the start of a legal move of the human, or a
// whole one (every landing choice counted).
bool extends_legal_move(const MoveString& path, int square);

}  // namespace zarvo
