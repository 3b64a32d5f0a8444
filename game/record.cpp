#include "game/record.h"

#include "rules/play.h"

namespace zarvo {

Position PlayedTurn::after() const {
    Position position = before;
    if (move) {
        play_move(position, *move);
    }
    return position;
}

Position GameRecord::end() const {
    return turns.empty() ? start : turns.back().after();
}

Side GameRecord::side_to_move() const {
    return turns.empty() ? first_side : opponent(turns.back().side);
}

}  // namespace zarvo
