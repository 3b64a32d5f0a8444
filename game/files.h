// Reading and writing the game's files safely: a size cap on what is read, and a write that
// either replaces the whole file or leaves the old one as it was.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zarvo {

// Reads at most `limit` bytes from the start of a regular file (a file longer than the limit
// shows up as exactly `limit` bytes); nothing when it is no regular file or cannot be read.
std::optional<std::vector<unsigned char>> read_file_start(const std::filesystem::path& path,
                                                          std::size_t limit);

// Writes the bytes to a fresh file beside `path`, flushes it to disk and renames it over `path`,
// so a failure at any point leaves the previous file as it was. False when anything failed.
bool replace_file(const std::filesystem::path& path, std::span<const unsigned char> bytes);

}  // namespace zarvo
