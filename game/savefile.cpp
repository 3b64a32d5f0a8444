// The saved game: the byte layout, checking a file before it is believed, and the two commands.
#include "game/savefile.h"

#include <algorithm>

#include "game/files.h"

namespace zarvo {

namespace {

constexpr std::size_t kFirstPlayerOffset = 0;
constexpr std::size_t kLevelOffset = 1;
constexpr std::size_t kVariantOffset = 2;
constexpr std::size_t kBoardOffset = 3;

// Whether a byte is one of the five square codes.
bool is_piece_code(unsigned char byte) {
    switch (static_cast<char>(byte)) {
        case kEmpty:
        case kRedMan:
        case kRedKing:
        case kBlueMan:
        case kBlueKing:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::array<unsigned char, kSaveSize> encode_save(const SavedGame& game) {
    std::array<unsigned char, kSaveSize> bytes{};
    bytes[kFirstPlayerOffset] = static_cast<unsigned char>(game.settings.first_player);
    bytes[kLevelOffset] = static_cast<unsigned char>(game.settings.level);
    bytes[kVariantOffset] = static_cast<unsigned char>(game.settings.variant);
    std::transform(game.squares.begin(), game.squares.end(), bytes.begin() + kBoardOffset,
                   [](char c) { return static_cast<unsigned char>(c); });
    return bytes;
}

std::optional<SavedGame> decode_save(std::span<const unsigned char> bytes) {
    if (bytes.size() != kSaveSize) {
        return std::nullopt;
    }
    const unsigned char first = bytes[kFirstPlayerOffset];
    const unsigned char level = bytes[kLevelOffset];
    const unsigned char rules = bytes[kVariantOffset];
    if ((first != 1 && first != 2) || level < 1 || level > 4 || rules > 1) {
        return std::nullopt;
    }
    const auto squares = bytes.subspan(kBoardOffset);
    if (!std::all_of(squares.begin(), squares.end(), is_piece_code)) {
        return std::nullopt;
    }
    SavedGame game;
    game.settings.first_player = static_cast<FirstPlayer>(first);
    game.settings.level = static_cast<Level>(level);
    game.settings.variant = static_cast<Variant>(rules);
    std::transform(squares.begin(), squares.end(), game.squares.begin(),
                   [](unsigned char b) { return static_cast<char>(b); });
    return game;
}

std::optional<std::vector<unsigned char>> read_save_file(const std::filesystem::path& path) {
    return read_file_start(path, kSaveSize + 1);
}

bool write_save_file(const std::filesystem::path& path, std::span<const unsigned char> bytes) {
    return replace_file(path, bytes);
}

void save_game(Game& game) {
    if (!game.can_save()) {
        return;
    }
    if (!write_save_file(kSaveFileName, encode_save(game.saved()))) {
        game.report(Message(kSaveFailedText));
        return;
    }
    // The line may still show an earlier failure: it says whose turn it is again ("Blue
    // plays..." with two players).
    game.report_state();
}

void load_game(Game& game) {
    if (game.computer_thinking()) {
        return;
    }
    const auto bytes = read_save_file(kSaveFileName);
    const auto saved = bytes ? decode_save(*bytes) : std::nullopt;
    if (!saved) {
        game.report(Message(kLoadFailedText));
        return;
    }
    game.resume(*saved);
}

}  // namespace zarvo
