// Move lists of hand-built positions, exactly as the generator must write them.
#include <gtest/gtest.h>

#include "rules/movegen.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::board_with;
using testing::list_moves;
using testing::VariantScope;

constexpr char kGreek = 0;
constexpr char kTurkish = 1;

// Expects the same list in both variants and with both pruning flags.
void expect_everywhere(const Board& b, char side, std::string_view text, int count) {
    for (char v : {kGreek, kTurkish}) {
        for (char prune : {0, 1}) {
            const auto got = list_moves(b, side, prune, v);
            EXPECT_EQ(got.text, text) << "variant " << int(v) << " prune " << int(prune);
            EXPECT_EQ(got.count, count) << "variant " << int(v) << " prune " << int(prune);
        }
    }
}

TEST(GenerateMoves, StartingPositionEitherSide) {
    const Board start = starting_board();
    expect_everywhere(start, 'O', ",a3a4,b3b4,c3c4,d3d4,e3e4,f3f4,g3g4,h3h4", 8);
    expect_everywhere(start, 'X', ",a6a5,b6b5,c6c5,d6d5,e6e5,f6f5,g6g5,h6h5", 8);
}

TEST(GenerateMoves, LoneKingSlidesByDirectionNearestFirst) {
    const Board b = board_with({{"d4", 'O'}, {"h7", 'x'}});
    expect_everywhere(b, 'O',
                      ",d4c4,d4b4,d4a4,d4d3,d4d2,d4d1,d4d5,d4d6,d4d7,d4d8,d4e4,d4f4,d4g4,d4h4", 14);
}

TEST(GenerateMoves, MenCaptureOptionallyInGreekCompulsorilyInTurkish) {
    const Board b =
        board_with({{"c3", 'o'}, {"f2", 'o'}, {"c4", 'x'}, {"c6", 'x'}, {"e5", 'x'}, {"h7", 'x'}});
    for (char prune : {0, 1}) {
        const auto greek = list_moves(b, 'O', prune, kGreek);
        EXPECT_EQ(greek.text, ",c3b3,c3d3,f2e2,f2f3,f2g2,c3c5,c3c5c7");
        EXPECT_EQ(greek.count, 7);
        const auto turkish = list_moves(b, 'O', prune, kTurkish);
        EXPECT_EQ(turkish.text, ",c3c5c7");
        EXPECT_EQ(turkish.count, 1);
    }
}

TEST(GenerateMoves, CapturesComeByDirection) {
    const Board b = board_with({{"c6", 'o'}, {"a2", 'o'}, {"b6", 'x'}, {"c7", 'x'}});
    EXPECT_EQ(list_moves(b, 'O', 1, kGreek).text, ",a2a3,a2b2,c6d6,c6a6,c6c8");
    EXPECT_EQ(list_moves(b, 'O', 1, kGreek).count, 5);
    EXPECT_EQ(list_moves(b, 'O', 1, kTurkish).text, ",c6a6,c6c8");
    EXPECT_EQ(list_moves(b, 'O', 1, kTurkish).count, 2);
}

TEST(GenerateMoves, CrowningEndsTheChain) {
    const Board b = board_with({{"c6", 'o'}, {"a2", 'o'}, {"c7", 'x'}, {"d8", 'X'}});
    EXPECT_EQ(list_moves(b, 'O', 1, kGreek).text, ",a2a3,a2b2,c6b6,c6d6,c6c8");
    EXPECT_EQ(list_moves(b, 'O', 0, kTurkish).text, ",c6c8");
}

TEST(GenerateMoves, NoJumpOverAPieceOnTheEdge) {
    const Board b = board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}});
    const auto greek = list_moves(b, 'X', 1, kGreek);
    EXPECT_EQ(greek.text, ",a4b4,a3b3,b2b1,c2c1,c2d2,a3a1");
    EXPECT_EQ(greek.count, 6);
    const auto turkish = list_moves(b, 'X', 1, kTurkish);
    EXPECT_EQ(turkish.text, ",a3a1");
    EXPECT_EQ(turkish.count, 1);
    // Red is walled in: nothing to play in either variant.
    expect_everywhere(b, 'O', "", 0);
    for (char v : {kGreek, kTurkish}) {
        VariantScope scope(v);
        EXPECT_EQ(check_if_can_play(b, 'O'), 0);
    }
}

TEST(GenerateMoves, TurkishKingLandsAnywhereBehindItsCapture) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}, {"c5", 'x'}});
    for (char prune : {0, 1}) {
        const auto greek = list_moves(b, 'O', prune, kGreek);
        EXPECT_EQ(greek.text, ",a1a2,a1b1,a1c1,a1d1,a1e1,a1f1,a1g1,a1h1,a1a4");
        EXPECT_EQ(greek.count, 9);
        const auto turkish = list_moves(b, 'O', prune, kTurkish);
        EXPECT_EQ(turkish.text, ",a1a5d5,a1a5e5,a1a5f5,a1a5g5,a1a5h5");
        EXPECT_EQ(turkish.count, 5);
    }
}

TEST(GenerateMoves, PruningDropsOnlyRepeatedContinuations) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}, {"a6", 'x'}});
    for (char prune : {0, 1}) {
        const auto greek = list_moves(b, 'O', prune, kGreek);
        EXPECT_EQ(greek.text, ",a1a2,a1b1,a1c1,a1d1,a1e1,a1f1,a1g1,a1h1,a1a4,a1a4a7");
        EXPECT_EQ(greek.count, 10);
    }
    const auto full = list_moves(b, 'O', 0, kTurkish);
    EXPECT_EQ(full.text, ",a1a4a7,a1a4a8,a1a5a7,a1a5a8");
    EXPECT_EQ(full.count, 4);
    const auto pruned = list_moves(b, 'O', 1, kTurkish);
    EXPECT_EQ(pruned.text, ",a1a4a7,a1a4a8");
    EXPECT_EQ(pruned.count, 2);

    VariantScope scope(kTurkish);
    MoveList captures;
    EXPECT_EQ(generate_attacks("a1", b, 6, captures, -1, -1, 0), 6);
    EXPECT_EQ(captures.text(), ",a1a4,a1a4a7,a1a4a8,a1a5,a1a5a7,a1a5a8");
    EXPECT_EQ(clear_attacks(captures), 2);
    EXPECT_EQ(captures.text(), ",a1a4a7,a1a4a8,a1a5a7,a1a5a8");

    EXPECT_EQ(check_legal(b, 'O', "a1a5a7"), 1);
    EXPECT_EQ(check_legal(b, 'O', "a1a4"), 0);
    EXPECT_EQ(check_legal(b, 'O', "a1a5"), 0);
    EXPECT_EQ(check_legal(b, 'O', "a1"), 0);
}

TEST(GenerateMoves, KingMayReturnToItsStartSquare) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}, {"c4", 'x'}, {"d3", 'x'}, {"b1", 'X'}});
    for (char prune : {0, 1}) {
        const auto turkish = list_moves(b, 'O', prune, kTurkish);
        EXPECT_EQ(turkish.text, ",a1a4d4d1a1,a1d1d4a4a2,a1d1d4a4a1");
        EXPECT_EQ(turkish.count, 3);
        const auto greek = list_moves(b, 'O', prune, kGreek);
        EXPECT_EQ(greek.text, ",a1a2,a1a4,a1a4d4,a1a4d4d2,a1c1,a1c1c5");
        EXPECT_EQ(greek.count, 6);
    }
    {
        VariantScope scope(kGreek);
        EXPECT_EQ(check_legal(b, 'O', "a1a4"), 1);
        EXPECT_EQ(check_legal(b, 'O', "a1a4d4"), 1);
        EXPECT_EQ(check_legal(b, 'O', "a1c1c5"), 1);
        EXPECT_EQ(check_legal(b, 'O', "a1"), 0);
        EXPECT_EQ(check_legal(b, 'O', "a1a4d4d1a1"), 0);
    }
    {
        VariantScope scope(kTurkish);
        EXPECT_EQ(check_legal(b, 'O', "a1a4d4d1a1"), 1);
        EXPECT_EQ(check_legal(b, 'O', "a1d1d4a4a2"), 1);
        for (const char* path : {"a1", "a1a4", "a1a4d4", "a1a2", ""}) {
            EXPECT_EQ(check_legal(b, 'O', path), 0) << path;
        }
    }
}

TEST(GenerateMoves, GreekKingCapturesFromAfarButLandsRightBehind) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}});
    const auto greek = list_moves(b, 'O', 1, kGreek);
    EXPECT_NE(greek.text.find(",a1a4"), std::string::npos);
    EXPECT_EQ(greek.text.find(",a1a5"), std::string::npos);
}

TEST(GenerateMoves, NoSideLetterMeansNoMoves) {
    const Board start = starting_board();
    EXPECT_EQ(list_moves(start, 'o', 0, kGreek).count, 0);
    EXPECT_EQ(list_moves(start, ' ', 0, kTurkish).text, "");
}

TEST(ClearAttacks, KeepsLongestInOrder) {
    MoveList list;
    list.assign(",a1a2,b1b2b3,c1c2,d1d2d3,e1e2");
    EXPECT_EQ(clear_attacks(list), 3);
    EXPECT_EQ(list.text(), ",b1b2b3,d1d2d3");
    list.assign(",a1a2a3");
    EXPECT_EQ(clear_attacks(list), 0);
    EXPECT_EQ(list.text(), ",a1a2a3");
}

TEST(CheckLegal, StartingMovesOnly) {
    VariantScope scope(kGreek);
    const Board start = starting_board();
    EXPECT_EQ(check_legal(start, 'O', "c3c4"), 1);
    EXPECT_EQ(check_legal(start, 'O', "c3c"), 0);
    EXPECT_EQ(check_legal(start, 'O', "c6c5"), 0);
    EXPECT_EQ(check_legal(start, 'X', "c6c5"), 1);
    EXPECT_EQ(check_legal(start, 'O', "c3c4,d3d4"), 0);
    EXPECT_EQ(check_if_can_play(start, 'O'), 8);
}

}  // namespace
}  // namespace zarvo
