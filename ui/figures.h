// Figures for tuning, printed on standard error only when the environment variable
// ZARVO_FIGURES is set: when the first frame was painted, and when the player asked to quit.
#pragma once

namespace zarvo::figures {

// Notes that main() has begun.
void program_started();

// Notes a paint of the board; the first one prints when it happened.
void board_painted();

// Notes that the player asked to quit, and whether the computer was thinking then.
void quit_requested(bool computer_thinking);

// Notes that the program is about to return from main().
void program_ending();

}  // namespace zarvo::figures
