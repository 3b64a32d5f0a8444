// The turn controller: starting a game, whose turn it is, the computer's move, passes, the end.
#include "game/controller.h"

#include <algorithm>

#include "ai/search.h"
#include "game/state.h"
#include "rules/board.h"
#include "rules/movegen.h"

namespace zarvo {
namespace {

// The window the turn controller shows the game on, if any.
GameView* current_view = nullptr;

// Repaints the board, unless there is no window or it is going.
void show_board() {
    if (current_view != nullptr && !current_view->closing()) {
        current_view->redraw();
    }
}

// Shows a status text, unless there is no window or it is going.
void show_status(std::string_view text) {
    if (current_view != nullptr && !current_view->closing()) {
        current_view->set_status_text(text);
    }
}

// Whether the player has asked to quit.
bool closing() {
    return current_view != nullptr && current_view->closing();
}

// The search budget of the level in play; a level outside Easy..Hard (only a damaged saved game
// holds one) searches as the nearest level rather than reading outside the table.
int level_budget() {
    const int level = std::clamp<int>(selected_level, 1, 3);
    return moves_per_level[level - 1];
}

}  // namespace

void set_view(GameView* view) {
    current_view = view;
}

GameView* view() {
    return current_view;
}

void new_game() {
    if (status == kComputerToMove) {
        return;
    }
    create_table();
    first_player = new_first_player;
    variant = new_variant;
    selected_level = new_selected_level;
    status = first_player == 1 ? kComputerToMove : kHumanToMove;
    lastmove.clear();
    newmove.clear();
    main_loop();
}

void main_loop() {
    for (;;) {
        show_board();
        int blue = 0;
        int red = 0;
        if (const int result = check_winner(table, blue, red); result != 0) {
            end_of_game(result);
            return;
        }

        if (status == kHumanToMove) {
            show_status("You play...");
            newmove.clear();
            if (check_if_can_play(table, human_side()) != 0) {
                return;
            }
            // Both sides have pieces and neither can move: the passes would never end.
            if (check_if_can_play(table, computer_side()) == 0) {
                end_of_game(1);
                return;
            }
            status = kComputerToMove;
            continue;
        }

        show_status("Computer plays...");
        // Let the status line and the human's move reach the screen before the search starts.
        if (current_view != nullptr) {
            current_view->pump_events();
        }
        if (closing()) {
            return;
        }
        MoveString reply;
        computer_play(computer_side(), level_budget(), reply);
        lastmove = reply;
        newmove.clear();
        status = kHumanToMove;
        if (closing()) {
            return;
        }
    }
}

void end_of_game(int result) {
    const bool human_won =
        (result == 'O' && first_player == 2) || (result == 'X' && first_player == 1);
    const char* message = result == 1 ? "No winner !" : human_won ? "You win !" : "Computer wins !";
    show_status(message);
    status = kNoGame;
}

}  // namespace zarvo
