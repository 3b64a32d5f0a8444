// The largest lists and the longest paths the rules allow are held whole.
#include <gtest/gtest.h>

#include <algorithm>

#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

// The longest entry of a move list.
Move longest_entry(const MoveList& list) {
    return *std::max_element(list.begin(), list.end(),
                             [](const Move& a, const Move& b) { return a.size() < b.size(); });
}

TEST(Capacity, GreekKingsFacingScatteredPiecesOutgrowTheInitialList) {
    // Sixteen red kings against sixteen blue pieces set out in a lattice.
    const Position p =
        pos_of(".OO.OO../O.....O./.x.X.x.O/x.x.X.X./.x.X.x.O/X.X.X.X./.x...x.O/OOOOOOO.", kGreek);
    MoveList list;
    const int n = generate_moves(p, kRed, list, Landings::Distinct);
    EXPECT_EQ(n, 10712);
    EXPECT_EQ(format_move_list(list).size(), 260200u);
    EXPECT_GT(list.size(), MoveList::kInitialCapacity);
    // The list is whole: its last entry is a capture path, and the legality test, which needs
    // the complete list, accepts it.
    EXPECT_TRUE(is_legal(p, kRed, list[list.size() - 1]));
    EXPECT_EQ(count_legal_moves(p, kRed, Landings::Distinct), n);
}

TEST(Capacity, TurkishKingAgainstEightPiecesListsHundredsOfLandings) {
    const Position p =
        pos_of(".....X.O/......x./.......x/....X.../X......./.x....../..x...../...X....", kTurkish);
    MoveList full;
    EXPECT_EQ(generate_moves(p, kRed, full, Landings::Every), 232);
    EXPECT_EQ(format_move_list(full).size(), 4408u);
    // Here every continuation turns aside, so distinct landings drop nothing.
    EXPECT_EQ(count_legal_moves(p, kRed, Landings::Distinct), 232);
    for (const Move& m : full) {
        ASSERT_TRUE(is_legal(p, kRed, m)) << format_move(m);
    }
}

TEST(Capacity, DistinctLandingsKeepTheGreatestCapture) {
    const Position p =
        pos_of("...x..../..x...../.x....../x...x.../......../.......x/..x.O.x./........", kTurkish);
    MoveList full;
    MoveList distinct;
    EXPECT_EQ(generate_moves(p, kRed, full, Landings::Every), 190);
    EXPECT_EQ(generate_moves(p, kRed, distinct, Landings::Distinct), 132);
    EXPECT_EQ(longest_entry(full).size(), longest_entry(distinct).size());
}

TEST(Capacity, SixteenCapturesInOnePath) {
    for (const LongCapture& c : kSixteenCaptures) {
        const Position p = pos_of(c.pos, c.variant);
        MoveList list;
        generate_moves(p, kRed, list, Landings::Distinct);
        const Move longest = longest_entry(list);
        EXPECT_EQ(format_move(longest), c.path);
        EXPECT_EQ(longest.size(), 17u);
        EXPECT_TRUE(is_legal(p, kRed, longest));
        Position after = p;
        play_move(after, longest);
        EXPECT_EQ(winner_by_pieces(after.squares), Winner::Red);
        EXPECT_EQ(count_pieces(after.squares).red, 1);
    }
}

}  // namespace
}  // namespace zarvo
