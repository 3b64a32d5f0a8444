#include "rules/board.h"

namespace zarvo {

char variant = 0;
Board table = empty_board();

void create_table() {
    table = starting_board();
}

int check_winner(const Board& board, int& blue_count, int& red_count) {
    blue_count = 0;
    red_count = 0;
    for (char square : board) {
        // Setting the 0x20 bit folds exactly 'X' onto 'x' and 'O' onto 'o', and no other byte.
        const char folded = static_cast<char>(square | 0x20);
        blue_count += folded == 'x' ? 1 : 0;
        red_count += folded == 'o' ? 1 : 0;
    }
    if (blue_count != 0 && red_count != 0) {
        return 0;
    }
    if (blue_count > red_count) {
        return 'X';
    }
    if (red_count > blue_count) {
        return 'O';
    }
    return 1;
}

}  // namespace zarvo
