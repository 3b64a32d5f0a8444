// The record of a game: the position it began from, every turn played since, and how it ended.
// The game in progress keeps one; game records in files are read into one and written from one.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

// How a game ended, as records write it: red is White, since red moves first.
enum class GameResult : std::uint8_t { Unfinished, RedWins, BlueWins, Draw };

// One turn of a record: the side whose turn it was, the position it moved from, and its move
// (nothing when it had none and passed).
struct PlayedTurn {
    Side side = Side::Red;
    Position before;
    std::optional<Move> move;

    // The position once the turn was played: its move made, or as it stood for a pass.
    Position after() const;

    friend bool operator==(const PlayedTurn&, const PlayedTurn&) = default;
};

// A game as its record keeps it: the position it began from (with its variant) and the side to
// move there, every turn since (passes included, sides alternating), and its result.
struct GameRecord {
    Position start = starting_position(Variant::Greek);
    Side first_side = Side::Red;
    std::vector<PlayedTurn> turns;
    GameResult result = GameResult::Unfinished;

    // The position after the last turn, and the side to move there.
    Position end() const;
    Side side_to_move() const;

    friend bool operator==(const GameRecord&, const GameRecord&) = default;
};

}  // namespace zarvo
