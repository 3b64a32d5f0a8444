#include "game/game.h"

#include <algorithm>

#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {

Game::Game(GameView& view) : view_(view) {}

void Game::stage_settings(const GameSettings& settings) {
    if (computer_thinking()) {
        return;
    }
    staged_ = settings;
}

void Game::new_game() {
    if (computer_thinking()) {
        return;
    }
    settings_ = staged_;
    position_ = starting_position(settings_.variant);
    turn_ = settings_.first_player == FirstPlayer::Computer ? Turn::Computer : Turn::Human;
    last_move_.clear();
    pending_.clear();
    record_.clear();
    advance();
}

void Game::resume(const SavedGame& saved) {
    if (computer_thinking()) {
        return;
    }
    settings_ = saved.settings;
    staged_ = saved.settings;
    position_ = {saved.squares, settings_.variant};
    turn_ = Turn::Human;
    last_move_.clear();
    pending_.clear();
    record_.clear();
    advance();
}

SavedGame Game::saved() const {
    return {settings_, position_.squares};
}

void Game::advance() {
    for (;;) {
        view_.redraw();
        if (const std::optional<Winner> winner = winner_by_pieces(position_.squares)) {
            end_game(*winner);
            return;
        }
        if (turn_ == Turn::Human) {
            view_.set_status_text("You play...");
            pending_.clear();
            if (count_legal_moves(position_, human_side(), Landings::Distinct) != 0) {
                return;
            }
            // Both sides have pieces and neither can move: the passes would never end.
            if (count_legal_moves(position_, computer_side(), Landings::Distinct) == 0) {
                end_game(Winner::Nobody);
                return;
            }
            play_turn(human_side(), std::nullopt);
            turn_ = Turn::Computer;
            continue;
        }
        view_.set_status_text("Computer plays...");
        view_.computer_turn_begins();
        return;
    }
}

void Game::end_game(Winner winner) {
    const bool human_won = (winner == Winner::Red && human_side() == Side::Red) ||
                           (winner == Winner::Blue && human_side() == Side::Blue);
    view_.set_status_text(winner == Winner::Nobody ? "No winner !"
                          : human_won              ? "You win !"
                                                   : "Computer wins !");
    turn_ = Turn::None;
}

void Game::play_turn(Side side, const std::optional<Move>& move) {
    record_.push_back({side, position_, move});
    if (move) {
        play_move(position_, *move);
    }
}

ComputerTurn Game::computer_turn() const {
    return {position_, computer_side(), settings_.level};
}

void Game::computer_moved(const std::optional<Move>& move) {
    if (turn_ != Turn::Computer) {
        return;
    }
    play_turn(computer_side(), move);
    last_move_ = move.value_or(Move{});
    pending_.clear();
    turn_ = Turn::Human;
    advance();
}

bool Game::extends_legal_move(int square) {
    Move longer = pending_;
    if (!longer.push(square)) {
        return false;
    }
    generate_moves(position_, human_side(), legal_, Landings::Every);
    return std::any_of(legal_.begin(), legal_.end(),
                       [&](const Move& move) { return move.starts_with(longer); });
}

void Game::click_square(int square) {
    if (turn_ != Turn::Human) {
        return;
    }
    // A step that leads on along a legal move is taken even onto a square the path has already
    // named or back onto the start square, which a king may cross or return to.
    if (!pending_.empty() && extends_legal_move(square)) {
        pending_.push(square);
        view_.redraw();
        return;
    }
    const char piece = position_[square];
    if (belongs_to(piece, human_side())) {
        // A path always starts again from the piece clicked last, and the markers of the last
        // move go.
        pending_.clear();
        last_move_.clear();
    } else if (pending_.empty()) {
        return;
    }
    if (belongs_to(piece, computer_side()) || pending_.contains(square) || !pending_.push(square)) {
        return;
    }
    view_.redraw();
}

void Game::cancel() {
    if (turn_ != Turn::Human || pending_.empty()) {
        return;
    }
    pending_.pop();
    view_.redraw();
}

void Game::play() {
    if (turn_ != Turn::Human || pending_.empty()) {
        return;
    }
    if (!is_legal(position_, human_side(), pending_)) {
        pending_.clear();
        view_.redraw();
        return;
    }
    play_turn(human_side(), pending_);
    last_move_ = pending_;
    turn_ = Turn::Computer;
    advance();
}

}  // namespace zarvo
