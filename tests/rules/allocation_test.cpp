// Generating and counting moves take nothing from the heap once the lists have reached their size.
#include <gtest/gtest.h>

#include <vector>

#include "rules/movegen.h"
#include "tests/rules/test_boards.h"
#include "tests/support/allocation_counter.h"

namespace zarvo {
namespace {

using namespace testing;

TEST(Allocation, SteadyStateGenerationUsesNoHeap) {
    // Positions from random games in both variants, gathered before counting.
    std::vector<Situation> positions = random_game_positions(kGreek, 11, 20, 120);
    const auto turkish = random_game_positions(kTurkish, 12, 20, 120);
    positions.insert(positions.end(), turkish.begin(), turkish.end());
    MoveList list;
    // One warm-up round lets the list reach its size.
    for (const auto& [p, side] : positions) {
        generate_moves(p, side, list, Landings::Every);
    }
    const long before = allocation_count.load();
    long total = 0;
    for (const auto& [p, side] : positions) {
        total += generate_moves(p, side, list, Landings::Every);
        total += generate_moves(p, side, list, Landings::Distinct);
        total += count_legal_moves(p, side, Landings::Distinct);
    }
    EXPECT_EQ(allocation_count.load() - before, 0);
    EXPECT_GT(total, 0);
}

}  // namespace
}  // namespace zarvo
