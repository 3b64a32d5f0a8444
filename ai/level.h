// How strongly the computer plays: the levels a player chooses from.
#pragma once

#include <array>
#include <cstdint>

namespace zarvo {

// The computer's levels. Easy, Medium and Hard search a budget of moves shared out along the
// tree; the numbers are those the saved game stores.
enum class Level : std::uint8_t { Easy = 1, Medium = 2, Hard = 3 };

// Search budget of the levels Easy, Medium and Hard.
inline constexpr std::array<int, 3> kLevelBudgets{2000, 3500, 10000};

// The search budget of a level.
constexpr int budget_of(Level level) {
    return kLevelBudgets[static_cast<std::size_t>(level) - 1];
}

}  // namespace zarvo
