// Feeds arbitrary bytes to the saved-game loader: it must refuse or accept without touching memory
// it does not own, and whatever it accepts must write back to the same bytes and be a position
// the rules engine can work on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/savefile.h"
#include "rules/board.h"
#include "rules/movegen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    const auto game = zarvo::decode_save(bytes);
    if (!game) {
        return 0;
    }
    const auto again = zarvo::encode_save(*game);
    if (size != again.size() || !std::equal(again.begin(), again.end(), data)) {
        std::abort();
    }
    // A loaded game goes straight to the turn controller, which counts pieces and lists moves.
    zarvo::variant = game->variant;
    int blue = 0;
    int red = 0;
    zarvo::check_winner(game->table, blue, red);
    zarvo::check_if_can_play(game->table, zarvo::kRed);
    zarvo::check_if_can_play(game->table, zarvo::kBlue);
    return 0;
}
