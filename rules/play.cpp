#include "rules/play.h"

#include <algorithm>

#include "rules/notation.h"

namespace zarvo {

bool play_move(Board& board, std::string_view move) {
    move = move_at(move);
    if (!is_well_formed_move(move)) {
        return false;
    }
    const char piece = board[*parse_square(move[0], move[1])];
    int r2 = 0;
    for (std::size_t i = 0; i + 2 < move.size(); i += 2) {
        const int from = *parse_square(move[i], move[i + 1]);
        const int to = *parse_square(move[i + 2], move[i + 3]);
        const int r1 = row_of(from);
        const int c1 = column_of(from);
        r2 = row_of(to);
        const int c2 = column_of(to);
        board[from] = kEmpty;
        board[to] = piece;
        if (variant == 0) {
            // The captured piece stands right behind the landing square.
            const int rr = r2 > r1 ? r2 - 1 : (r2 < r1 ? r2 + 1 : r2);
            const int cc = c2 > c1 ? c2 - 1 : (c2 < c1 ? c2 + 1 : c2);
            board[square_index(rr, cc)] = kEmpty;
        } else if (c1 == c2) {
            for (int r = std::min(r1, r2) + 1; r < std::max(r1, r2); ++r) {
                board[square_index(r, c1)] = kEmpty;
            }
        } else {
            for (int c = std::min(c1, c2) + 1; c < std::max(c1, c2); ++c) {
                board[square_index(r1, c)] = kEmpty;
            }
        }
    }
    // Crowning is decided once, by where the last step lands.
    const int last = *parse_square(move[move.size() - 2], move.back());
    if ((piece == kRedMan && r2 == 0) || (piece == kBlueMan && r2 == 7)) {
        board[last] = to_upper(piece);
    }
    return true;
}

}  // namespace zarvo
