// Building boards for tests from a few named squares.
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

// A position with the side to move and the variant it is played in.
struct Position {
    Board board;
    char side;
    char variant;
};

// Every `every`-th position met in `games` random games from the start (at most `plies`
// half-moves each), with the computer's lists; a side with no move passes.
inline std::vector<Position> random_game_positions(char v, unsigned seed, int games, int plies,
                                                   int every = 1) {
    VariantScope scope(v);
    std::mt19937 rng(seed);
    std::vector<Position> out;
    MoveList list;
    for (int game = 0; game < games; ++game) {
        Board b = starting_board();
        char side = kRed;
        for (int ply = 0; ply < plies; ++ply) {
            int blue = 0;
            int red = 0;
            if (check_winner(b, blue, red) != 0) {
                break;
            }
            if (ply % every == every - 1) {
                out.push_back({b, side, v});
            }
            const int n = generate_moves(b, side, list, 1);
            if (n > 0) {
                int pick = static_cast<int>(rng() % static_cast<unsigned>(n));
                for (std::string_view m : list.entries()) {
                    if (pick-- == 0) {
                        play_move(b, m);
                        break;
                    }
                }
            }
            side = opponent(side);
        }
    }
    return out;
}

// A position where red has a capture path of sixteen captures: 17 squares, 34 characters.
struct LongCapture {
    char variant;
    const char* pos;
    const char* path;
};

inline constexpr LongCapture kSixteenCaptures[] = {
    {0, ".x.x..../.x.x.x.x/x.x...../...x..../......xx/xx..x.../.x...Ox./........",
     "f2a2a4a7c7e7g7g3d3d6b6b2h2h5h8c8a8"},
    {1, "..x.O.x./x...x.xx/....xxx./x..x...x/....xx../...x..../.x....../........",
     "e8a8a6a3f3f5f8h8h6f6d6d4h4h7f7b7b1"},
};

}  // namespace zarvo::testing
