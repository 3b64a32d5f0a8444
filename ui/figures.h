// Figures for tuning, printed on standard error only when the environment variable
// ZARVO_FIGURES is set: when the first frame was painted, how long frames took while a move was
// shown travelling, and when the player asked to quit.
#pragma once

#include <cstdint>

namespace zarvo::figures {

// Notes that main() has begun.
void program_started();

// Notes a paint of the board that took `draw_us` microseconds; the first one prints when it
// happened.
void board_painted(std::int64_t draw_us);

// Bracket a move shown travelling; the end prints its frames, the longest paint and the longest
// gap between two paints.
void animation_started();
void animation_ended();

// Notes that the player asked to quit, and whether the computer was thinking then.
void quit_requested(bool computer_thinking);

// Notes that the program is about to return from main().
void program_ending();

}  // namespace zarvo::figures
