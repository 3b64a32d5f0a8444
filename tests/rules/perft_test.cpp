// Perft: the count of move sequences from fixed positions, the generator's regression net.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "rules/perft.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::board_with;
using testing::VariantScope;
using Counts = std::vector<std::uint64_t>;

TEST(Perft, TurkishFromTheStartMatchesPublishedFigures) {
    VariantScope scope(1);
    EXPECT_EQ(perft(starting_board(), 'O', 6, 0), (Counts{8, 64, 708, 7538, 85090, 931312}));
}

TEST(Perft, NoDepthNoCounts) {
    EXPECT_TRUE(perft(starting_board(), 'O', 0, 0).empty());
}

TEST(Perft, ASideWithoutPiecesIsTerminal) {
    VariantScope scope(0);
    // Blue may take the last red piece at once (d5d3), after which nothing follows; its two
    // side steps each leave red three replies and blue three answers.
    const Board b = board_with({{"d5", 'x'}, {"d4", 'o'}});
    EXPECT_EQ(perft(b, 'X', 3, 1), (Counts{3, 6, 18}));
    EXPECT_EQ(perft(board_with({{"a1", 'O'}}), 'O', 2, 0), (Counts{0, 0}));
}

TEST(Perft, APassIsOneNode) {
    VariantScope scope(0);
    // Red on a2 is walled in: every red turn is a pass.
    const Board b = board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}});
    const Counts counts = perft(b, 'O', 2, 1);
    EXPECT_EQ(counts[0], 1u);
    EXPECT_EQ(counts[1], 6u);
}

}  // namespace
}  // namespace zarvo
