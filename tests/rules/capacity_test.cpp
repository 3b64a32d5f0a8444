// The largest lists and the longest paths the rules allow are held whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::VariantScope;

// The longest entry of a move list.
std::string longest_entry(const MoveList& list) {
    std::string longest;
    for (std::string_view m : list.entries()) {
        if (m.size() > longest.size()) {
            longest = std::string(m);
        }
    }
    return longest;
}

TEST(Capacity, GreekKingsFacingScatteredPiecesOutgrowTheInitialBuffer) {
    VariantScope scope(0);
    // Sixteen red kings against sixteen blue pieces set out in a lattice.
    const Board b =
        *parse_pos(".OO.OO../O.....O./.x.X.x.O/x.x.X.X./.x.X.x.O/X.X.X.X./.x...x.O/OOOOOOO.");
    MoveList list;
    const int n = generate_moves(b, 'O', list, 1);
    EXPECT_EQ(n, 10712);
    EXPECT_EQ(list.text().size(), 260200u);
    EXPECT_GT(list.text().size(), MoveList::kInitialCapacity);
    EXPECT_EQ(count_moves(list.text()), static_cast<std::size_t>(n));
    // The list is whole: its last entry is a capture path that ends the text, and the legality
    // test, which needs the complete list, accepts it.
    const std::string last(list.text().substr(list.text().rfind(',') + 1));
    EXPECT_EQ(check_legal(b, 'O', last), 1);
    EXPECT_EQ(check_if_can_play(b, 'O'), n);
}

TEST(Capacity, TurkishKingAgainstEightPiecesListsHundredsOfLandings) {
    VariantScope scope(1);
    const Board b =
        *parse_pos(".....X.O/......x./.......x/....X.../X......./.x....../..x...../...X....");
    MoveList full;
    MoveList pruned;
    EXPECT_EQ(generate_moves(b, 'O', full, 0), 232);
    EXPECT_EQ(full.text().size(), 4408u);
    // Here every continuation turns aside, so pruning drops nothing.
    EXPECT_EQ(generate_moves(b, 'O', pruned, 1), 232);
    // Far beyond 1,023 characters, yet every entry is legal for the human.
    const std::string copy(full.text());
    for (std::string_view m : MoveEntries(copy)) {
        ASSERT_EQ(check_legal(b, 'O', m), 1) << m;
    }
}

TEST(Capacity, PruningKeepsTheGreatestCapture) {
    VariantScope scope(1);
    const Board b =
        *parse_pos("...x..../..x...../.x....../x...x.../......../.......x/..x.O.x./........");
    MoveList full;
    MoveList pruned;
    EXPECT_EQ(generate_moves(b, 'O', full, 0), 190);
    EXPECT_EQ(full.text().size(), 3610u);
    EXPECT_EQ(generate_moves(b, 'O', pruned, 1), 132);
    EXPECT_EQ(longest_entry(full).size(), longest_entry(pruned).size());
}

TEST(Capacity, SixteenCapturesInOnePath) {
    for (const testing::LongCapture& c : testing::kSixteenCaptures) {
        VariantScope scope(c.variant);
        const Board b = *parse_pos(c.pos);
        MoveList list;
        generate_moves(b, 'O', list, 1);
        EXPECT_EQ(longest_entry(list), c.path);
        EXPECT_EQ(check_legal(b, 'O', c.path), 1);
        // The path fits the fixed storage of the game's pending path and last move.
        const MoveString held = MoveString::from(c.path);
        EXPECT_EQ(held.view(), c.path);
        EXPECT_EQ(held.squares(), 17u);
        Board after = b;
        ASSERT_TRUE(play_move(after, held.view()));
        int blue = 0;
        int red = 0;
        EXPECT_EQ(check_winner(after, blue, red), 'O');
        EXPECT_EQ(red, 1);
    }
}

}  // namespace
}  // namespace zarvo
