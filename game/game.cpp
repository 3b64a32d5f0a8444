#include "game/game.h"

#include <algorithm>

#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"

namespace zarvo {

Game::Game(GameView& view) : view_(view) {}

Turn Game::turn() const {
    if (!in_play_) {
        return Turn::None;
    }
    return played_by_people(to_move_) ? Turn::Human : Turn::Computer;
}

bool Game::board_turned() const {
    return !two_players_ && settings_.first_player == FirstPlayer::Computer;
}

void Game::stage_settings(const GameSettings& settings) {
    if (computer_thinking()) {
        return;
    }
    staged_ = settings;
}

void Game::set_two_players(bool on) {
    if (two_players_ == on) {
        return;
    }
    two_players_ = on;
    if (!in_play_) {
        view_.redraw();
        return;
    }
    // The turn may have changed hands: the side to move is now entered by a person, or by the
    // computer again.
    pending_.clear();
    hint_.clear();
    advance();
}

void Game::begin_play() {
    record_ = {position_, to_move_, {}, GameResult::Unfinished};
    taken_back_.clear();
    outcome_.reset();
    in_play_ = true;
    last_move_.clear();
    pending_.clear();
    hint_.clear();
    advance();
}

void Game::new_game() {
    if (computer_thinking()) {
        return;
    }
    settings_ = staged_;
    position_ = starting_position(settings_.variant);
    to_move_ = Side::Red;
    begin_play();
}

void Game::resume(const SavedGame& saved) {
    if (computer_thinking()) {
        return;
    }
    // The file has no room for the Expert's thinking time: the one chosen last stays.
    const std::chrono::milliseconds thinking_time = staged_.expert_thinking_time;
    settings_ = saved.settings;
    settings_.expert_thinking_time = thinking_time;
    staged_ = settings_;
    position_ = {saved.squares, settings_.variant};
    to_move_ = human_side();
    begin_play();
}

void Game::open(const GameRecord& record) {
    if (computer_thinking()) {
        return;
    }
    position_ = record.end();
    to_move_ = record.side_to_move();
    settings_ = staged_;
    settings_.variant = record.start.variant;
    settings_.first_player = to_move_ == Side::Red ? FirstPlayer::Human : FirstPlayer::Computer;
    staged_ = settings_;
    record_ = record;
    record_.result = GameResult::Unfinished;
    taken_back_.clear();
    outcome_.reset();
    pending_.clear();
    hint_.clear();
    last_move_.clear();
    for (auto it = record_.turns.rbegin(); it != record_.turns.rend(); ++it) {
        if (it->move) {
            last_move_ = *it->move;
            break;
        }
    }
    in_play_ = true;
    switch (record.result) {
        case GameResult::Unfinished:
            advance();
            return;
        case GameResult::RedWins:
            view_.redraw();
            return end_game(Winner::Red);
        case GameResult::BlueWins:
            view_.redraw();
            return end_game(Winner::Blue);
        case GameResult::Draw:
            view_.redraw();
            return end_game(Winner::Nobody);
    }
}

SavedGame Game::saved() const {
    // With two players, the side to move is saved as the human's, so that the game resumes with
    // the same side to move.
    GameSettings settings = settings_;
    if (to_move_ != human_side()) {
        settings.first_player = to_move_ == Side::Red ? FirstPlayer::Human : FirstPlayer::Computer;
    }
    return {settings, position_.squares};
}

Message Game::turn_text() const {
    if (!two_players_) {
        return Message(N_("You play..."));
    }
    return Message(to_move_ == Side::Red ? N_("Red plays...") : N_("Blue plays..."));
}

int Game::occurrences() const {
    int n = 1;
    for (const PlayedTurn& turn : record_.turns) {
        n += turn.side == to_move_ && turn.before == position_ ? 1 : 0;
    }
    return n;
}

void Game::advance() {
    for (;;) {
        view_.redraw();
        if (const std::optional<Winner> winner = winner_by_pieces(position_.squares)) {
            end_game(*winner);
            return;
        }
        // Two kings could otherwise chase each other for ever.
        if (occurrences() >= 3) {
            end_game(Winner::Nobody);
            return;
        }
        if (played_by_people(to_move_)) {
            view_.set_status_text(turn_text());
            pending_.clear();
            if (generate_moves(position_, to_move_, legal_, Landings::Every) != 0) {
                return;
            }
            // Both sides have pieces and neither can move: the passes would never end.
            if (count_legal_moves(position_, opponent(to_move_), Landings::Distinct) == 0) {
                end_game(Winner::Nobody);
                return;
            }
            play_turn(std::nullopt);
            continue;
        }
        view_.set_status_text(Message(N_("Computer plays...")));
        view_.computer_turn_begins();
        return;
    }
}

void Game::end_game(Winner winner) {
    outcome_ = winner;
    record_.result = winner == Winner::Red    ? GameResult::RedWins
                     : winner == Winner::Blue ? GameResult::BlueWins
                                              : GameResult::Draw;
    in_play_ = false;
    view_.set_status_text(outcome_text(winner));
}

Message Game::outcome_text(Winner winner) const {
    if (winner == Winner::Nobody) {
        return Message(N_("No winner !"));
    }
    if (two_players_) {
        return Message(winner == Winner::Red ? N_("Red wins !") : N_("Blue wins !"));
    }
    const bool human_won = (winner == Winner::Red) == (human_side() == Side::Red);
    return Message(human_won ? N_("You win !") : N_("Computer wins !"));
}

void Game::report_state() {
    switch (turn()) {
        case Turn::Human:
            view_.set_status_text(turn_text());
            return;
        case Turn::Computer:
            view_.set_status_text(Message(N_("Computer plays...")));
            return;
        case Turn::None:
            if (outcome_) {
                view_.set_status_text(outcome_text(*outcome_));
            }
            return;
    }
}

void Game::play_turn(const std::optional<Move>& move) {
    record_.turns.push_back({to_move_, position_, move});
    if (move) {
        play_move(position_, *move);
    }
    to_move_ = opponent(to_move_);
}

ComputerTurn Game::computer_turn() const {
    ComputerTurn turn{position_, to_move_, settings_.level, settings_.expert_thinking_time, {}};
    turn.earlier.reserve(record_.turns.size());
    for (const PlayedTurn& played : record_.turns) {
        turn.earlier.emplace_back(played.before, played.side);
    }
    return turn;
}

ComputerTurn Game::hint_turn() const {
    ComputerTurn turn = computer_turn();
    turn.level = Level::Expert;
    turn.thinking_time = kExpertThinkingTimes[0];
    return turn;
}

void Game::computer_moved(const std::optional<Move>& move) {
    if (turn() != Turn::Computer) {
        return;
    }
    play_turn(move);
    last_move_ = move.value_or(Move{});
    pending_.clear();
    advance();
}

void Game::show_hint(const Move& move) {
    if (turn() != Turn::Human) {
        return;
    }
    hint_ = move;
    view_.set_status_text(Message(N_("Hint: {1}"), {describe_move(position_, move)}));
    view_.redraw();
}

void Game::clear_hint() {
    if (hint_.empty()) {
        return;
    }
    hint_.clear();
    if (turn() == Turn::Human) {
        view_.set_status_text(turn_text());
    }
    view_.redraw();
}

bool Game::extends_legal_move(int square) const {
    Move longer = pending_;
    if (!longer.push(square)) {
        return false;
    }
    return std::any_of(legal_.begin(), legal_.end(),
                       [&](const Move& move) { return move.starts_with(longer); });
}

bool Game::is_whole_legal_move(const Move& path) const {
    return turn() == Turn::Human && std::find(legal_.begin(), legal_.end(), path) != legal_.end();
}

std::uint64_t Game::movable_pieces() const {
    std::uint64_t squares = 0;
    if (turn() == Turn::Human) {
        for (const Move& move : legal_) {
            squares |= square_bit(move.from());
        }
    }
    return squares;
}

std::uint64_t Game::path_continuations() const {
    std::uint64_t squares = 0;
    if (turn() == Turn::Human && !pending_.empty()) {
        for (const Move& move : legal_) {
            if (move.size() > pending_.size() && move.starts_with(pending_)) {
                squares |= square_bit(move[pending_.size()]);
            }
        }
    }
    return squares;
}

void Game::click_square(int square) {
    if (turn() != Turn::Human) {
        return;
    }
    clear_hint();
    // A step that leads on along a legal move is taken even onto a square the path has already
    // named or back onto the start square, which a king may cross or return to.
    bool taken = false;
    if (!pending_.empty() && extends_legal_move(square)) {
        taken = pending_.push(square);
    } else {
        const char piece = position_[square];
        if (belongs_to(piece, to_move_)) {
            // A path always starts again from the piece clicked last, and the markers of the
            // last move go.
            pending_.clear();
            last_move_.clear();
        } else if (pending_.empty()) {
            return;
        }
        if (belongs_to(piece, opponent(to_move_)) || pending_.contains(square)) {
            return;
        }
        taken = pending_.push(square);
    }
    if (!taken) {
        return;
    }
    view_.redraw();
    // A whole move that no longer move continues can be played at once.
    if (play_complete_moves_ && path_continuations() == 0 && is_whole_legal_move(pending_)) {
        play();
    }
}

void Game::cancel() {
    if (turn() != Turn::Human || pending_.empty()) {
        return;
    }
    pending_.pop();
    view_.redraw();
}

void Game::clear_path() {
    if (turn() != Turn::Human || pending_.empty()) {
        return;
    }
    pending_.clear();
    view_.redraw();
}

void Game::play() {
    if (turn() != Turn::Human || pending_.empty()) {
        return;
    }
    if (!is_whole_legal_move(pending_)) {
        pending_.clear();
        view_.redraw();
        return;
    }
    taken_back_.clear();
    hint_.clear();
    last_move_ = pending_;
    play_turn(pending_);
    // The move stays marked as the pending path too until the next person's turn begins.
    advance();
}

bool Game::can_take_back() const {
    if (turn() != Turn::Human && !outcome_) {
        return false;
    }
    return std::any_of(record_.turns.begin(), record_.turns.end(), [&](const PlayedTurn& played) {
        return played.move && played_by_people(played.side);
    });
}

void Game::take_back() {
    if (!can_take_back()) {
        return;
    }
    // Back to the last move a person made, undoing it and everything after it.
    std::vector<PlayedTurn>& turns = record_.turns;
    std::size_t back = turns.size();
    while (back > 0 && !(turns[back - 1].move && played_by_people(turns[back - 1].side))) {
        --back;
    }
    --back;
    while (turns.size() > back) {
        taken_back_.push_back(turns.back());
        turns.pop_back();
    }
    const PlayedTurn& undone = taken_back_.back();
    position_ = undone.before;
    to_move_ = undone.side;
    in_play_ = true;
    outcome_.reset();
    record_.result = GameResult::Unfinished;
    pending_.clear();
    hint_.clear();
    last_move_.clear();
    for (auto it = turns.rbegin(); it != turns.rend(); ++it) {
        if (it->move) {
            last_move_ = *it->move;
            break;
        }
    }
    advance();
}

bool Game::can_replay() const {
    return !taken_back_.empty() && (turn() == Turn::Human || outcome_);
}

void Game::replay() {
    if (!can_replay()) {
        return;
    }
    // The person's move, then whatever followed it up to the next move a person made.
    bool moved = false;
    while (!taken_back_.empty()) {
        const PlayedTurn& next = taken_back_.back();
        if (moved && next.move && played_by_people(next.side)) {
            break;
        }
        moved = moved || next.move.has_value();
        if (next.move) {
            last_move_ = *next.move;
        }
        record_.turns.push_back(next);
        position_ = next.before;
        to_move_ = next.side;
        if (next.move) {
            play_move(position_, *next.move);
        }
        to_move_ = opponent(to_move_);
        taken_back_.pop_back();
    }
    in_play_ = true;
    outcome_.reset();
    record_.result = GameResult::Unfinished;
    pending_.clear();
    hint_.clear();
    advance();
}

}  // namespace zarvo
