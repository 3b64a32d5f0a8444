#include "tools/match.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "ai/budget_search.h"
#include "ai/expert_search.h"
#include "ai/zobrist.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"
#include "tools/cli.h"

namespace zarvo::cli {

namespace {

using Clock = std::chrono::steady_clock;

// The longest thinking time a match gives the Expert: ten minutes a move.
constexpr int kLongestThinkingMs = 600000;

// One side of a game: the searcher its level needs.
class Mover {
  public:
    Mover(const Player& player, std::uint64_t seed) : player_(player), draws_(seed) {
        if (player.level == Level::Expert) {
            expert_.emplace(kExpertTableMegabytes, player.weights);
        } else {
            budget_.emplace();
        }
    }

    std::optional<Move> choose(const Position& position, Side side,
                               std::span<const std::uint64_t> earlier) {
        if (expert_) {
            return expert_->choose_move(
                position, side, ExpertLimits::thinking_time(player_.thinking_time), {}, earlier);
        }
        return budget_->choose_move(position, side, budget_of(player_.level),
                                    [this] { return static_cast<int>(draws_() >> 1); });
    }

  private:
    Player player_;
    std::mt19937 draws_;
    std::optional<ExpertSearch> expert_;
    std::optional<BudgetSearch> budget_;
};

}  // namespace

std::string Player::name() const {
    switch (level) {
        case Level::Easy:
            return "easy";
        case Level::Medium:
            return "medium";
        case Level::Hard:
            return "hard";
        case Level::Expert:
            break;
    }
    return "expert:" + std::to_string(thinking_time.count()) + (tuned ? "*" : "");
}

Player parse_player(const std::string& text) {
    if (text == "easy") {
        return {Level::Easy};
    }
    if (text == "medium") {
        return {Level::Medium};
    }
    if (text == "hard") {
        return {Level::Hard};
    }
    if (text == "expert") {
        return {Level::Expert};
    }
    if (text.starts_with("expert:")) {
        const std::string ms = text.substr(7);
        if (!ms.empty() &&
            std::all_of(ms.begin(), ms.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
            ms.size() <= 6 && std::stoi(ms) >= 1 && std::stoi(ms) <= kLongestThinkingMs) {
            return {Level::Expert, std::chrono::milliseconds(std::stoi(ms))};
        }
    }
    throw UsageError(Message(
        // TRANSLATORS: {1} is the longest thinking time in milliseconds, {2} what was given; the
        // players' names are typed as they are.
        N_("a player must be easy, medium, hard, expert or expert:MS with MS from 1 to {1}, not "
           "'{2}'"),
        {std::to_string(kLongestThinkingMs), escaped(text)}));
}

void tune_weights(Player& player, const std::string& text) {
    ExpertWeights& w = player.weights;
    int* const scalars[] = {&w.greek_king, &w.turkish_king, &w.home_guard, &w.free_path,
                            &w.mobility,   &w.king_freedom, &w.boxed_king, &w.trade_down};
    const char* const names[] = {"greek_king", "turkish_king", "home_guard", "free_path",
                                 "mobility",   "king_freedom", "boxed_king", "trade_down"};
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        start = comma + 1;
        const std::size_t equals = item.find('=');
        const std::string name = item.substr(0, equals);
        const int value = parse_integer(
            "tune " + name, equals == std::string::npos ? "" : item.substr(equals + 1), 0, 100000);
        if (name == "advance_opening" || name == "advance_ending") {
            for (int& x : name == "advance_opening" ? w.advance_opening : w.advance_ending) {
                x = x * value / 100;
            }
        } else if (const auto* at = std::find(std::begin(names), std::end(names), name);
                   at != std::end(names)) {
            *scalars[at - std::begin(names)] = value;
        } else {
            // TRANSLATORS: {1} is the name given.
            throw UsageError(Message(N_("--tune has no weight named '{1}'"), {escaped(name)}));
        }
    }
    player.tuned = true;
}

std::span<const Opening> match_openings() {
    static constexpr Opening kOpenings[] = {
        {{"a3a4", "b6b5", "a4b4"}}, {{"a3a4", "b6b5", "c3c4"}}, {{"a3a4", "b6b5", "d3d4"}},
        {{"a3a4", "b6b5", "e3e4"}}, {{"a3a4", "c6c5", "b3b4"}}, {{"a3a4", "c6c5", "d3d4"}},
        {{"a3a4", "c6c5", "e3e4"}}, {{"a3a4", "d6d5", "b3b4"}}, {{"a3a4", "d6d5", "e3e4"}},
        {{"a3a4", "d6d5", "f3f4"}}, {{"a3a4", "d6d5", "g3g4"}}, {{"a3a4", "d6d5", "h3h4"}},
        {{"a3a4", "e6e5", "b3b4"}}, {{"a3a4", "e6e5", "c3c4"}}, {{"a3a4", "e6e5", "d3d4"}},
        {{"a3a4", "e6e5", "f3f4"}}, {{"a3a4", "e6e5", "g3g4"}}, {{"a3a4", "f6f5", "b3b4"}},
        {{"a3a4", "f6f5", "c3c4"}}, {{"a3a4", "f6f5", "d3d4"}}, {{"a3a4", "f6f5", "e3e4"}},
        {{"a3a4", "f6f5", "g3g4"}}, {{"a3a4", "f6f5", "h3h4"}}, {{"a3a4", "g6g5", "b3b4"}},
        {{"a3a4", "g6g5", "c3c4"}}, {{"a3a4", "g6g5", "d3d4"}}, {{"a3a4", "g6g5", "e3e4"}},
        {{"a3a4", "g6g5", "h3h4"}}, {{"a3a4", "h6h5", "b3b4"}}, {{"a3a4", "h6h5", "c3c4"}},
        {{"a3a4", "h6h5", "d3d4"}}, {{"a3a4", "h6h5", "e3e4"}}, {{"a3a4", "h6h5", "f3f4"}},
        {{"a3a4", "h6h5", "g3g4"}}, {{"b3b4", "a6a5", "c3c4"}}, {{"b3b4", "a6a5", "e3e4"}},
        {{"b3b4", "a6a5", "f3f4"}}, {{"c3c4", "b6b5", "h3h4"}}, {{"c3c4", "d6d5", "e3e4"}},
        {{"c3c4", "e6e5", "d3d4"}}, {{"c3c4", "f6f5", "d3d4"}}, {{"c3c4", "f6f5", "e3e4"}},
        {{"c3c4", "f6f5", "h3h4"}}, {{"c3c4", "g6g5", "d3d4"}}, {{"c3c4", "g6g5", "e3e4"}},
        {{"c3c4", "g6g5", "h3h4"}}, {{"d3d4", "c6c5", "e3e4"}}, {{"d3d4", "e6e5", "g3g4"}},
        {{"d3d4", "g6g5", "f3f4"}}, {{"d3d4", "h6h5", "f3f4"}},
    };
    return kOpenings;
}

MatchGame play_game(const Player& first, const Player& second, Variant variant,
                    const Opening& opening, bool first_is_red, std::uint64_t seed) {
    MatchGame result;
    result.first_is_red = first_is_red;
    Mover first_mover(first, seed);
    Mover second_mover(second, seed ^ 0x9E3779B97F4A7C15ULL);

    Position position = starting_position(variant);
    Side side = Side::Red;
    result.record.start = position;
    // The keys of every position of the game so far, the current one last.
    std::vector<std::uint64_t> keys{position_key(position, side)};
    // Plays a move (or passes, with nothing) for the side to move and writes it in the record.
    const auto play = [&](const std::optional<Move>& move) {
        result.record.turns.push_back({side, position, move});
        if (move) {
            play_move(position, *move);
        }
        side = opponent(side);
        keys.push_back(position_key(position, side));
        ++result.plies;
    };
    // Ends the game, the record's result following the winner.
    const auto end = [&result](Ending ending) {
        result.ending = ending;
        result.record.result = !result.winner                ? GameResult::Draw
                               : *result.winner == Side::Red ? GameResult::RedWins
                                                             : GameResult::BlueWins;
        return result;
    };
    for (const char* text : opening.moves) {
        play(parse_move(text));
    }
    MoveList list;
    for (;;) {
        if (const std::optional<Winner> w = winner_by_pieces(position.squares)) {
            if (*w != Winner::Nobody) {
                result.winner = *w == Winner::Red ? Side::Red : Side::Blue;
            }
            return end(Ending::NoPieces);
        }
        if (std::count(keys.begin(), keys.end(), keys.back()) >= 3) {
            return end(Ending::Repetition);
        }
        if (result.plies >= kMatchPlyLimit) {
            return end(Ending::PlyLimit);
        }
        if (generate_moves(position, side, list, Landings::Distinct) == 0 &&
            generate_moves(position, opponent(side), list, Landings::Distinct) == 0) {
            return end(Ending::NoMoves);
        }
        const bool first_to_move = (side == Side::Red) == first_is_red;
        Mover& mover = first_to_move ? first_mover : second_mover;
        const Clock::time_point start = Clock::now();
        const std::optional<Move> move =
            mover.choose(position, side, std::span(keys.data(), keys.size() - 1));
        const auto took =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start);
        // A side with no legal move passes.
        if (move) {
            (first_to_move ? result.first_time : result.second_time) += took;
            ++(first_to_move ? result.first_moves : result.second_moves);
        }
        play(move);
    }
}

void Tally::add(const MatchGame& game) {
    const Side first_side = game.first_is_red ? Side::Red : Side::Blue;
    if (!game.winner) {
        ++draws;
    } else if (*game.winner == first_side) {
        ++wins;
    } else {
        ++losses;
    }
    first_time += game.first_time;
    first_moves += game.first_moves;
    second_time += game.second_time;
    second_moves += game.second_moves;
}

double Tally::score() const {
    return games() == 0 ? 0.5 : (wins + 0.5 * draws) / games();
}

EloEstimate elo_of(const Tally& tally) {
    const int n = tally.games();
    if (n == 0) {
        return {};
    }
    const double p = tally.score();
    const double variance = (tally.wins * (1 - p) * (1 - p) + tally.draws * (0.5 - p) * (0.5 - p) +
                             tally.losses * p * p) /
                            n;
    const double error = std::sqrt(variance / n);
    const double edge = 0.5 / n;
    const auto elo = [edge](double share) {
        share = std::clamp(share, edge, 1 - edge);
        return -400 * std::log10(1 / share - 1);
    };
    return {elo(p), (elo(p + 1.96 * error) - elo(p - 1.96 * error)) / 2};
}

}  // namespace zarvo::cli
