// The turn controller: starting a game, whose turn it is, the computer's move, passes, the end.
#pragma once

#include <string_view>

namespace zarvo {

// What the turn controller needs from the window; the UI implements it and tests replace it.
class GameView {
  public:
    virtual ~GameView() = default;
    // Repaints the board from the globals and refreshes the piece counts.
    virtual void redraw() = 0;
    // Shows a text on the status line.
    virtual void set_status_text(std::string_view text) = 0;
    // Handles every pending event of the window.
    virtual void pump_events() = 0;
    // Whether the player has asked to quit: the turn cycle then stops once the computer's search
    // is over, and nothing more is shown.
    virtual bool closing() const { return false; }
};

// Connects the controller to its window (nullptr: no window, nothing is shown or pumped).
void set_view(GameView* view);

// The view in use, or nullptr.
GameView* view();

// "Start new game": refused while the computer thinks.
void new_game();

// Runs the turn cycle from the current status until the human is to move or the game is over.
// The computer's moves and the passes of either side follow each other in one loop; a position
// where neither side can move ends the game with no winner.
void main_loop();

// Shows the outcome for check_winner's result ('X', 'O' or 1) and ends the game.
void end_of_game(int result);

}  // namespace zarvo
