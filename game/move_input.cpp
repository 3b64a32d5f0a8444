// Move input: clicks on the board, "Cancel" and "Play".
#include "game/move_input.h"

#include <optional>

#include "game/controller.h"
#include "game/geometry.h"
#include "game/state.h"
#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {
namespace {

// Repaints the board to show the changed path.
void show_board() {
    if (view() != nullptr) {
        view()->redraw();
    }
}

}  // namespace

bool extends_legal_move(const MoveString& path, int square) {
    MoveString longer = path;
    if (!longer.push_square(square)) {
        return false;
    }
    // Kept between clicks so that a click never allocates a list; clicks come only on the
    // human's turn, when no search holds the generator.
    static MoveList legal;
    generate_moves(table, human_side(), legal, 0);
    for (std::string_view move : legal.entries()) {
        if (move.starts_with(longer.view())) {
            return true;
        }
    }
    return false;
}

void get_mouse(double x, double y) {
    if (status != kHumanToMove) {
        return;
    }
    const std::optional<int> square = square_at(x, y, first_player);
    if (!square) {
        return;
    }
    // A step that leads on along a legal move is taken even onto a square the path has already
    // named or back onto the start square, which a king may cross or return to.
    if (!newmove.empty() && extends_legal_move(newmove, *square)) {
        newmove.push_square(*square);
        show_board();
        return;
    }
    const char piece = to_upper(table[*square]);
    if (piece == human_side()) {
        newmove.clear();
        lastmove.clear();
    } else if (newmove.empty()) {
        return;
    }
    if (piece == computer_side() || newmove.contains(*square)) {
        return;
    }
    if (!newmove.push_square(*square)) {
        return;
    }
    show_board();
}

void cancel_button() {
    if (status != kHumanToMove || newmove.empty()) {
        return;
    }
    newmove.pop_square();
    show_board();
}

void play_button() {
    if (status != kHumanToMove || newmove.empty()) {
        return;
    }
    if (check_legal(table, human_side(), newmove.view()) == 0) {
        newmove.clear();
        show_board();
        return;
    }
    play_move(table, newmove.view());
    lastmove = newmove;
    status = kComputerToMove;
    main_loop();
}

}  // namespace zarvo
