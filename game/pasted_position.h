// A position pasted as text, as players copy one from a program or a web page: a FEN, which names
// the side to move, or a POS as zarvo-cli writes it, which does not.
#pragma once

#include <optional>
#include <string_view>

#include "game/record.h"
#include "rules/board.h"

namespace zarvo {

// The record of a game that begins at the position `text` gives, in `variant`: a FEN's side to
// move, or red to move for a POS; nothing when the text is neither.
std::optional<GameRecord> pasted_record(std::string_view text, Variant variant);

}  // namespace zarvo
