// The saved game: the byte layout, checking a file before it is believed, and the two commands.
#include "game/savefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "game/controller.h"
#include "game/state.h"

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

// Shows a line of text on the status line when a window is attached and staying.
void report(std::string_view text) {
    if (GameView* v = view(); v != nullptr && !v->closing()) {
        v->set_status_text(text);
    }
}

}  // namespace

std::array<unsigned char, kSaveSize> encode_save(const SavedGame& game) {
    std::array<unsigned char, kSaveSize> bytes{};
    bytes[kFirstPlayerOffset] = static_cast<unsigned char>(game.first_player);
    bytes[kLevelOffset] = static_cast<unsigned char>(game.selected_level);
    bytes[kVariantOffset] = static_cast<unsigned char>(game.variant);
    std::transform(game.table.begin(), game.table.end(), bytes.begin() + kBoardOffset,
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
    game.first_player = static_cast<char>(first);
    game.selected_level = static_cast<char>(level);
    game.variant = static_cast<char>(rules);
    std::transform(squares.begin(), squares.end(), game.table.begin(),
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

void save_game() {
    if (status != kHumanToMove) {
        return;
    }
    const SavedGame game{first_player, selected_level, variant, table};
    const auto bytes = encode_save(game);
    if (!write_save_file(kSaveFileName, bytes)) {
        report(kSaveFailedText);
        return;
    }
    // The line may still show an earlier failure; it is the human's turn again.
    report("You play...");
}

void load_game() {
    if (status == kComputerToMove) {
        return;
    }
    const auto bytes = read_save_file(kSaveFileName);
    const auto game = bytes ? decode_save(*bytes) : std::nullopt;
    if (!game) {
        report(kLoadFailedText);
        return;
    }
    first_player = game->first_player;
    selected_level = game->selected_level;
    variant = game->variant;
    table = game->table;
    status = kHumanToMove;
    new_variant = variant;
    new_selected_level = selected_level;
    new_first_player = first_player;
    lastmove.clear();
    newmove.clear();
    main_loop();
}

}  // namespace zarvo
