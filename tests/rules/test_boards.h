// Building positions for tests from a few named squares, random positions from play, and the
// move lists the generator writes in their comma form.
#pragma once

#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rules/board.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"

namespace zarvo::testing {

inline constexpr Variant kGreek = Variant::Greek;
inline constexpr Variant kTurkish = Variant::Turkish;
inline constexpr Side kRed = Side::Red;
inline constexpr Side kBlue = Side::Blue;

// The square index of a name such as "e4".
inline int sq(std::string_view name) {
    return *parse_square(name[0], name[1]);
}

// A board holding only the given pieces, e.g. {{"c3", 'o'}, {"c4", 'x'}}.
inline Board board_with(std::initializer_list<std::pair<std::string_view, char>> pieces) {
    Board b = empty_board();
    for (const auto& [name, piece] : pieces) {
        b[static_cast<std::size_t>(sq(name))] = piece;
    }
    return b;
}

// A position from its POS text.
inline Position pos_of(std::string_view text, Variant variant) {
    return {*parse_pos(text), variant};
}

// A path from its move string ("c3c5c7"); an empty path for text that names no squares.
inline Move path(std::string_view text) {
    return parse_move(text).value_or(Move{});
}

// The move list text and count that generate_moves gives.
struct Listed {
    std::string text;
    int count;
};

inline Listed list_moves(const Board& b, Side side, Landings landings, Variant variant) {
    MoveList list;
    const int n = generate_moves({b, variant}, side, list, landings);
    return {format_move_list(list), n};
}

// A position with the side to move.
struct Situation {
    Position position;
    Side side;
};

// Every `every`-th position met in `games` random games from the start (at most `plies`
// half-moves each), with the computer's lists; a side with no move passes.
inline std::vector<Situation> random_game_positions(Variant variant, unsigned seed, int games,
                                                    int plies, int every = 1) {
    std::mt19937 rng(seed);
    std::vector<Situation> out;
    MoveList list;
    for (int game = 0; game < games; ++game) {
        Position p = starting_position(variant);
        Side side = kRed;
        for (int ply = 0; ply < plies; ++ply) {
            if (winner_by_pieces(p.squares)) {
                break;
            }
            if (ply % every == every - 1) {
                out.push_back({p, side});
            }
            const int n = generate_moves(p, side, list, Landings::Distinct);
            if (n > 0) {
                play_move(p, list[rng() % static_cast<unsigned>(n)]);
            }
            side = opponent(side);
        }
    }
    return out;
}

// A position where red has a capture path of sixteen captures: 17 squares.
struct LongCapture {
    Variant variant;
    const char* pos;
    const char* path;
};

inline constexpr LongCapture kSixteenCaptures[] = {
    {kGreek, ".x.x..../.x.x.x.x/x.x...../...x..../......xx/xx..x.../.x...Ox./........",
     "f2a2a4a7c7e7g7g3d3d6b6b2h2h5h8c8a8"},
    {kTurkish, "..x.O.x./x...x.xx/....xxx./x..x...x/....xx../...x..../.x....../........",
     "e8a8a6a3f3f5f8h8h6f6d6d4h4h7f7b7b1"},
};

}  // namespace zarvo::testing
