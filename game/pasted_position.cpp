#include "game/pasted_position.h"

#include "rules/fen.h"
#include "rules/notation.h"

namespace zarvo {

std::optional<GameRecord> pasted_record(std::string_view text, Variant variant) {
    GameRecord record;
    record.start.variant = variant;
    const auto fen = read_fen(text);
    if (const Fen* position = std::get_if<Fen>(&fen)) {
        record.start.squares = position->squares;
        record.first_side = position->side_to_move;
        return record;
    }
    if (const std::optional<Board> pos = parse_pos(text)) {
        record.start.squares = *pos;
        return record;
    }
    return std::nullopt;
}

}  // namespace zarvo
