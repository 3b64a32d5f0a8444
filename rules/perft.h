// Counting move sequences to a fixed depth: the move generator's regression net.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/board.h"
#include "rules/capture_paths.h"

namespace zarvo {

// The number of move sequences of each length 1..depth from a position, `side` to move first.
// A position where a side has no pieces has no children; one where the side to move has no legal
// move, while both sides have pieces, has one child: the pass (same position, other side).
// Element i of the result is the count for length i + 1.
std::vector<std::uint64_t> perft(const Position& position, Side side, int depth, Landings landings);

}  // namespace zarvo
