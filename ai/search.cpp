// Placeholder until the search lands: plays the first listed move.
#include "ai/search.h"

#include "rules/movegen.h"
#include "rules/play.h"

namespace zarvo {

int fast_evaluate(const Board&, char) { return 5000; }

int evaluate_move(const Board&, char, char, std::string_view, int, int) { return 5000; }

void computer_play(char side, int, MoveString& result) {
    static MoveList list;
    result.clear();
    if (generate_moves(table, side, list, 1) == 0) {
        return;
    }
    result = MoveString::from(*list.entries().begin());
    play_move(table, result.view());
}

void set_event_hook(EventHook) {}

}  // namespace zarvo
