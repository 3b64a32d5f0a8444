// Building boards for tests from a few named squares.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "rules/board.h"
#include "rules/movegen.h"
#include "rules/notation.h"

namespace zarvo::testing {

// A board holding only the given pieces, e.g. {{"c3", 'o'}, {"c4", 'x'}}.
inline Board board_with(std::initializer_list<std::pair<std::string_view, char>> pieces) {
    Board b = empty_board();
    for (const auto& [name, piece] : pieces) {
        b[*parse_square(name[0], name[1])] = piece;
    }
    return b;
}

// The square index of a name such as "e4".
inline int sq(std::string_view name) {
    return *parse_square(name[0], name[1]);
}

// Sets the global variant for the lifetime of a test scope.
class VariantScope {
  public:
    explicit VariantScope(char v) : saved_(variant) { variant = v; }
    ~VariantScope() { variant = saved_; }
    VariantScope(const VariantScope&) = delete;
    VariantScope& operator=(const VariantScope&) = delete;

  private:
    char saved_;
};

// The move list text and count that generate_moves gives.
struct Listed {
    std::string text;
    int count;
};

inline Listed list_moves(const Board& b, char side, char prune, char v) {
    VariantScope scope(v);
    MoveList list;
    const int n = generate_moves(b, side, list, prune);
    return {std::string(list.text()), n};
}

}  // namespace zarvo::testing
