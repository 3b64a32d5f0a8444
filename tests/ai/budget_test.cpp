// The shape of the budgeted search, on model trees: the table of half-moves reached and static
// evaluations made with the same number of moves in every position, and the worked example.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <ranges>
#include <vector>

#include "ai/level.h"
#include "ai/negamax.h"

namespace zarvo {
namespace {

// A tree with `moves` moves in every position; it counts static evaluations and notes the
// deepest half-move reached (the root move is half-move 1).
struct UniformTree {
    using Position = int;
    using Move = int;

    int moves = 0;
    std::uint64_t leaves = 0;
    int deepest = 0;
    int position = 0;

    const int& play(int depth, const int&, int) {
        deepest = std::max(deepest, kRootDepth + 1 - depth);
        return position;
    }
    int score_leaf(int depth, const int&, int, Side) {
        deepest = std::max(deepest, kRootDepth + 1 - depth);
        ++leaves;
        return kEvenScore;
    }
    int list(int, const int&, Side) { return moves; }
    auto replies(int) const { return std::views::iota(0, moves); }
    bool keep_going() { return true; }
};

// Searches every root move of a uniform tree as the computer does and returns the tree.
UniformTree search_uniform(int moves, int budget) {
    UniformTree tree;
    tree.moves = moves;
    for (int m = 0; m < moves; ++m) {
        score_move(tree, 0, Side::Red, Side::Red, m, budget / moves, kRootDepth);
    }
    return tree;
}

std::uint64_t power(std::uint64_t base, int exponent) {
    std::uint64_t r = 1;
    for (int i = 0; i < exponent; ++i) {
        r *= base;
    }
    return r;
}

TEST(BudgetTable, HalfMovesAndStaticEvaluationsWithUniformBranching) {
    struct Row {
        int fewest;
        int most;
        std::array<int, 3> half_moves;  // Easy, Medium, Hard
    };
    const Row table[] = {
        {1, 2, {11, 11, 11}}, {3, 3, {7, 9, 9}},   {4, 4, {7, 7, 7}},
        {5, 5, {5, 7, 7}},    {6, 6, {5, 5, 7}},   {7, 12, {5, 5, 5}},
        {13, 15, {3, 5, 5}},  {16, 21, {3, 3, 5}}, {22, 60, {3, 3, 3}},
    };
    for (const Row& row : table) {
        for (int b = row.fewest; b <= row.most; ++b) {
            for (std::size_t level = 0; level < 3; ++level) {
                const UniformTree t = search_uniform(b, kLevelBudgets[level]);
                const int h = row.half_moves[level];
                EXPECT_EQ(t.deepest, h) << b << " moves, level " << level + 1;
                EXPECT_EQ(t.leaves, power(static_cast<std::uint64_t>(b), h))
                    << b << " moves, level " << level + 1;
            }
        }
    }
    // The example of the starting position's 8 moves: 5 half-moves and 32768 static
    // evaluations at every level.
    for (int budget : kLevelBudgets) {
        const UniformTree t = search_uniform(8, budget);
        EXPECT_EQ(t.deepest, 5);
        EXPECT_EQ(t.leaves, 32768u);
    }
}

TEST(BudgetTable, MoreMovesThanTheBudgetScoresEachRootMoveStatically) {
    // Each root move's share is 0, and the computer has just moved: a leaf at half-move 1,
    // though the table's last row would say 3.
    for (int budget : kLevelBudgets) {
        const UniformTree t = search_uniform(budget + 1, budget);
        EXPECT_EQ(t.deepest, 1);
        EXPECT_EQ(t.leaves, static_cast<std::uint64_t>(budget + 1));
    }
    // With as many moves as the budget the shares are 1: the human's replies are searched.
    const UniformTree ten = search_uniform(10, 10);
    EXPECT_EQ(ten.deepest, 3);
    EXPECT_EQ(ten.leaves, 1000u);
    const UniformTree eleven = search_uniform(11, 10);
    EXPECT_EQ(eleven.deepest, 1);
    EXPECT_EQ(eleven.leaves, 11u);
}

TEST(BudgetTable, TheHumansMoveIsAlwaysAnswered) {
    // With budget 0 a move of the human is still expanded and the computer's replies are
    // scored statically; a move of the computer with budget 0 is a leaf.
    UniformTree t;
    t.moves = 4;
    score_move(t, 0, Side::Blue, Side::Red, 0, 0, 9);
    EXPECT_EQ(t.leaves, 4u);
    EXPECT_EQ(t.deepest, 3);
    UniformTree u;
    u.moves = 4;
    EXPECT_EQ(score_move(u, 0, Side::Red, Side::Red, 0, 0, 10), kEvenScore);
    EXPECT_EQ(u.leaves, 1u);
}

// A tree written out node by node: each node's replies, or its static score.
struct ScriptedTree {
    using Position = int;
    using Move = int;

    std::map<int, std::vector<int>> children;
    std::map<int, int> statics;
    std::array<int, kRootDepth + 1> listed{};

    const int& play(int depth, const int&, int move) {
        listed[static_cast<std::size_t>(depth)] = move;
        return listed[static_cast<std::size_t>(depth)];
    }
    int score_leaf(int, const int&, int move, Side side) {
        EXPECT_EQ(side, Side::Blue);
        return statics.at(move);
    }
    int list(int depth, const int& node, Side) {
        listed[static_cast<std::size_t>(depth)] = node;
        return static_cast<int>(children[node].size());
    }
    const std::vector<int>& replies(int depth) {
        return children[listed[static_cast<std::size_t>(depth)]];
    }
    bool keep_going() { return true; }
};

TEST(BudgetTable, WorkedExampleWithBudgetTen) {
    // The computer ('X') has m1 and m2; after m1 the human has r1 and r2, after each of which
    // the computer has three moves; after m2 the human cannot move.
    ScriptedTree t;
    const int m1 = 1, m2 = 2, r1 = 11, r2 = 12;
    t.children[m1] = {r1, r2};
    t.children[m2] = {};
    t.children[r1] = {111, 112, 113};
    t.children[r2] = {121, 122, 123};
    t.statics = {{111, 5012}, {112, 5027}, {113, 4990}, {121, 5003}, {122, 5015}, {123, 5008}};
    const int budget = 10 / 2;
    EXPECT_EQ(score_move(t, 0, Side::Blue, Side::Blue, m1, budget, kRootDepth), 5015);
    EXPECT_EQ(score_move(t, 0, Side::Blue, Side::Blue, m2, budget, kRootDepth), 10000);
    // The replies on their own: 10000 - 5027 and 10000 - 5015.
    EXPECT_EQ(score_move(t, 0, Side::Red, Side::Blue, r1, 2, 9), 4973);
    EXPECT_EQ(score_move(t, 0, Side::Red, Side::Blue, r2, 2, 9), 4985);
}

TEST(BudgetTable, WinsScoreHigherTheSoonerTheyCome) {
    // A move after which the opponent cannot move scores its remaining depth plus 9990.
    ScriptedTree t;
    t.children[1] = {};
    for (int depth = 0; depth <= kRootDepth; ++depth) {
        const Side mover = depth % 2 == 0 ? Side::Blue : Side::Red;
        if (depth == 0) {
            continue;  // the last depth is always a leaf
        }
        EXPECT_EQ(score_move(t, 0, mover, Side::Blue, 1, 1000, depth), depth + 9990);
    }
    // A leaf is scored statically even when the opponent could not move.
    t.statics[1] = 5432;
    EXPECT_EQ(score_move(t, 0, Side::Blue, Side::Blue, 1, 1000, 0), 5432);
    EXPECT_EQ(score_move(t, 0, Side::Blue, Side::Blue, 1, 0, kRootDepth), 5432);
}

}  // namespace
}  // namespace zarvo
