#include "ai/search.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {

std::array<Board, kRootDepth + 1> new_tab{};
std::array<MoveList, kRootDepth + 1> new_mov;

namespace {

// The computer's own moves in the root position; made once, like the lists below the root.
MoveList root_list;

EventHook event_hook = nullptr;
SearchStats stats;

// Moves searched when the events were last handled.
std::uint64_t searched_at_last_pump = 0;

// Lets the game handle its window's events, if it has asked to.
void pump_events() {
    if (event_hook != nullptr) {
        ++stats.pumps;
        searched_at_last_pump = stats.moves_searched;
        event_hook();
    }
}

// The game's boards seen as a search tree: one scratch board and one move list per remaining
// depth, so nothing is allocated and nothing is copied out of a list.
struct BoardTree {
    using Position = Board;
    using Move = std::string_view;

    const Board& play(int depth, const Board& before, std::string_view move) {
        ++stats.moves_searched;
        Board& slot = new_tab[static_cast<std::size_t>(depth)];
        slot = before;
        play_move(slot, move);
        return slot;
    }
    int evaluate(const Board& after, char side) {
        ++stats.static_evaluations;
        return fast_evaluate(after, side);
    }
    int list(int depth, const Board& after, char side) {
        return generate_moves(after, side, new_mov[static_cast<std::size_t>(depth)], 1);
    }
    MoveEntries replies(int depth) const {
        return new_mov[static_cast<std::size_t>(depth)].entries();
    }
    // One root move can take far longer than the window may stay frozen (a position with few
    // moves of the computer and many of the human's), so events are also handled inside it,
    // every kPumpInterval moves. Here a list has been written and no listing is under way,
    // just as between two root moves.
    void between_moves() {
        if (event_hook != nullptr &&
            stats.moves_searched - searched_at_last_pump >= kPumpInterval) {
            pump_events();
        }
    }
};

}  // namespace

int evaluate_move(const Board& board, char side, char root_side, std::string_view move, int budget,
                  int depth) {
    BoardTree tree;
    return score_move(tree, board, side, root_side, move, std::max(budget, 0),
                      std::clamp(depth, 0, kRootDepth));
}

void computer_play(char side, int budget, MoveString& result) {
    result.clear();
    // The game handles its events just before it asks for a move.
    searched_at_last_pump = stats.moves_searched;
    const int n = generate_moves(table, side, root_list, 1);
    int best = -1;
    std::optional<std::string_view> chosen;
    for (std::string_view entry : root_list.entries()) {
        // The table is read afresh for every root move; nothing the events do may change it.
        const int v = evaluate_move(table, side, side, entry, budget / n, kRootDepth);
        // A tie draws only once some move is chosen: on a board where every move scores -1 or
        // below (a damaged saved game) the first listed move is played, and no draw is made.
        if (v > best || (chosen && v == best && std::rand() % 3 == 0)) {
            chosen = entry;
            best = v;
        }
        pump_events();
    }
    if (n == 0) {
        return;
    }
    if (!chosen) {
        chosen = *root_list.entries().begin();
    }
    result = MoveString::from(*chosen);
    play_move(table, result.view());
}

void set_event_hook(EventHook hook) {
    event_hook = hook;
}

const SearchStats& search_stats() {
    return stats;
}

void reset_search_stats() {
    stats = SearchStats{};
    searched_at_last_pump = 0;
}

}  // namespace zarvo
