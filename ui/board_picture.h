// What the board shows, apart from how it is painted: the sprite of every square and piece, the
// marked squares and the score line. A pure function of the position, the paths and who opened.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "game/settings.h"
#include "rules/board.h"
#include "rules/message.h"
#include "rules/move.h"

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

// The score line under the menu bar, red count first in every wording: the human's side named
// "You" and the computer's "CPU", or, with two players, each side by its colour.
inline std::string score_text(const Board& board, FirstPlayer first_player,
                              bool two_players = false, Translator translate = nullptr) {
    const PieceCounts counts = count_pieces(board);
    const char* format = two_players ? N_("Red: {1} Blue: {2}")
                         : first_player == FirstPlayer::Human
                             ? N_("You (red): {1} CPU (blue) : {2}")
                             : N_(" CPU (red): {1} You (blue): {2}");
    return Message(format, {std::to_string(counts.red), std::to_string(counts.blue)})
        .text(translate);
}

// Calls `mark(square)` for every square of the pending path and then of the last move; a square
// in both is marked twice, which looks the same as once.
template <typename Mark>
void for_each_marked_square(const Move& pending, const Move& last, Mark mark) {
    for (const Move* path : {&pending, &last}) {
        for (int square : path->squares()) {
            mark(square);
        }
    }
}

}  // namespace zarvo
