#include "rules/notation.h"

namespace zarvo {

std::optional<Board> parse_pos(std::string_view text) {
    if (text == "start") {
        return starting_board();
    }
    // Eight ranks of eight squares and seven separators.
    if (text.size() != 8 * 8 + 7) {
        return std::nullopt;
    }
    Board board = empty_board();
    for (int row = 0; row < 8; ++row) {
        const std::size_t base = static_cast<std::size_t>(row) * 9;
        if (row < 7 && text[base + 8] != '/') {
            return std::nullopt;
        }
        for (int column = 0; column < 8; ++column) {
            const char ch = text[base + static_cast<std::size_t>(column)];
            switch (ch) {
                case 'o':
                case 'O':
                case 'x':
                case 'X':
                    board[square_index(row, column)] = ch;
                    break;
                case '.':
                    break;
                default:
                    return std::nullopt;
            }
        }
    }
    return board;
}

std::string format_pos(const Board& board) {
    std::string out;
    out.reserve(8 * 8 + 7);
    for (int row = 0; row < 8; ++row) {
        if (row > 0) {
            out.push_back('/');
        }
        for (int column = 0; column < 8; ++column) {
            const char ch = board[square_index(row, column)];
            out.push_back(ch == kEmpty ? '.' : ch);
        }
    }
    return out;
}

}  // namespace zarvo
