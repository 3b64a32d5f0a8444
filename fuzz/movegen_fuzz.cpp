// Feeds arbitrary boards, sides, variants and paths to the move generator, the counter and the
// legality test.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"

namespace {

// Boards beyond what a game can hold (more than 16 pieces a side) can have astronomically many
// Turkish capture paths; the generator promises whole lists for the game's positions only.
bool within_game_limits(const zarvo::Board& board) {
    int red = 0;
    int blue = 0;
    int other = 0;
    for (char square : board) {
        if (zarvo::belongs_to(square, zarvo::Side::Red)) {
            ++red;
        } else if (zarvo::belongs_to(square, zarvo::Side::Blue)) {
            ++blue;
        } else if (square != zarvo::kEmpty) {
            ++other;
        }
    }
    return red <= 16 && blue <= 16 && red + blue + other <= 40;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 + 64) {
        return 0;
    }
    const zarvo::Variant variant = (data[0] & 1) ? zarvo::Variant::Turkish : zarvo::Variant::Greek;
    const zarvo::Side side = (data[1] & 1) ? zarvo::Side::Blue : zarvo::Side::Red;
    const zarvo::Landings landings =
        (data[2] & 1) ? zarvo::Landings::Distinct : zarvo::Landings::Every;
    // Half of the byte values give an empty square so that typical boards are half full; one
    // value in sixteen keeps its raw byte, which the rules treat as an obstacle.
    zarvo::Position position;
    position.variant = variant;
    for (std::size_t i = 0; i < 64; ++i) {
        const std::uint8_t b = data[3 + i];
        constexpr char kPieces[] = {'o', 'O', 'x', 'X', 'o', 'x', 'O'};
        position.squares[i] = (b & 0x80) == 0 ? zarvo::kEmpty
                              : (b & 7) == 7  ? static_cast<char>(b >> 3)
                                              : kPieces[b & 7];
    }
    if (!within_game_limits(position.squares)) {
        return 0;
    }

    zarvo::MoveList list;
    const int n = zarvo::generate_moves(position, side, list, landings);
    if (static_cast<std::size_t>(n) != list.size() ||
        zarvo::count_legal_moves(position, side, landings) != n) {
        std::abort();
    }
    // Every listed move is well formed and applies without touching memory it does not own.
    for (const zarvo::Move& move : list) {
        if (!zarvo::is_well_formed(move)) {
            std::abort();
        }
        zarvo::Position after = position;
        zarvo::play_move(after, move);
    }
    if (n > 0 && landings == zarvo::Landings::Every && !zarvo::is_legal(position, side, list[0])) {
        std::abort();
    }
    // Whatever path the rest of the input spells is tested for legality, and played if well
    // formed.
    const std::string_view text(reinterpret_cast<const char*>(data + 67), size - 67);
    if (const std::optional<zarvo::Move> path = zarvo::parse_move(text)) {
        zarvo::is_legal(position, side, *path);
        if (zarvo::is_well_formed(*path)) {
            zarvo::Position scratch = position;
            zarvo::play_move(scratch, *path);
        }
    }
    return 0;
}
