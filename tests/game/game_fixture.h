// A stand-in for the window that records what the game shows, and a fixture holding a game, the
// computer's search answering at once when the test asks.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ai/budget_search.h"
#include "game/game.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"

namespace zarvo::testing {

// Records repaints, status texts and the computer's turns.
class RecordingView : public GameView {
  public:
    void redraw() override { ++redraws; }
    void set_status_text(const Message& text) override { texts.push_back(text.text()); }
    void computer_turn_begins() override { ++computer_turns; }

    // The last status text, or "" before any.
    std::string last_text() const { return texts.empty() ? std::string() : texts.back(); }

    int redraws = 0;
    int computer_turns = 0;
    std::vector<std::string> texts;
};

using Texts = std::vector<std::string>;

// A game with a recording view, as at start-up.
class GameTest : public ::testing::Test {
  protected:
    // Resumes a position with the human to move, as a loaded game would, and forgets what the
    // view recorded so far.
    void human_to_move(std::string_view pos, FirstPlayer first, Variant variant,
                       Level level = Level::Easy) {
        game.resume({{first, level, variant}, *parse_pos(pos)});
        view.texts.clear();
        view.redraws = 0;
    }

    // The computer's search answers its turn, as the window's search thread would.
    void answer_computer() {
        ASSERT_TRUE(game.computer_thinking());
        const ComputerTurn turn = game.computer_turn();
        BudgetSearch search;
        game.computer_moved(search.choose_move(turn.position, turn.side, budget_of(turn.level)));
    }

    // Clicks every square of a path in order.
    void click_path(std::string_view path) {
        for (std::size_t i = 0; i + 1 < path.size(); i += 2) {
            game.click_square(*parse_square(path[i], path[i + 1]));
        }
    }

    std::string pending() const { return format_move(game.pending_path()); }
    std::string last() const { return format_move(game.last_move()); }

    RecordingView view;
    Game game{view};
};

// Whether `after` is `before` with `move` played, `move` being legal for `side`.
inline void expect_played(const Position& before, Side side, std::string_view move,
                          const Position& after) {
    const std::optional<Move> m = parse_move(move);
    ASSERT_TRUE(m) << move;
    EXPECT_TRUE(is_legal(before, side, *m)) << move;
    Position expected = before;
    play_move(expected, *m);
    EXPECT_EQ(after, expected) << move;
}

}  // namespace zarvo::testing
