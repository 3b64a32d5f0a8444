// Generating moves takes nothing from the heap once its buffers have reached their size.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace zarvo {
namespace {

using testing::VariantScope;

TEST(Allocation, SteadyStateGenerationUsesNoHeap) {
    // Positions from random games in both variants, gathered before counting.
    std::vector<std::pair<Board, char>> positions;
    std::mt19937 rng(11);
    MoveList list;
    for (char v : {0, 1}) {
        VariantScope scope(v);
        for (int game = 0; game < 20; ++game) {
            Board b = starting_board();
            char side = 'O';
            for (int ply = 0; ply < 120; ++ply) {
                positions.emplace_back(b, side);
                const int n = generate_moves(b, side, list, 1);
                if (n == 0) {
                    break;
                }
                int pick = static_cast<int>(rng() % static_cast<unsigned>(n));
                for (std::string_view m : list.entries()) {
                    if (pick-- == 0) {
                        play_move(b, m);
                        break;
                    }
                }
                side = opponent(side);
            }
        }
    }
    // One warm-up round lets every buffer reach its size.
    for (const auto& [b, side] : positions) {
        check_legal(b, side, "a1a2");
        check_if_can_play(b, side);
    }
    const long before = allocations.load();
    long total = 0;
    for (char v : {0, 1}) {
        VariantScope scope(v);
        for (const auto& [b, side] : positions) {
            total += generate_moves(b, side, list, 0);
            total += generate_moves(b, side, list, 1);
            total += check_legal(b, side, "c3c4");
            total += check_if_can_play(b, side);
        }
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(total, 0);
}

}  // namespace
}  // namespace zarvo
