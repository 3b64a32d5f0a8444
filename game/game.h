// A game in progress and the turn controller that runs it: starting a game, whose turn it is, the
// human's path built square by square, the computer's turn, passes, the end, and the record of
// every move played since the game began.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "game/settings.h"
#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

// Whose turn it is: no game in progress (before the first and after the end), the computer to
// move (and thinking), the human to move.
enum class Turn : std::uint8_t { None, Computer, Human };

// What the game shows and asks of its window; the window implements it, tests record it.
class GameView {
  public:
    virtual ~GameView() = default;
    // The position, the marked squares or the settings have changed: repaint the board and the
    // score line.
    virtual void redraw() = 0;
    // Shows a text on the status line.
    virtual void set_status_text(std::string_view text) = 0;
    // The computer is to move: start its search (Game::computer_turn) and hand its answer to
    // Game::computer_moved once it is ready, never from inside this call.
    virtual void computer_turn_begins() = 0;
};

// What the computer is asked to search: the position, its side and its level.
struct ComputerTurn {
    Position position;
    Side side;
    Level level;
};

// One turn of the record: the side that moved, the position it moved from, and its move (nothing
// when it had none and passed).
struct PlayedTurn {
    Side side;
    Position before;
    std::optional<Move> move;
};

// A saved game: the settings it was played with and the position, the human to move.
struct SavedGame {
    GameSettings settings;
    Board squares = empty_board();

    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

// A game in progress: its position and settings, whose turn it is, the settings staged for the
// next game, the human's pending path, the last move played and the record. Every command is a
// method; those the game cannot take at the moment (most of them while the computer thinks) are
// refused without a word, as the window's controls always were.
class Game {
  public:
    explicit Game(GameView& view);

    Turn turn() const { return turn_; }
    const Position& position() const { return position_; }
    // The settings of the game in play, and those the next new game will take.
    const GameSettings& settings() const { return settings_; }
    const GameSettings& staged_settings() const { return staged_; }
    const Move& pending_path() const { return pending_; }
    const Move& last_move() const { return last_move_; }
    const std::vector<PlayedTurn>& record() const { return record_; }
    Side human_side() const { return zarvo::human_side(settings_.first_player); }
    Side computer_side() const { return zarvo::computer_side(settings_.first_player); }
    bool computer_thinking() const { return turn_ == Turn::Computer; }

    // Stages settings for the next new game (the options and variant dialogs); the game in play
    // keeps its own. Refused while the computer thinks.
    void stage_settings(const GameSettings& settings);

    // "Start new game": the starting position with the staged settings; refused while the
    // computer thinks.
    void new_game();

    // A click on a square on the human's turn: starts a path on one of the human's pieces, or
    // adds a landing square to it.
    void click_square(int square);
    // "Cancel": takes back the last square of the pending path.
    void cancel();
    // "Play": plays the pending path if it is one whole legal move of the human and hands the
    // turn to the computer; an illegal path is discarded without a word.
    void play();

    // The search the computer's turn needs; only while it is to move.
    ComputerTurn computer_turn() const;
    // The computer's answer: its move, or nothing when it has none and passes. Ignored unless the
    // computer is to move.
    void computer_moved(const std::optional<Move>& move);

    // Whether the game can be saved now: only on the human's turn.
    bool can_save() const { return turn_ == Turn::Human; }
    SavedGame saved() const;
    // Resumes a saved game, the human to move; its settings also become the staged ones. Refused
    // while the computer thinks.
    void resume(const SavedGame& saved);

    // Shows a text on the status line (a failure to save, say).
    void report(std::string_view text) { view_.set_status_text(text); }

  private:
    // Runs the turn cycle from the current turn until the human is to move, the computer must
    // think, or the game is over. Passes of either side follow each other here; a position where
    // neither side can move ends the game with no winner.
    void advance();
    // Shows the outcome and ends the game.
    void end_game(Winner winner);
    // Plays a move (or a pass) of `side` and writes it into the record.
    void play_turn(Side side, const std::optional<Move>& move);
    // Whether the pending path followed by `square` is the start of a legal move of the human,
    // or a whole one (every landing choice counted).
    bool extends_legal_move(int square);

    GameView& view_;
    Turn turn_ = Turn::None;
    Position position_;
    GameSettings settings_;
    GameSettings staged_;
    Move pending_;
    Move last_move_;
    std::vector<PlayedTurn> record_;
    // Kept between clicks so that a click never allocates a list.
    MoveList legal_;
};

}  // namespace zarvo
