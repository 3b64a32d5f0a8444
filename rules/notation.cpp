#include "rules/notation.h"

#include <bit>

#include "rules/play.h"

namespace zarvo {

std::string format_move(const Move& move) {
    std::string out;
    out.reserve(2 * move.size());
    for (int square : move.squares()) {
        const SquareName name = square_name(square);
        out.append(name.begin(), name.end());
    }
    return out;
}

std::optional<Move> parse_move(std::string_view text) {
    if (text.empty() || text.size() % 2 != 0 || text.size() > 2 * kMaxPathSquares) {
        return std::nullopt;
    }
    Move move;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const std::optional<int> square = parse_square(text[i], text[i + 1]);
        if (!square) {
            return std::nullopt;
        }
        move.push(*square);
    }
    return move;
}

std::string format_move_list(const MoveList& list) {
    std::string out;
    for (const Move& move : list) {
        out.push_back(',');
        out += format_move(move);
    }
    return out;
}

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
                case kRedMan:
                case kRedKing:
                case kBlueMan:
                case kBlueKing:
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

bool is_capture(const Position& before, const Move& move) {
    if (move.size() < 2) {
        return false;
    }
    std::uint64_t span = captured_span(move[0], move[1], before.variant);
    for (; span != 0; span &= span - 1) {
        if (before[std::countr_zero(span)] != kEmpty) {
            return true;
        }
    }
    return false;
}

std::string describe_move(const Position& before, const Move& move) {
    const char joint = is_capture(before, move) ? 'x' : '-';
    std::string out;
    for (std::size_t i = 0; i < move.size(); ++i) {
        if (i > 0) {
            out.push_back(joint);
        }
        const SquareName name = square_name(move[i]);
        out.append(name.begin(), name.end());
    }
    return out;
}

}  // namespace zarvo
