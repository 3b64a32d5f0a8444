// Feeds arbitrary boards, sides, variants and paths to the move generator and the legality test.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rules/movegen.h"
#include "rules/play.h"

namespace {

// Boards beyond what a game can hold (more than 16 pieces a side) can have astronomically many
// Turkish capture paths; the generator promises whole lists for the game's positions only.
bool within_game_limits(const zarvo::Board& board) {
    int red = 0;
    int blue = 0;
    int other = 0;
    for (char square : board) {
        if (zarvo::belongs_to(square, 'O')) {
            ++red;
        } else if (zarvo::belongs_to(square, 'X')) {
            ++blue;
        } else if (square != zarvo::kEmpty) {
            ++other;
        }
    }
    return red <= 16 && blue <= 16 && red + blue + other <= 40;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 + 64) {
        return 0;
    }
    zarvo::variant = static_cast<char>(data[0] & 1);
    const char side = (data[1] & 1) ? 'X' : 'O';
    const char prune = static_cast<char>(data[2] & 1);
    // Half of the byte values give an empty square so that typical boards are half full; one
    // value in sixteen keeps its raw byte, which the rules treat as an obstacle.
    zarvo::Board board;
    for (std::size_t i = 0; i < 64; ++i) {
        const std::uint8_t b = data[3 + i];
        constexpr char kPieces[] = {'o', 'O', 'x', 'X', 'o', 'x', 'O'};
        board[i] = (b & 0x80) == 0 ? zarvo::kEmpty
                   : (b & 7) == 7  ? static_cast<char>(b >> 3)
                                   : kPieces[b & 7];
    }
    if (!within_game_limits(board)) {
        return 0;
    }
    const std::string_view path(reinterpret_cast<const char*>(data + 67), size - 67);

    static zarvo::MoveList list;
    const int n = zarvo::generate_moves(board, side, list, prune);
    if (static_cast<std::size_t>(n) != zarvo::count_moves(list.text())) {
        std::abort();
    }
    // Every listed move applies cleanly and is legal for the side.
    for (std::string_view move : list.entries()) {
        zarvo::Board after = board;
        if (!zarvo::play_move(after, move)) {
            std::abort();
        }
    }
    if (n > 0 && prune == 0) {
        const std::string_view first = *list.entries().begin();
        if (zarvo::check_legal(board, side, first) != 1) {
            std::abort();
        }
    }
    zarvo::check_legal(board, side, path);
    zarvo::check_if_can_play(board, side);
    // Applying arbitrary text must never write off the board.
    zarvo::Board scratch = board;
    zarvo::play_move(scratch, path);
    return 0;
}
