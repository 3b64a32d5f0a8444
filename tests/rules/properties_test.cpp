// Invariants of the generator over thousands of positions, reached by random play in both
// variants and by random placements with kings.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "rules/movegen.h"
#include "rules/play.h"
#include "rules/scan.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::Position;
using testing::random_game_positions;
using testing::VariantScope;

// Random placements: up to 16 pieces a side, many of them kings, men off their crowning rows.
std::vector<Position> random_placements(unsigned seed, int count) {
    std::mt19937 rng(seed);
    std::vector<Position> out;
    for (int i = 0; i < count; ++i) {
        Board b = empty_board();
        for (char side : {'O', 'X'}) {
            const int pieces = 1 + static_cast<int>(rng() % 16);
            for (int p = 0; p < pieces; ++p) {
                const int square = static_cast<int>(rng() % 64);
                if (b[square] != kEmpty) {
                    continue;
                }
                const bool king = rng() % 2 == 0;
                const int row = row_of(square);
                if (!king && ((side == 'O' && row == 0) || (side == 'X' && row == 7))) {
                    continue;
                }
                b[square] = king ? side : man_of(side);
            }
        }
        out.push_back({b, rng() % 2 ? 'O' : 'X', static_cast<char>(i % 2)});
    }
    return out;
}

std::vector<Position> all_positions() {
    std::vector<Position> all = random_game_positions(0, 1, 40, 150);
    const auto turkish = random_game_positions(1, 2, 40, 150);
    const auto placed = random_placements(3, 3000);
    all.insert(all.end(), turkish.begin(), turkish.end());
    all.insert(all.end(), placed.begin(), placed.end());
    return all;
}

// Pieces of one side on a board.
int pieces_of(const Board& b, char side) {
    int n = 0;
    for (char p : b) {
        n += belongs_to(p, side) ? 1 : 0;
    }
    return n;
}

TEST(GeneratorProperties, HoldOverManyPositions) {
    const std::vector<Position> positions = all_positions();
    ASSERT_GT(positions.size(), 5000u);
    MoveList full;
    MoveList pruned;
    std::size_t captures_seen = 0;
    for (const Position& pos : positions) {
        VariantScope scope(pos.variant);
        const int n_full = generate_moves(pos.board, pos.side, full, 0);
        const int n_pruned = generate_moves(pos.board, pos.side, pruned, 1);
        // The count is the number of entries.
        ASSERT_EQ(static_cast<std::size_t>(n_full), count_moves(full.text()));
        ASSERT_EQ(static_cast<std::size_t>(n_pruned), count_moves(pruned.text()));
        ASSERT_LE(n_pruned, n_full);
        // Every pruned entry is in the full list.
        const std::set<std::string_view> all(full.entries().begin(), full.entries().end());
        ASSERT_EQ(all.size(), static_cast<std::size_t>(n_full)) << "an entry is listed twice";
        for (std::string_view m : pruned.entries()) {
            ASSERT_TRUE(all.count(m)) << m;
        }
        // Every entry is a well-formed move that checks as legal.
        std::size_t longest = 0;
        std::size_t shortest = 1000;
        bool any_capture = false;
        const int enemy_before = pieces_of(pos.board, opponent(pos.side));
        for (std::string_view m : full.entries()) {
            ASSERT_TRUE(is_well_formed_move(m)) << m;
            longest = std::max(longest, m.size());
            shortest = std::min(shortest, m.size());
            Board after = pos.board;
            ASSERT_TRUE(play_move(after, m));
            const int taken = enemy_before - pieces_of(after, opponent(pos.side));
            ASSERT_EQ(pieces_of(after, pos.side), pieces_of(pos.board, pos.side));
            // A capture takes one enemy piece per step; a plain move takes none.
            const int steps = static_cast<int>(m.size() / 2) - 1;
            const bool capture = taken > 0;
            any_capture = any_capture || capture;
            if (capture) {
                ASSERT_EQ(taken, steps) << m;
                ++captures_seen;
            } else {
                ASSERT_EQ(steps, 1) << m;
            }
        }
        // The Turkish list holds only the longest captures when any capture exists.
        if (pos.variant != 0 && any_capture) {
            ASSERT_EQ(longest, shortest);
        }
    }
    EXPECT_GT(captures_seen, 1000u);
}

TEST(GeneratorProperties, LegalityAgreesWithTheFullList) {
    const std::vector<Position> positions = random_placements(7, 500);
    MoveList full;
    for (const Position& pos : positions) {
        VariantScope scope(pos.variant);
        generate_moves(pos.board, pos.side, full, 0);
        const std::string copy(full.text());
        for (std::string_view m : MoveEntries(copy)) {
            ASSERT_EQ(check_legal(pos.board, pos.side, m), 1) << m;
            ASSERT_EQ(check_legal(pos.board, pos.side, m.substr(0, 2)), 0);
        }
    }
}

TEST(GeneratorProperties, PlainMoveWalkAgreesWithTheList) {
    std::vector<testing::Position> positions = testing::random_game_positions(0, 21, 20, 150);
    const auto placed = random_placements(22, 2000);
    positions.insert(positions.end(), placed.begin(), placed.end());
    MoveList list;
    for (const testing::Position& pos : positions) {
        // The Greek list holds every plain move first, then every capture path.
        VariantScope scope(0);
        generate_moves(pos.board, pos.side, list, 1);
        MoveList walked;
        const bool capture = visit_plain_moves(
            pos.board, pos.side, [&](int from, int to) { walked.append_step(from, to); });
        ASSERT_TRUE(list.text().starts_with(walked.text()));
        const std::string_view rest = list.text().substr(walked.text().size());
        ASSERT_EQ(capture, !rest.empty()) << format_pos(pos.board) << ' ' << pos.side;
        for (std::string_view m : MoveEntries(rest)) {
            Board after = pos.board;
            play_move(after, m);
            int blue = 0;
            int red = 0;
            check_winner(after, blue, red);
            int blue_before = 0;
            int red_before = 0;
            check_winner(pos.board, blue_before, red_before);
            ASSERT_LT(blue + red, blue_before + red_before) << m;
        }
    }
}

}  // namespace
}  // namespace zarvo
