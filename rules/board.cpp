#include "rules/board.h"

namespace zarvo {

char variant = 0;
Board table = empty_board();

void create_table() { table = starting_board(); }

int check_winner(const Board& board, int& blue_count, int& red_count) {
    blue_count = 0;
    red_count = 0;
    for (char square : board) {
        const char up = to_upper(square);
        if (up == 'X') {
            ++blue_count;
        } else if (up == 'O') {
            ++red_count;
        }
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
