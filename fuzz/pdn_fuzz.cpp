// Feeds arbitrary text to the FEN and PDN readers: they must refuse or accept without touching
// memory they do not own, a FEN they accept must write back to the same position, and every game
// they read must come back the same from the writer's text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "game/pdn.h"
#include "rules/fen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto fen = zarvo::read_fen(bytes);
    if (const auto* read = std::get_if<zarvo::Fen>(&fen)) {
        const auto again = zarvo::read_fen(zarvo::format_fen(read->squares, read->side_to_move));
        if (!std::holds_alternative<zarvo::Fen>(again) || std::get<zarvo::Fen>(again) != *read) {
            std::abort();
        }
    }

    // Random bytes seldom name a game type Zarvo plays, so the first byte may choose a header
    // that makes the rest a Turkish or a Greek game.
    constexpr std::string_view kHeaders[] = {"", "[GameType \"30\"]\n", "[GameType \"50\"]\n"};
    const std::size_t choice = size == 0 ? 0 : static_cast<unsigned char>(bytes[0]) % 3;
    const std::string text = std::string(kHeaders[choice]) + std::string(bytes.substr(size > 0));
    for (const zarvo::PdnGame& game : zarvo::read_pdn_games(text).games) {
        const auto again = zarvo::read_pdn(zarvo::write_pdn({}, game.record));
        const auto* games = std::get_if<std::vector<zarvo::PdnGame>>(&again);
        if (games == nullptr || games->size() != 1 || games->front().record != game.record) {
            std::abort();
        }
    }
    return 0;
}
