#include "ui/search_runner.h"

#include <vector>

#include "ai/zobrist.h"

namespace zarvo {

SearchRunner::SearchRunner(std::function<void(SearchPurpose, const std::optional<Move>&)> answered)
    : answered_(std::move(answered)) {
    ready_.connect([this] { collect(); });
}

SearchRunner::~SearchRunner() {
    thread_.stop();
}

void SearchRunner::start(const ComputerTurn& turn, SearchPurpose purpose) {
    purpose_ = purpose;
    job_ = launch(turn);
}

std::uint64_t SearchRunner::launch(const ComputerTurn& turn) {
    if (turn.level != Level::Expert) {
        return thread_.start([this, turn](std::stop_token stop) {
            return budget_search_.choose_move(turn.position, turn.side, budget_of(turn.level),
                                              c_library_draw, std::move(stop));
        });
    }
    if (!expert_search_) {
        expert_search_ = std::make_unique<ExpertSearch>();
    }
    // Reaching a position of the game again is a draw to the Expert.
    std::vector<std::uint64_t> earlier;
    earlier.reserve(turn.earlier.size());
    for (const auto& [position, side] : turn.earlier) {
        earlier.push_back(position_key(position, side));
    }
    return thread_.start([this, turn, earlier = std::move(earlier)](std::stop_token stop) {
        return expert_search_->choose_move(turn.position, turn.side,
                                           ExpertLimits::thinking_time(turn.thinking_time),
                                           std::move(stop), earlier);
    });
}

void SearchRunner::stop() {
    thread_.stop();
    purpose_ = SearchPurpose::Nothing;
}

void SearchRunner::hurry() {
    thread_.hurry();
}

void SearchRunner::collect() {
    const std::optional<SearchResult> result = thread_.take_result();
    if (!result || result->job != job_ || purpose_ == SearchPurpose::Nothing) {
        return;
    }
    const SearchPurpose purpose = purpose_;
    purpose_ = SearchPurpose::Nothing;
    answered_(purpose, result->move);
}

}  // namespace zarvo
