// What the board shows, apart from how it is painted: the sprite of every square and piece, the
// marked squares and the score line. A pure function of the table, the paths and first_player.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "rules/board.h"
#include "rules/notation.h"

namespace zarvo {

// The seven sprites, indexed as the window creates them.
enum Sprite : int {
    kDarkSquare = 0,
    kLightSquare = 1,
    kBlueManSprite = 2,
    kRedManSprite = 3,
    kBlueKingSprite = 4,
    kRedKingSprite = 5,
    kMarkerSprite = 6,
};
// How many sprites the window builds.
inline constexpr int kSpriteCount = 7;

// The square sprite follows the board cell, not the screen: a8 is dark whichever way up.
constexpr Sprite square_sprite(int square) {
    return (row_of(square) + column_of(square)) % 2 == 0 ? kDarkSquare : kLightSquare;
}

// The sprite of a piece code; nothing for an empty square and for any byte that is not a piece
// (only a damaged saved game holds one), which is then neither drawn nor counted.
constexpr std::optional<Sprite> piece_sprite(char code) {
    switch (code) {
        case kBlueMan:
            return kBlueManSprite;
        case kRedMan:
            return kRedManSprite;
        case kBlueKing:
            return kBlueKingSprite;
        case kRedKing:
            return kRedKingSprite;
        default:
            return std::nullopt;
    }
}

// The pieces of each colour drawn on a board; kings count like men.
struct PieceCounts {
    int red = 0;
    int blue = 0;
};

// Counts the pieces drawn on a board, by colour.
constexpr PieceCounts count_pieces(const Board& board) {
    PieceCounts counts;
    for (char code : board) {
        const std::optional<Sprite> sprite = piece_sprite(code);
        if (sprite == kRedManSprite || sprite == kRedKingSprite) {
            ++counts.red;
        } else if (sprite == kBlueManSprite || sprite == kBlueKingSprite) {
            ++counts.blue;
        }
    }
    return counts;
}

// The score line under the menu bar, red count first in both wordings.
inline std::string score_text(const Board& board, char first_player) {
    const PieceCounts counts = count_pieces(board);
    char line[64];
    std::snprintf(
        line, sizeof line,
        first_player == 2 ? "You (red): %d CPU (blue) : %d" : " CPU (red): %d You (blue): %d",
        counts.red, counts.blue);
    return line;
}

// Calls `mark(square)` for every square of the pending path and then of the last move; a square
// in both is marked twice, which looks the same as once.
template <typename Mark>
void for_each_marked_square(const MoveString& pending, const MoveString& last, Mark mark) {
    for (const MoveString* path : {&pending, &last}) {
        for (std::size_t i = 0; i < path->squares(); ++i) {
            mark(path->square(i));
        }
    }
}

}  // namespace zarvo
