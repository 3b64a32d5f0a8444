// The saved game: the byte layout, checking a file before it is believed, and the two commands.
#include "game/savefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

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

// Writes all of `bytes` to `fd`, going on after short writes and interruptions.
bool write_all(int fd, std::span<const unsigned char> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

// Opens a new file next to `path` for the save to be written into; -1 on failure.
int create_temporary(const std::string& temp_name) {
    // A crash of an earlier run with the same process id may have left the name behind.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(temp_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
        ::unlink(temp_name.c_str());
    }
    return -1;
}

// Flushes the directory holding `path` so the rename itself survives a power cut.
void sync_directory(const std::filesystem::path& path) {
    std::filesystem::path dir = path.parent_path();
    if (dir.empty()) {
        dir = ".";
    }
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
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
    if ((first != 1 && first != 2) || level < 1 || level > 3 || rules > 1) {
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    // Only a plain file is read: a directory or a pipe of that name is no saved game.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(kSaveSize + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

bool write_save_file(const std::filesystem::path& path, std::span<const unsigned char> bytes) {
    const std::string temp_name = path.string() + "." + std::to_string(::getpid()) + ".tmp";
    const int fd = create_temporary(temp_name);
    if (fd < 0) {
        return false;
    }
    const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp_name.c_str(), path.c_str()) != 0) {
        ::unlink(temp_name.c_str());
        return false;
    }
    sync_directory(path);
    return true;
}

void save_game(Game& game) {
    if (!game.can_save()) {
        return;
    }
    if (!write_save_file(kSaveFileName, encode_save(game.saved()))) {
        game.report(kSaveFailedText);
        return;
    }
    // The line may still show an earlier failure; it is the human's turn again.
    game.report("You play...");
}

void load_game(Game& game) {
    if (game.computer_thinking()) {
        return;
    }
    const auto bytes = read_save_file(kSaveFileName);
    const auto saved = bytes ? decode_save(*bytes) : std::nullopt;
    if (!saved) {
        game.report(kLoadFailedText);
        return;
    }
    game.resume(*saved);
}

}  // namespace zarvo
