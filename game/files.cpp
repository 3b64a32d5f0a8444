#include "game/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zarvo {

namespace {

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

// Opens a new file next to the one being replaced for the bytes to be written into; -1 on
// failure.
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

std::optional<std::vector<unsigned char>> read_file_start(const std::filesystem::path& path,
                                                          std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    // Only a plain file is read: a directory or a pipe of that name holds no game.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(limit);
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

bool replace_file(const std::filesystem::path& path, std::span<const unsigned char> bytes) {
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

}  // namespace zarvo
