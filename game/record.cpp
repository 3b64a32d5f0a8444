#include "game/record.h"

#include "rules/play.h"

namespace zarvo {

Position GameRecord::end() const {
    if (turns.empty()) {
        return start;
    }
    Position after = turns.back().before;
    if (turns.back().move) {
        play_move(after, *turns.back().move);
    }
    return after;
}

Side GameRecord::side_to_move() const {
    return turns.empty() ? first_side : opponent(turns.back().side);
}

}  // namespace zarvo
