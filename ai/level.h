// How strongly the computer plays: the levels a player chooses from.
#pragma once

#include <array>
#include <cassert>
#include <chrono>
#include <cstdint>

namespace zarvo {

// The computer's levels; the numbers are those the saved game stores. Easy, Medium and Hard search
// a budget of moves shared out along the tree (BudgetSearch); Expert searches deeper and deeper
// until its thinking time is spent (ExpertSearch).
enum class Level : std::uint8_t { Easy = 1, Medium = 2, Hard = 3, Expert = 4 };

// Search budget of the levels Easy, Medium and Hard.
inline constexpr std::array<int, 3> kLevelBudgets{2000, 3500, 10000};

// The search budget of a budgeted level: Easy, Medium or Hard only, since the Expert has a
// thinking time instead.
constexpr int budget_of(Level level) {
    assert(level != Level::Expert);
    return kLevelBudgets[static_cast<std::size_t>(level) - 1];
}

// The thinking times per move a player may give the Expert; the first is the usual one.
inline constexpr std::array<std::chrono::milliseconds, 3> kExpertThinkingTimes{
    std::chrono::milliseconds(1000), std::chrono::milliseconds(3000),
    std::chrono::milliseconds(10000)};

}  // namespace zarvo
