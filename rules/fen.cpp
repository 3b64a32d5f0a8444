#include "rules/fen.h"

#include <array>
#include <optional>

#include "rules/notation.h"

namespace zarvo {

namespace {

constexpr bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text without the spaces around it.
constexpr std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The side a FEN letter names: W for red (which moves first), B for blue.
constexpr std::optional<Side> side_of_letter(std::string_view letter) {
    if (letter == "W") {
        return Side::Red;
    }
    if (letter == "B") {
        return Side::Blue;
    }
    return std::nullopt;
}

// The text quoted for a message, cut short when it is long.
std::string quoted(std::string_view text) {
    constexpr std::size_t kLongest = 12;
    std::string out = "'";
    out.append(text.substr(0, kLongest));
    out.append(text.size() > kLongest ? "...'" : "'");
    return out;
}

// Puts one colour's list ("Kc4,d5" after its letter) on the board, or says what is wrong with it.
std::optional<FenError> place_list(std::string_view list, Side side, Board& board) {
    if (trimmed(list).empty()) {
        return std::nullopt;
    }
    while (true) {
        const std::size_t comma = list.find(',');
        std::string_view item = trimmed(list.substr(0, comma));
        const bool king = !item.empty() && item.front() == 'K';
        if (king) {
            item.remove_prefix(1);
        }
        const std::optional<int> square =
            item.size() == 2 ? parse_square(item[0], item[1]) : std::nullopt;
        if (!square) {
            return FenError{
                Message(N_("{1} is not a square"), {quoted(trimmed(list.substr(0, comma)))})};
        }
        const SquareName name = square_name(*square);
        const std::string named(name.begin(), name.end());
        if (board[*square] != kEmpty) {
            return FenError{Message(N_("{1} is named twice"), {named})};
        }
        // A man that reaches its crowning row is crowned at once, so none can stand there.
        const int crowning_row = side == Side::Red ? 0 : 7;
        if (!king && row_of(*square) == crowning_row) {
            return FenError{Message(side == Side::Red ? N_("a red man on {1}, its crowning row")
                                                      : N_("a blue man on {1}, its crowning row"),
                                    {named})};
        }
        board[*square] = king ? king_of(side) : man_of(side);
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        list.remove_prefix(comma + 1);
    }
}

}  // namespace

std::variant<Fen, FenError> read_fen(std::string_view text) {
    std::array<std::string_view, 3> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t colon = i + 1 < fields.size() ? text.find(':') : text.size();
        if (colon == std::string_view::npos) {
            return FenError{Message(N_("a FEN is the side to move and two lists, joined by ':'"))};
        }
        fields[i] = trimmed(text.substr(0, colon));
        text.remove_prefix(colon == text.size() ? colon : colon + 1);
    }
    if (fields[2].find(':') != std::string_view::npos) {
        return FenError{Message(N_("a FEN is the side to move and two lists, joined by ':'"))};
    }
    Fen fen;
    const std::optional<Side> to_move = side_of_letter(fields[0]);
    if (!to_move) {
        return FenError{
            Message(N_("the side to move must be W or B, not {1}"), {quoted(fields[0])})};
    }
    fen.side_to_move = *to_move;
    std::optional<Side> first_list;
    for (const std::string_view field : {fields[1], fields[2]}) {
        const std::optional<Side> side =
            field.empty() ? std::nullopt : side_of_letter(field.substr(0, 1));
        if (!side || side == first_list) {
            return FenError{
                Message(N_("the lists must be one of W and one of B, not {1}"), {quoted(field)})};
        }
        first_list = side;
        if (auto error = place_list(field.substr(1), *side, fen.squares)) {
            return *error;
        }
    }
    if (count_pieces(fen.squares).red + count_pieces(fen.squares).blue == 0) {
        return FenError{Message(N_("the board has no piece on it"))};
    }
    return fen;
}

std::string format_fen(const Board& squares, Side side_to_move) {
    std::string out = side_to_move == Side::Red ? "W" : "B";
    for (const Side side : {Side::Red, Side::Blue}) {
        out += side == Side::Red ? ":W" : ":B";
        bool first = true;
        for (int row = 7; row >= 0; --row) {
            for (int column = 0; column < 8; ++column) {
                const char piece = squares[square_index(row, column)];
                if (!belongs_to(piece, side)) {
                    continue;
                }
                if (!first) {
                    out.push_back(',');
                }
                first = false;
                if (piece == king_of(side)) {
                    out.push_back('K');
                }
                const SquareName name = square_name(square_index(row, column));
                out.append(name.begin(), name.end());
            }
        }
    }
    return out;
}

}  // namespace zarvo
