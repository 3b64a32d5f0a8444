// moves, perft, legal and apply: the rules engine seen from the command line.
#include <chrono>
#include <cstdint>
#include <ostream>

#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/perft.h"
#include "rules/play.h"
#include "tools/commands.h"

namespace zarvo::cli {

namespace {

// Whether a text is a path of whole square names (one square or more).
bool is_square_path(std::string_view path) {
    if (path.empty() || path.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < path.size(); i += 2) {
        if (!parse_square(path[i], path[i + 1])) {
            return false;
        }
    }
    return true;
}

int run_moves(const Options& opts, std::ostream& out, std::ostream&) {
    variant = opts.variant();
    const char prune = opts.prune();
    const char side = opts.side();
    const Board board = opts.pos();
    MoveList list;
    const int n = generate_moves(board, side, list, prune);
    out << list.text() << '\n' << n << '\n';
    return 0;
}

int run_perft(const Options& opts, std::ostream& out, std::ostream& err) {
    variant = opts.variant();
    const char prune = opts.prune();
    const char side = opts.side();
    const int depth = opts.integer("depth", 1, 20);
    const Board board = opts.pos();
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::uint64_t> counts = perft(board, side, depth, prune);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        out << i + 1 << ' ' << counts[i] << '\n';
        total += counts[i];
    }
    const double seconds = took.count();
    err << "time " << seconds << " s, " << total << " nodes, "
        << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " nodes/s\n";
    return 0;
}

int run_legal(const Options& opts, std::ostream& out, std::ostream&) {
    variant = opts.variant();
    const char side = opts.side();
    const std::string& path = opts.get("path");
    if (!is_square_path(path)) {
        throw UsageError("--path must be square names such as c3c4, not '" + path + "'");
    }
    const Board board = opts.pos();
    out << check_legal(board, side, path) << '\n';
    return 0;
}

int run_apply(const Options& opts, std::ostream& out, std::ostream&) {
    variant = opts.variant();
    const std::string& move = opts.get("move");
    Board board = opts.pos();
    if (move.find(',') != std::string::npos || !play_move(board, move)) {
        throw UsageError(
            "--move must be a move string such as c3c4 or c3c5c7, each step along "
            "one rank or file, not '" +
            move + "'");
    }
    out << format_pos(board) << '\n';
    return 0;
}

constexpr std::string_view kMovesOptions[] = {"variant", "prune", "side", "pos"};
constexpr std::string_view kPerftOptions[] = {"variant", "prune", "side", "depth", "pos"};
constexpr std::string_view kLegalOptions[] = {"variant", "side", "pos", "path"};
constexpr std::string_view kApplyOptions[] = {"variant", "pos", "move"};

constexpr Command kCommands[] = {
    {"moves", kMovesOptions, run_moves},
    {"perft", kPerftOptions, run_perft},
    {"legal", kLegalOptions, run_legal},
    {"apply", kApplyOptions, run_apply},
};

}  // namespace

std::span<const Command> rules_commands() {
    return kCommands;
}

}  // namespace zarvo::cli
