#include "rules/movegen.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "rules/scan.h"

namespace zarvo {

namespace {

// A capture path under construction: the start square and each landing so far.
struct PathBuffer {
    std::array<char, MoveString::kCapacity> chars;
    std::size_t size = 0;

    std::string_view view() const { return {chars.data(), size}; }
};

// Writes each capture path into a move list, as the path so far followed by its landing.
struct ListSink {
    PathBuffer& path;
    MoveList& list;

    void found(int landing, int, char) { list.append(path.view(), landing); }
    bool enter(int landing, int, char) {
        // Every jump captures a piece, so a path never outgrows the buffer; the test is a
        // safeguard for boards that no game can reach.
        if (path.size + 2 > path.chars.size()) {
            return false;
        }
        const SquareName name = square_name(landing);
        path.chars[path.size] = name[0];
        path.chars[path.size + 1] = name[1];
        path.size += 2;
        return true;
    }
    void leave() { path.size -= 2; }
};

// The capture paths of one generate_moves call; only one call may use it at a time.
MoveList& attack_moves() {
    static MoveList list;
    return list;
}

bool generating = false;

// Marks generate_moves as active for the lifetime of one call.
class GenerationGuard {
  public:
    GenerationGuard() {
        assert(!generating && "generate_moves is not re-entrant");
        generating = true;
    }
    ~GenerationGuard() { generating = false; }
    GenerationGuard(const GenerationGuard&) = delete;
    GenerationGuard& operator=(const GenerationGuard&) = delete;
};

}  // namespace

int generate_attacks(std::string_view path, const Board& board, int reach, MoveList& list,
                     int excluded1, int excluded2, char prune) {
    PathBuffer buffer;
    if (path.size() < 2 || path.size() > buffer.chars.size() ||
        !parse_square(path[path.size() - 2], path.back())) {
        return 0;
    }
    buffer.size = path.copy(buffer.chars.data(), path.size());
    const int from = *parse_square(path[path.size() - 2], path.back());
    ListSink sink{buffer, list};
    return visit_capture_paths(sink, from, board, reach, excluded1, excluded2, prune);
}

int clear_attacks(MoveList& list) {
    std::size_t longest = 0;
    for (std::string_view entry : list.entries()) {
        longest = std::max(longest, entry.size());
    }
    // Compact in place: kept entries slide down over the removed ones.
    char* text = list.data();
    const std::size_t size = list.text().size();
    std::size_t write = 0;
    std::size_t read = 0;
    int removed = 0;
    while (read < size) {
        std::size_t end = read + 1;
        while (end < size && text[end] != ',') {
            ++end;
        }
        if (end - read - 1 == longest) {
            std::copy(text + read, text + end, text + write);
            write += end - read;
        } else {
            ++removed;
        }
        read = end;
    }
    list.truncate(write);
    return removed;
}

int generate_moves(const Board& board, char side, MoveList& list, char prune) {
    const GenerationGuard guard;
    MoveList& attacks = attack_moves();
    list.clear();
    attacks.clear();
    if (side != kRed && side != kBlue) {
        return 0;
    }
    int plain = 0;
    const bool any_capture = visit_plain_moves(board, side, [&](int from, int to) {
        list.append_step(from, to);
        ++plain;
    });
    // The captures come after every plain move, in the same order of pieces.
    int captures = 0;
    if (any_capture) {
        PathBuffer start_path;
        ListSink sink{start_path, attacks};
        visit_capturing_pieces(board, side, [&](int square, int reach, int excluded) {
            const SquareName name = square_name(square);
            start_path.chars[0] = name[0];
            start_path.chars[1] = name[1];
            start_path.size = 2;
            captures += visit_capture_paths(sink, square, board, reach, excluded, -1, prune);
        });
    }

    if (variant == 0) {
        list.append_list(attacks.text());
        return plain + captures;
    }
    if (!attacks.empty()) {
        // The greatest capture is compulsory: the longest paths replace every other move.
        captures -= clear_attacks(attacks);
        list.clear();
        list.append_list(attacks.text());
        return captures;
    }
    return plain;
}

int check_legal(const Board& board, char side, std::string_view path) {
    static MoveList list;
    generate_moves(board, side, list, 0);
    for (std::string_view entry : list.entries()) {
        if (entry == path) {
            return 1;
        }
    }
    return 0;
}

int check_if_can_play(const Board& board, char side) {
    static MoveList list;
    return generate_moves(board, side, list, 1);
}

}  // namespace zarvo
