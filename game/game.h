// A game in progress and the turn controller that runs it: starting a game, whose turn it is, the
// human's path built square by square, the computer's turn, passes, the end, the record of every
// move played since the game began, and taking moves back and replaying them.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/record.h"
#include "game/settings.h"
#include "rules/board.h"
#include "rules/message.h"
#include "rules/move.h"

namespace zarvo {

// Whose turn it is: no game in progress (before the first and after the end), the computer to
// move (and thinking), a person to move.
enum class Turn : std::uint8_t { None, Computer, Human };

// What the game shows and asks of its window; the window implements it, tests record it.
class GameView {
  public:
    virtual ~GameView() = default;
    // The position, the marked squares or the settings have changed: repaint the board and the
    // score line.
    virtual void redraw() = 0;
    // Shows a text on the status line.
    virtual void set_status_text(const Message& text) = 0;
    // The computer is to move: start its search (Game::computer_turn) and hand its answer to
    // Game::computer_moved once it is ready, never from inside this call.
    virtual void computer_turn_begins() = 0;
};

// What the computer is asked to search: the position, its side, its level (and the Expert's time
// to think), and the positions met earlier in the game (for the Expert's repetition rule), oldest
// first, each with the side that was to move there.
struct ComputerTurn {
    Position position;
    Side side;
    Level level;
    std::chrono::milliseconds thinking_time;
    std::vector<std::pair<Position, Side>> earlier;
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

    Turn turn() const;
    const Position& position() const { return position_; }
    // The side to move (meaningful while a game is in progress).
    Side side_to_move() const { return to_move_; }
    // The settings of the game in play, and those the next new game will take.
    const GameSettings& settings() const { return settings_; }
    const GameSettings& staged_settings() const { return staged_; }
    const Move& pending_path() const { return pending_; }
    const Move& last_move() const { return last_move_; }
    // The move the last hint named, marked until a square is clicked; empty otherwise.
    const Move& hint() const { return hint_; }
    // The game since it began (or was loaded or opened): where, every turn in order, and how it
    // ended.
    const GameRecord& record() const { return record_; }
    // How the game ended, once it has.
    std::optional<Winner> outcome() const { return outcome_; }
    Side human_side() const { return zarvo::human_side(settings_.first_player); }
    Side computer_side() const { return zarvo::computer_side(settings_.first_player); }
    bool computer_thinking() const { return turn() == Turn::Computer; }
    bool two_players() const { return two_players_; }
    // Whether rank 1 is drawn at the top: when the computer opens against one person, whose men
    // then start at the bottom.
    bool board_turned() const;

    // Stages settings for the next new game (the options and variant dialogs); the game in play
    // keeps its own. Refused while the computer thinks.
    void stage_settings(const GameSettings& settings);

    // "Two players": the computer makes no move and people enter both sides on the board. Taken
    // at once; the window stops a search under way before it turns this on.
    void set_two_players(bool on);
    // "Play complete moves at once": a path that is a whole legal move, which no longer legal
    // move continues, is played as soon as its last square is clicked.
    void set_play_complete_moves(bool on) { play_complete_moves_ = on; }

    // "Start new game": the starting position with the staged settings; refused while the
    // computer thinks.
    void new_game();

    // A click on a square on a person's turn: starts a path on one of the mover's pieces, or
    // adds a landing square to it. It also clears a hint.
    void click_square(int square);
    // "Cancel": takes back the last square of the pending path.
    void cancel();
    // Escape: clears the whole pending path. Like "Cancel", only on a person's turn: while the
    // computer thinks, the path shows the move it is answering.
    void clear_path();
    // "Play": plays the pending path if it is one whole legal move and hands the turn on; an
    // illegal path is discarded without a word.
    void play();

    // Whether a path is one whole legal move of the person to move.
    bool is_whole_legal_move(const Move& path) const;

    // The squares of the mover's pieces that can move (with the greatest captures only, when
    // they are compulsory), as bits by square index; nothing outside a person's turn.
    std::uint64_t movable_pieces() const;
    // The squares that extend the pending path toward a legal move, as bits by square index.
    std::uint64_t path_continuations() const;

    // The search the computer's turn needs; only while it is to move.
    ComputerTurn computer_turn() const;
    // The computer's answer: its move, or nothing when it has none and passes. Ignored unless the
    // computer is to move.
    void computer_moved(const std::optional<Move>& move);

    // A hint for the person to move: what to search, as for the computer's turn, by the Expert
    // for at most its shortest thinking time whatever the level.
    ComputerTurn hint_turn() const;
    // Marks a hint's move and names it on the status line; ignored outside a person's turn.
    void show_hint(const Move& move);
    // Forgets a hint (its search was cancelled, or a square was clicked) and restores the
    // status line.
    void clear_hint();

    // "Take back move": returns to the human's previous turn, undoing the computer's reply and
    // the human's move before it (with two players, the last move). Possible on a person's turn
    // and after the end of a game, which is then resumed.
    bool can_take_back() const;
    void take_back();
    // "Replay move": plays again what was taken back, up to the next turn of the human. Any new
    // move forgets it.
    bool can_replay() const;
    void replay();

    // Whether the game can be saved now: only on a person's turn.
    bool can_save() const { return turn() == Turn::Human; }
    SavedGame saved() const;
    // Resumes a saved game, the human to move; its settings also become the staged ones. Refused
    // while the computer thinks.
    void resume(const SavedGame& saved);

    // Opens a game from elsewhere (a record file, a pasted position): its record becomes the game
    // in progress, which can be taken back move by move. The person to move at its end plays
    // against the computer at the staged level (or both sides are people's); a finished record
    // opens at its end with its result shown. The staged settings take its variant and colours.
    // Refused while the computer thinks.
    void open(const GameRecord& record);

    // Shows a text on the status line (a failure to save, say).
    void report(const Message& text) { view_.set_status_text(text); }
    // Shows on the status line whose turn it is, or how the game ended, again.
    void report_state();

  private:
    // Runs the turn cycle from the side to move until a person is to move, the computer must
    // think, or the game is over. Passes of either side follow each other here; a position where
    // neither side can move, or that comes for the third time with the same side to move, ends
    // the game with no winner.
    void advance();
    // Shows the outcome and ends the game.
    void end_game(Winner winner);
    // Plays a move (or a pass) of the side to move, writes it into the record and hands the turn
    // to the other side.
    void play_turn(const std::optional<Move>& move);
    // Whether a person enters the moves of this side.
    bool played_by_people(Side side) const { return two_players_ || side == human_side(); }
    // The status line on a person's turn.
    Message turn_text() const;
    // The status line once the game has ended.
    Message outcome_text(Winner winner) const;
    // Starts play from the current position and side to move: a fresh record, nothing marked
    // or pending, then the turn cycle.
    void begin_play();
    // Whether the pending path followed by `square` is the start of a legal move, or a whole one
    // (every landing choice counted).
    bool extends_legal_move(int square) const;
    // How often the current position has stood on the board with the same side to move.
    int occurrences() const;

    GameView& view_;
    bool in_play_ = false;
    Side to_move_ = Side::Red;
    Position position_;
    GameSettings settings_;
    GameSettings staged_;
    bool two_players_ = false;
    bool play_complete_moves_ = false;
    Move pending_;
    Move last_move_;
    Move hint_;
    std::optional<Winner> outcome_;
    GameRecord record_;
    // What was taken back, the next turn to replay last.
    std::vector<PlayedTurn> taken_back_;
    // The mover's legal moves (every landing choice), listed once per turn of a person.
    MoveList legal_;
};

}  // namespace zarvo
