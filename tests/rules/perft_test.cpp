// Perft: the count of move sequences from fixed positions, the generator's regression net.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "rules/perft.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;
using Counts = std::vector<std::uint64_t>;

TEST(Perft, TurkishFromTheStartMatchesPublishedFigures) {
    EXPECT_EQ(perft(starting_position(kTurkish), kRed, 6, Landings::Every),
              (Counts{8, 64, 708, 7538, 85090, 931312}));
}

TEST(Perft, GreekKingsAmongMen) {
    // Long king slides and optional chains; both kinds of landing lists agree in this variant.
    const Position p =
        pos_of("..O...../.x..x.../....X.../X......O/......../..o..X../.x..o.../....O...", kGreek);
    const Counts every = perft(p, kRed, 3, Landings::Every);
    EXPECT_EQ(every, perft(p, kRed, 3, Landings::Distinct));
    EXPECT_EQ(every, (Counts{37, 1585, 57808}));
}

TEST(Perft, NoDepthNoCounts) {
    EXPECT_TRUE(perft(starting_position(kGreek), kRed, 0, Landings::Every).empty());
}

TEST(Perft, ASideWithoutPiecesIsTerminal) {
    // Blue may take the last red piece at once (d5d3), after which nothing follows; its two
    // side steps each leave red three replies and blue three answers.
    const Position p{board_with({{"d5", 'x'}, {"d4", 'o'}}), kGreek};
    EXPECT_EQ(perft(p, kBlue, 3, Landings::Distinct), (Counts{3, 6, 18}));
    EXPECT_EQ(perft({board_with({{"a1", 'O'}}), kGreek}, kRed, 2, Landings::Every), (Counts{0, 0}));
}

TEST(Perft, APassIsOneNode) {
    // Red on a2 is walled in: every red turn is a pass.
    const Position p{board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}}),
                     kGreek};
    EXPECT_EQ(perft(p, kRed, 2, Landings::Distinct), (Counts{1, 6}));
    EXPECT_EQ(perft(p, kRed, 1, Landings::Distinct), (Counts{1}));
}

}  // namespace
}  // namespace zarvo
