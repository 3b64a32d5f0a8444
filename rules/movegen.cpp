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

// The capture search proper from `from`, the last square of `path`; `path` is restored before
// returning.
int attacks_from(PathBuffer& path, int from, const Board& board, int reach, MoveList& list,
                 int excluded1, int excluded2, char prune) {
    const std::size_t n_chars = path.size;
    const char mover = board[from];
    const char mover_side = to_upper(mover);
    const int max_landing = variant == 0 ? 1 : reach;
    int found = 0;

    for (int d = 0; d < 4; ++d) {
        if (d == excluded1 || d == excluded2) {
            continue;
        }
        // Look along the line for the first piece, within reach. A piece on the edge toward
        // which the line leads has nothing behind it and cannot be jumped.
        int victim = -1;
        for (int j = 1, q = neighbour(from, d); j <= reach && q >= 0 && neighbour(q, d) >= 0;
             ++j, q = neighbour(q, d)) {
            const char piece = board[q];
            if (piece == kEmpty) {
                continue;
            }
            if (to_upper(piece) != mover_side) {
                victim = q;
            }
            break;
        }
        if (victim < 0) {
            continue;
        }
        // Land on each empty square behind it, nearest first.
        int k = 1;
        for (int landing = neighbour(victim, d); k <= max_landing && landing >= 0;
             ++k, landing = neighbour(landing, d)) {
            if (board[landing] != kEmpty) {
                break;
            }
            list.append(path.view(), landing);
            ++found;
            // A man that reaches its crowning row ends its chain there.
            const int landing_row = row_of(landing);
            if ((mover == kRedMan && landing_row == 0) || (mover == kBlueMan && landing_row == 7)) {
                continue;
            }
            // Every jump captures a piece, so a path never outgrows the buffer; the test is a
            // safeguard for boards that no game can reach.
            if (n_chars + 2 > path.chars.size()) {
                continue;
            }
            Board next = board;
            next[victim] = kEmpty;
            next[from] = kEmpty;
            next[landing] = mover;
            const SquareName name = square_name(landing);
            path.chars[n_chars] = name[0];
            path.chars[n_chars + 1] = name[1];
            path.size = n_chars + 2;
            // A man keeps its backward direction barred; a king may not turn straight back.
            const int next_excluded1 = reach == 1 ? excluded1 : opposite(d);
            const int next_excluded2 = (k != 1 && prune != 0) ? d : -1;
            found += attacks_from(path, landing, next, reach, list, next_excluded1, next_excluded2,
                                  prune);
            path.size = n_chars;
        }
    }
    return found;
}

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
    return attacks_from(buffer, from, board, reach, list, excluded1, excluded2, prune);
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
        start_path.size = 2;
        for (std::uint64_t mine = pieces_in_scan_order(board, side); mine != 0; mine &= mine - 1) {
            const int square = scan_square(std::countr_zero(mine));
            const char piece = board[square];
            const bool king = piece == side;
            if (!king && !man_may_capture(board, square, side, backward_of(piece))) {
                continue;
            }
            const SquareName name = square_name(square);
            start_path.chars[0] = name[0];
            start_path.chars[1] = name[1];
            captures += king ? attacks_from(start_path, square, board, 6, attacks, -1, -1, prune)
                             : attacks_from(start_path, square, board, 1, attacks,
                                            backward_of(piece), -1, prune);
        }
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
