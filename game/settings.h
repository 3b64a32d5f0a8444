// The settings a game is played with: who opens it, the computer's level and the rule variant.
#pragma once

#include <chrono>
#include <cstdint>

#include "ai/level.h"
#include "rules/board.h"

namespace zarvo {

// Who makes the first move, and so which side the human plays: red always opens.
enum class FirstPlayer : std::uint8_t { Computer = 1, Human = 2 };

// The side the human plays: blue when the computer opens, red otherwise.
constexpr Side human_side(FirstPlayer first) {
    return first == FirstPlayer::Computer ? Side::Blue : Side::Red;
}

// The side the computer plays.
constexpr Side computer_side(FirstPlayer first) {
    return opponent(human_side(first));
}

// What a game is played with. A new player starts with the human opening, at Medium, in the Greek
// variant; the Expert, once chosen, thinks for a second a move unless given longer.
struct GameSettings {
    FirstPlayer first_player = FirstPlayer::Human;
    Level level = Level::Medium;
    Variant variant = Variant::Greek;
    std::chrono::milliseconds expert_thinking_time = kExpertThinkingTimes[0];

    friend constexpr bool operator==(const GameSettings&, const GameSettings&) = default;
};

}  // namespace zarvo
