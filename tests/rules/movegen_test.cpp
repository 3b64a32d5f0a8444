// Move lists of hand-built positions, exactly as the generator must write them.
#include <gtest/gtest.h>

#include "rules/movegen.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

constexpr Landings kEvery = Landings::Every;
constexpr Landings kDistinct = Landings::Distinct;

// Expects the same list in both variants and with both kinds of landing lists.
void expect_everywhere(const Board& b, Side side, std::string_view text, int count) {
    for (Variant v : {kGreek, kTurkish}) {
        for (Landings landings : {kEvery, kDistinct}) {
            const auto got = list_moves(b, side, landings, v);
            EXPECT_EQ(got.text, text) << "variant " << int(v) << " landings " << int(landings);
            EXPECT_EQ(got.count, count) << "variant " << int(v) << " landings " << int(landings);
            EXPECT_EQ(count_legal_moves({b, v}, side, landings), count);
        }
    }
}

// Expects the list in one variant for both kinds of landing lists.
void expect_list(const Board& b, Side side, Variant v, std::string_view text, int count) {
    for (Landings landings : {kEvery, kDistinct}) {
        const auto got = list_moves(b, side, landings, v);
        EXPECT_EQ(got.text, text) << "landings " << int(landings);
        EXPECT_EQ(got.count, count) << "landings " << int(landings);
    }
}

TEST(GenerateMoves, StartingPositionEitherSide) {
    const Board start = starting_board();
    expect_everywhere(start, kRed, ",a3a4,b3b4,c3c4,d3d4,e3e4,f3f4,g3g4,h3h4", 8);
    expect_everywhere(start, kBlue, ",a6a5,b6b5,c6c5,d6d5,e6e5,f6f5,g6g5,h6h5", 8);
}

TEST(GenerateMoves, LoneKingSlidesByDirectionNearestFirst) {
    const Board b = board_with({{"d4", 'O'}, {"h7", 'x'}});
    expect_everywhere(b, kRed,
                      ",d4c4,d4b4,d4a4,d4d3,d4d2,d4d1,d4d5,d4d6,d4d7,d4d8,d4e4,d4f4,d4g4,d4h4", 14);
}

TEST(GenerateMoves, MenCaptureOptionallyInGreekCompulsorilyInTurkish) {
    const Board b =
        board_with({{"c3", 'o'}, {"f2", 'o'}, {"c4", 'x'}, {"c6", 'x'}, {"e5", 'x'}, {"h7", 'x'}});
    expect_list(b, kRed, kGreek, ",c3b3,c3d3,f2e2,f2f3,f2g2,c3c5,c3c5c7", 7);
    expect_list(b, kRed, kTurkish, ",c3c5c7", 1);
}

TEST(GenerateMoves, CapturesComeByDirection) {
    const Board b = board_with({{"c6", 'o'}, {"a2", 'o'}, {"b6", 'x'}, {"c7", 'x'}});
    expect_list(b, kRed, kGreek, ",a2a3,a2b2,c6d6,c6a6,c6c8", 5);
    expect_list(b, kRed, kTurkish, ",c6a6,c6c8", 2);
}

TEST(GenerateMoves, CrowningEndsTheChain) {
    const Board b = board_with({{"c6", 'o'}, {"a2", 'o'}, {"c7", 'x'}, {"d8", 'X'}});
    expect_list(b, kRed, kGreek, ",a2a3,a2b2,c6b6,c6d6,c6c8", 5);
    expect_list(b, kRed, kTurkish, ",c6c8", 1);
}

TEST(GenerateMoves, NoJumpOverAPieceOnTheEdge) {
    const Board b = board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}});
    expect_list(b, kBlue, kGreek, ",a4b4,a3b3,b2b1,c2c1,c2d2,a3a1", 6);
    expect_list(b, kBlue, kTurkish, ",a3a1", 1);
    // Red is walled in: nothing to play in either variant.
    expect_everywhere(b, kRed, "", 0);
}

TEST(GenerateMoves, TurkishKingLandsAnywhereBehindItsCapture) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}, {"c5", 'x'}});
    expect_list(b, kRed, kGreek, ",a1a2,a1b1,a1c1,a1d1,a1e1,a1f1,a1g1,a1h1,a1a4", 9);
    expect_list(b, kRed, kTurkish, ",a1a5d5,a1a5e5,a1a5f5,a1a5g5,a1a5h5", 5);
    // A Greek king captures from afar but lands right behind its capture.
    EXPECT_FALSE(is_legal({b, kGreek}, kRed, path("a1a5")));
}

TEST(GenerateMoves, DistinctLandingsDropOnlyRepeatedContinuations) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}, {"a6", 'x'}});
    expect_list(b, kRed, kGreek, ",a1a2,a1b1,a1c1,a1d1,a1e1,a1f1,a1g1,a1h1,a1a4,a1a4a7", 10);
    EXPECT_EQ(list_moves(b, kRed, kEvery, kTurkish).text, ",a1a4a7,a1a4a8,a1a5a7,a1a5a8");
    EXPECT_EQ(list_moves(b, kRed, kDistinct, kTurkish).text, ",a1a4a7,a1a4a8");
    EXPECT_EQ(count_legal_moves({b, kTurkish}, kRed, kEvery), 4);
    EXPECT_EQ(count_legal_moves({b, kTurkish}, kRed, kDistinct), 2);

    const Position turkish{b, kTurkish};
    EXPECT_TRUE(is_legal(turkish, kRed, path("a1a5a7")));
    for (const char* short_of_greatest : {"a1a4", "a1a5", "a1"}) {
        EXPECT_FALSE(is_legal(turkish, kRed, path(short_of_greatest))) << short_of_greatest;
    }
}

TEST(GenerateMoves, KingMayReturnToItsStartSquare) {
    const Board b = board_with({{"a1", 'O'}, {"a3", 'x'}, {"c4", 'x'}, {"d3", 'x'}, {"b1", 'X'}});
    expect_list(b, kRed, kTurkish, ",a1a4d4d1a1,a1d1d4a4a2,a1d1d4a4a1", 3);
    expect_list(b, kRed, kGreek, ",a1a2,a1a4,a1a4d4,a1a4d4d2,a1c1,a1c1c5", 6);
    const Position greek{b, kGreek};
    for (const char* legal : {"a1a4", "a1a4d4", "a1c1c5"}) {
        EXPECT_TRUE(is_legal(greek, kRed, path(legal))) << legal;
    }
    for (const char* illegal : {"a1", "a1a4d4d1a1"}) {
        EXPECT_FALSE(is_legal(greek, kRed, path(illegal))) << illegal;
    }
    const Position turkish{b, kTurkish};
    for (const char* legal : {"a1a4d4d1a1", "a1d1d4a4a2"}) {
        EXPECT_TRUE(is_legal(turkish, kRed, path(legal))) << legal;
    }
    for (const char* illegal : {"a1", "a1a4", "a1a4d4", "a1a2", ""}) {
        EXPECT_FALSE(is_legal(turkish, kRed, path(illegal))) << illegal;
    }
}

}  // namespace
}  // namespace zarvo
