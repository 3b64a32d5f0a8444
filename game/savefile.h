// The saved game: one slot, the file "zarvo.dat" in the current directory, 67 raw bytes.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "rules/board.h"
#include "rules/message.h"

namespace zarvo {

// Name of the one save slot, relative to the current directory.
inline constexpr const char* kSaveFileName = "zarvo.dat";

// Size of a saved game: first player, level, variant, then the 64 squares from a8 to h1.
inline constexpr std::size_t kSaveSize = 67;

// Status line texts when the slot cannot be read back or written.
inline constexpr const char* kLoadFailedText = N_("Could not load zarvo.dat");
inline constexpr const char* kSaveFailedText = N_("Could not save zarvo.dat");

// The 67 bytes of a saved game, each field a raw byte in file order.
std::array<unsigned char, kSaveSize> encode_save(const SavedGame& game);

// Reads a saved game back, or nothing when the bytes are not exactly one well-formed game: 67
// bytes, first player 1 or 2, level 1 to 4 (4 the Expert), variant 0 or 1, every square one of the
// five codes.
std::optional<SavedGame> decode_save(std::span<const unsigned char> bytes);

// Reads at most one byte more than a saved game holds from a regular file, so that an
// oversized file shows up as too long; nothing when the file cannot be opened or read.
std::optional<std::vector<unsigned char>> read_save_file(const std::filesystem::path& path);

// Writes the bytes to a fresh file beside `path`, flushes it to disk and renames it over `path`,
// so a failure at any point leaves the previous file as it was. False when anything failed.
bool write_save_file(const std::filesystem::path& path, std::span<const unsigned char> bytes);

// "Save game": stores the game in play in the slot, only on the human's turn; a failure is
// reported on the status line.
void save_game(Game& game);

// "Load game": replaces the game in play (and the staged settings) by the saved one and hands the
// turn to the human; a missing or damaged file changes nothing but the status line. Refused while
// the computer thinks.
void load_game(Game& game);

}  // namespace zarvo
