// Figures for tuning, printed on standard error only when the environment variable
// ZARVO_FIGURES is set: when the first frame was painted, and for each command that ran the
// computer's turn, the longest stretch during which the window handled no events.
#pragma once

namespace zarvo::figures {

// Whether figures are printed in this run.
bool enabled();

// Notes that main() has begun.
void program_started();

// Notes a paint of the board; the first one prints when it happened.
void board_painted();

// Brackets a command that may run the computer's turn; nested commands are part of the outer.
void command_begins();
void command_ends();

// Notes that the player asked to quit, and whether a command (and which round of its event
// handling) was under way then.
void quit_requested();

// Brackets one round of handling pending events.
void events_begin();
void events_end();

}  // namespace zarvo::figures
