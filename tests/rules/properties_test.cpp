// Invariants of the generator over thousands of positions, reached by random play in both
// variants and by random placements with kings.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

// Random placements: up to 16 pieces a side, many of them kings, men off their crowning rows.
std::vector<Situation> random_placements(unsigned seed, int count) {
    std::mt19937 rng(seed);
    std::vector<Situation> out;
    for (int i = 0; i < count; ++i) {
        Board b = empty_board();
        for (Side side : {kRed, kBlue}) {
            const int pieces = 1 + static_cast<int>(rng() % 16);
            for (int p = 0; p < pieces; ++p) {
                const int square = static_cast<int>(rng() % 64);
                if (b[square] != kEmpty) {
                    continue;
                }
                const bool king = rng() % 2 == 0;
                const int row = row_of(square);
                if (!king && ((side == kRed && row == 0) || (side == kBlue && row == 7))) {
                    continue;
                }
                b[square] = king ? king_of(side) : man_of(side);
            }
        }
        out.push_back({{b, i % 2 ? kTurkish : kGreek}, rng() % 2 ? kRed : kBlue});
    }
    return out;
}

std::vector<Situation> all_positions() {
    std::vector<Situation> all = random_game_positions(kGreek, 1, 40, 150);
    const auto turkish = random_game_positions(kTurkish, 2, 40, 150);
    const auto placed = random_placements(3, 3000);
    all.insert(all.end(), turkish.begin(), turkish.end());
    all.insert(all.end(), placed.begin(), placed.end());
    return all;
}

// Pieces of one side on a board.
int pieces_of(const Board& b, Side side) {
    return static_cast<int>(
        std::count_if(b.begin(), b.end(), [side](char p) { return belongs_to(p, side); }));
}

// The moves as a set of move strings.
std::set<std::string> move_set(const MoveList& list) {
    std::set<std::string> out;
    for (const Move& m : list) {
        out.insert(format_move(m));
    }
    return out;
}

TEST(GeneratorProperties, HoldOverManyPositions) {
    const std::vector<Situation> positions = all_positions();
    ASSERT_GT(positions.size(), 5000u);
    MoveList full;
    MoveList distinct;
    std::size_t captures_seen = 0;
    for (const auto& [pos, side] : positions) {
        const int n_full = generate_moves(pos, side, full, Landings::Every);
        const int n_distinct = generate_moves(pos, side, distinct, Landings::Distinct);
        // The count is the number of entries, and counting alone finds the same.
        ASSERT_EQ(static_cast<std::size_t>(n_full), full.size());
        ASSERT_EQ(static_cast<std::size_t>(n_distinct), distinct.size());
        ASSERT_EQ(count_legal_moves(pos, side, Landings::Every), n_full);
        ASSERT_EQ(count_legal_moves(pos, side, Landings::Distinct), n_distinct);
        ASSERT_LE(n_distinct, n_full);
        // Every distinct entry is in the full list, and no entry is listed twice.
        const std::set<std::string> all = move_set(full);
        ASSERT_EQ(all.size(), full.size()) << "an entry is listed twice";
        for (const std::string& m : move_set(distinct)) {
            ASSERT_TRUE(all.count(m)) << m;
        }
        // Every entry is well formed; a capture takes one enemy piece per step, a plain move
        // none; the mover keeps all its pieces.
        std::size_t longest = 0;
        std::size_t shortest = kMaxPathSquares;
        bool any_capture = false;
        const int enemy_before = pieces_of(pos.squares, opponent(side));
        for (const Move& m : full) {
            ASSERT_TRUE(is_well_formed(m)) << format_move(m);
            longest = std::max(longest, m.size());
            shortest = std::min(shortest, m.size());
            Position after = pos;
            play_move(after, m);
            const int taken = enemy_before - pieces_of(after.squares, opponent(side));
            ASSERT_EQ(pieces_of(after.squares, side), pieces_of(pos.squares, side));
            ASSERT_EQ(taken > 0, is_capture(pos, m)) << format_move(m);
            if (taken > 0) {
                any_capture = true;
                ASSERT_EQ(static_cast<std::size_t>(taken), m.steps()) << format_move(m);
                ++captures_seen;
            } else {
                ASSERT_EQ(m.steps(), 1u) << format_move(m);
            }
        }
        // The Turkish list holds only the longest captures when any capture exists.
        if (pos.variant == kTurkish && any_capture) {
            ASSERT_EQ(longest, shortest);
        }
    }
    EXPECT_GT(captures_seen, 1000u);
}

TEST(GeneratorProperties, LegalityAgreesWithTheFullList) {
    MoveList full;
    for (const auto& [pos, side] : random_placements(7, 500)) {
        generate_moves(pos, side, full, Landings::Every);
        for (const Move& m : full) {
            ASSERT_TRUE(is_legal(pos, side, m)) << format_move(m);
            Move start;
            start.push(m.from());
            ASSERT_FALSE(is_legal(pos, side, start));
        }
    }
}

TEST(GeneratorProperties, TheWalksTheSearchUsesAgreeWithTheGreekList) {
    std::vector<Situation> positions = random_game_positions(kGreek, 21, 20, 150);
    const auto placed = random_placements(22, 2000);
    positions.insert(positions.end(), placed.begin(), placed.end());
    MoveList list;
    for (auto [pos, side] : positions) {
        // The Greek list holds every plain move first, then every capture path.
        pos.variant = kGreek;
        generate_moves(pos, side, list, Landings::Distinct);
        const PieceBits bits = PieceBits::of(pos.squares);
        std::size_t plain = 0;
        bool in_order = true;
        visit_plain_moves(pos.squares, bits, side, [&](int from, int to) {
            in_order = in_order && plain < list.size() && list[plain] == Move::step(from, to);
            ++plain;
        });
        ASSERT_TRUE(in_order) << format_pos(pos.squares);
        // The rest are captures, made by exactly the pieces found able to capture.
        std::uint64_t capturing = 0;
        for (std::size_t i = plain; i < list.size(); ++i) {
            ASSERT_TRUE(is_capture(pos, list[i])) << format_move(list[i]);
            capturing |= square_bit(list[i].from());
        }
        ASSERT_EQ(capturing_pieces(bits, side), capturing) << format_pos(pos.squares);
    }
}

}  // namespace
}  // namespace zarvo
