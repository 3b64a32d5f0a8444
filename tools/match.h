// Matches between the computer's levels: the players, the fixed set of openings, one game played
// out with its result, and the figures of a match (its score and the Elo difference it shows).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "ai/expert_eval.h"
#include "ai/level.h"
#include "game/record.h"
#include "rules/board.h"

namespace zarvo::cli {

// A player of a match: a level, and the Expert's thinking time per move and weights.
struct Player {
    Level level = Level::Hard;
    std::chrono::milliseconds thinking_time = std::chrono::milliseconds(1000);
    ExpertWeights weights = kExpertWeights;
    // Whether the weights are not the Expert's own (a trial of self-play tuning).
    bool tuned = false;

    // The name it is given on the command line: easy, medium, hard, expert:MS; a '*' follows the
    // name of an Expert with weights of its own.
    std::string name() const;
};

// Reads a player's name: easy, medium, hard, expert (one second a move) or expert:MS (MS from 1 to
// 600000); a UsageError for anything else.
Player parse_player(const std::string& text);

// Changes an Expert's weights as a list of NAME=VALUE, separated by commas, says: a weight of
// ExpertWeights by its name, or advance_opening / advance_ending as a percentage of every entry
// of that table; a UsageError for anything else.
void tune_weights(Player& player, const std::string& text);

// An opening of the match set: a few half-moves from the start, as move strings.
struct Opening {
    const char* moves[3];
};

// The fixed set of openings every match plays, each twice with the colours swapped: fifty of
// three men's moves from the start (red, blue, red), none a capture, leading to fifty positions
// none of which is another or its mirror image. They are those that the Expert searching to depth
// 8 scores nearest to even (within two hundredths of a man) in both variants.
std::span<const Opening> match_openings();

// How a game ended.
enum class Ending : std::uint8_t { NoPieces, NoMoves, Repetition, PlyLimit };

// The moves a game may last before it is adjudicated a draw, the opening's included.
inline constexpr int kMatchPlyLimit = 200;

// One game of a match: who played red, how it ended and who won (nothing for a draw), its length,
// its record, and each player's time over its moves.
struct MatchGame {
    bool first_is_red = true;
    Ending ending = Ending::PlyLimit;
    std::optional<Side> winner;
    int plies = 0;
    GameRecord record;
    std::chrono::nanoseconds first_time{};
    int first_moves = 0;
    std::chrono::nanoseconds second_time{};
    int second_moves = 0;
};

// Plays one game of `first` against `second` in `variant` from `opening`, `first` playing red
// when `first_is_red`. The budgeted levels break their ties with draws from `seed`.
MatchGame play_game(const Player& first, const Player& second, Variant variant,
                    const Opening& opening, bool first_is_red, std::uint64_t seed);

// The tally of a match from the first player's side.
struct Tally {
    int wins = 0;
    int draws = 0;
    int losses = 0;
    std::chrono::nanoseconds first_time{};
    int first_moves = 0;
    std::chrono::nanoseconds second_time{};
    int second_moves = 0;

    void add(const MatchGame& game);
    int games() const { return wins + draws + losses; }
    // The first player's share of the points, from 0 to 1.
    double score() const;
};

// The Elo difference a share of the points stands for, and the half-width of its 95 % interval
// from the spread of the games' results. A share of 0 or 1 is taken as half a game from it.
struct EloEstimate {
    double difference = 0;
    double margin = 0;
};
EloEstimate elo_of(const Tally& tally);

}  // namespace zarvo::cli
