// Feeds arbitrary bytes to the saved-game loader: it must refuse or accept without touching memory
// it does not own, and whatever it accepts must write back to the same bytes. The same bytes, read
// as a position, then make a save that must be accepted and that the rules engine can work on,
// as the turn controller does right after a load.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/savefile.h"
#include "rules/board.h"
#include "rules/movegen.h"

namespace {

// Checks that an accepted save writes back to its own bytes, then lists moves on its board.
void exercise(std::span<const unsigned char> bytes) {
    const auto game = zarvo::decode_save(bytes);
    if (!game) {
        return;
    }
    const auto again = zarvo::encode_save(*game);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) {
        std::abort();
    }
    const zarvo::Position position{game->squares, game->settings.variant};
    zarvo::winner_by_pieces(position.squares);
    zarvo::count_legal_moves(position, zarvo::Side::Red, zarvo::Landings::Distinct);
    zarvo::count_legal_moves(position, zarvo::Side::Blue, zarvo::Landings::Distinct);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    exercise(std::span<const unsigned char>(data, size));

    // Random bytes seldom form a whole valid board, so also fold them into one.
    static constexpr char kCodes[] = {' ', 'o', 'O', 'x', 'X'};
    std::array<unsigned char, zarvo::kSaveSize> folded{};
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const unsigned char b = i < size ? data[i] : 0;
        folded[i] = i == 0   ? static_cast<unsigned char>(1 + b % 2)
                    : i == 1 ? static_cast<unsigned char>(1 + b % 3)
                    : i == 2 ? static_cast<unsigned char>(b % 2)
                             : static_cast<unsigned char>(kCodes[b % 5]);
    }
    if (!zarvo::decode_save(folded)) {
        std::abort();
    }
    exercise(folded);
    return 0;
}
