// A stand-in for the window that records what the turn controller shows, and a fixture that
// gives every test the globals of a freshly started program.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ai/search.h"
#include "game/controller.h"
#include "game/geometry.h"
#include "game/move_input.h"
#include "game/state.h"
#include "rules/board.h"
#include "rules/notation.h"

namespace zarvo::testing {

// Records repaints and status texts; `on_pump` runs where the window would handle its events.
class RecordingView : public GameView {
  public:
    void redraw() override {
        ++redraws;
        if (closing_) {
            ++redraws_after_closing;
        }
    }
    void set_status_text(std::string_view text) override {
        texts.emplace_back(text);
        if (closing_) {
            ++texts_after_closing;
        }
    }
    void pump_events() override {
        ++pumps;
        if (on_pump) {
            on_pump();
        }
    }
    bool closing() const override { return closing_; }

    // What a click on the window's close button does: the turn cycle must stop showing things.
    void close() { closing_ = true; }

    // The last status text, or "" before any.
    std::string last_text() const { return texts.empty() ? std::string() : texts.back(); }

    int redraws = 0;
    int pumps = 0;
    int redraws_after_closing = 0;
    int texts_after_closing = 0;
    std::vector<std::string> texts;
    std::function<void()> on_pump;

  private:
    bool closing_ = false;
};

// The program's state at start-up, with a recording view connected.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table = empty_board();
        variant = 0;
        status = kNoGame;
        first_player = 2;
        selected_level = 1;
        new_first_player = 2;
        new_selected_level = 1;
        new_variant = 0;
        newmove.clear();
        lastmove.clear();
        set_view(&view);
        set_event_hook(nullptr);
    }
    void TearDown() override {
        set_view(nullptr);
        set_event_hook(nullptr);
    }

    // Puts a position in play with the human to move, as a loaded game would.
    void human_to_move(const Board& board, char first, char game_variant) {
        table = board;
        first_player = first;
        variant = game_variant;
        status = kHumanToMove;
        newmove.clear();
        lastmove.clear();
    }

    RecordingView view;
};

// A board from its one-line text: ranks 8 to 1 joined by '/', '.' for an empty square.
inline Board pos(std::string_view text) {
    const auto board = parse_pos(text);
    EXPECT_TRUE(board.has_value()) << text;
    return board.value_or(empty_board());
}

// The square index of a name such as "e4".
inline int sq(std::string_view name) {
    return *parse_square(name[0], name[1]);
}

// Clicks the middle of a square as the human sees the board.
inline void click_square(std::string_view name) {
    const Pixel p = square_origin(sq(name), first_player);
    get_mouse(p.x + kSquareSize / 2, p.y + kSquareSize / 2);
}

// Clicks every square of a path in order.
inline void click_path(std::string_view path) {
    for (std::size_t i = 0; i + 1 < path.size(); i += 2) {
        click_square(path.substr(i, 2));
    }
}

}  // namespace zarvo::testing
