// Generating moves takes nothing from the heap once its buffers have reached their size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"
#include "tests/support/allocation_counter.h"

namespace zarvo {
namespace {

using testing::VariantScope;

TEST(Allocation, SteadyStateGenerationUsesNoHeap) {
    // Positions from random games in both variants, gathered before counting.
    std::vector<testing::Position> positions = testing::random_game_positions(0, 11, 20, 120);
    const auto turkish = testing::random_game_positions(1, 12, 20, 120);
    positions.insert(positions.end(), turkish.begin(), turkish.end());
    MoveList list;
    // One warm-up round lets every buffer reach its size.
    for (const auto& [b, side, v] : positions) {
        VariantScope scope(v);
        check_legal(b, side, "a1a2");
        check_if_can_play(b, side);
    }
    const long before = testing::allocation_count.load();
    long total = 0;
    for (char v : {0, 1}) {
        VariantScope scope(v);
        for (const auto& [b, side, unused] : positions) {
            total += generate_moves(b, side, list, 0);
            total += generate_moves(b, side, list, 1);
            total += check_legal(b, side, "c3c4");
            total += check_if_can_play(b, side);
        }
    }
    EXPECT_EQ(testing::allocation_count.load() - before, 0);
    EXPECT_GT(total, 0);
}

}  // namespace
}  // namespace zarvo
