// moves, perft, legal and apply: the rules engine seen from the command line.
#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>

#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/perft.h"
#include "rules/play.h"
#include "tools/cli.h"

namespace zarvo::cli {

namespace {

// The texts of the options the rules commands take.
struct RulesOptions {
    std::string variant;
    std::string prune;
    std::string side;
    std::string pos;
    std::string fen;
    std::string depth;
    std::string path;
    std::string move;
};

// Adds a required option that keeps its text for checking later.
void require(CLI::App* command, const char* name, std::string& value, const char* what) {
    command->add_option(name, value, what)->required();
}

void run_moves(const RulesOptions& o, Output& output) {
    const Position position{parse_position(o.pos, o.fen), parse_variant(o.variant)};
    const Landings landings = parse_landings(o.prune);
    MoveList list;
    const int n = generate_moves(position, parse_side(o.side, o.fen), list, landings);
    output.out << format_move_list(list) << '\n' << n << '\n';
}

void run_perft(const RulesOptions& o, Output& output) {
    const Variant variant = parse_variant(o.variant);
    const Landings landings = parse_landings(o.prune);
    const Side side = parse_side(o.side, o.fen);
    const int depth = parse_integer("depth", o.depth, 1, 20);
    const Position position{parse_position(o.pos, o.fen), variant};
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::uint64_t> counts = perft(position, side, depth, landings);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        output.out << i + 1 << ' ' << counts[i] << '\n';
        total += counts[i];
    }
    const double seconds = took.count();
    output.err << "time " << seconds << " s, " << total << " nodes, "
               << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " nodes/s\n";
}

void run_legal(const RulesOptions& o, Output& output) {
    const Variant variant = parse_variant(o.variant);
    const Side side = parse_side(o.side, o.fen);
    bool squares = !o.path.empty() && o.path.size() % 2 == 0;
    for (std::size_t i = 0; squares && i < o.path.size(); i += 2) {
        squares = parse_square(o.path[i], o.path[i + 1]).has_value();
    }
    if (!squares) {
        throw UsageError(
            // TRANSLATORS: {1} is what was given instead.
            Message(N_("--path must be square names such as c3c4, not '{1}'"), {escaped(o.path)}));
    }
    const Position position{parse_position(o.pos, o.fen), variant};
    // A path longer than any move can be is no legal move.
    const std::optional<Move> path = parse_move(o.path);
    output.out << (path && is_legal(position, side, *path) ? 1 : 0) << '\n';
}

void run_apply(const RulesOptions& o, Output& output) {
    const Variant variant = parse_variant(o.variant);
    const std::optional<Move> move = parse_move(o.move);
    Position position{parse_position(o.pos, o.fen), variant};
    if (!move || !is_well_formed(*move)) {
        // TRANSLATORS: {1} is what was given instead.
        throw UsageError(Message(N_("--move must be a move string such as c3c4 or c3c5c7, each "
                                    "step along one rank or file, not '{1}'"),
                                 {escaped(o.move)}));
    }
    play_move(position, *move);
    output.out << format_pos(position.squares) << '\n';
}

}  // namespace

void add_rules_commands(CLI::App& app, Output& output) {
    const auto o = std::make_shared<RulesOptions>();

    CLI::App* moves =
        app.add_subcommand("moves", _("The side's legal moves as the generator lists them"));
    moves->footer(
        _("Prints the side's move list as the generator writes it (an empty line when\n"
          "there is none), then the number of moves."));
    require(moves, "--variant", o->variant, _("greek or turkish"));
    require(moves, "--prune", o->prune, _("0 or 1"));
    moves->add_option("--side", o->side, _("O or X (with --fen, the FEN's side to move)"));
    add_position_options(moves, o->pos, o->fen);
    moves->callback([o, &output] { run_moves(*o, output); });

    CLI::App* perft_command = app.add_subcommand("perft", _("Counts move sequences to a depth"));
    perft_command->footer(
        // TRANSLATORS: "DEPTH NODES" is the form of the lines perft prints, which stay in English.
        _("Prints \"DEPTH NODES\" for each depth from 1 to N (N from 1 to 20): the number\n"
          "of move sequences of that length. A side without pieces ends the game; a side\n"
          "with no legal move passes (one node). Time and nodes/s go to standard error."));
    require(perft_command, "--variant", o->variant, _("greek or turkish"));
    require(perft_command, "--prune", o->prune, _("0 or 1"));
    perft_command->add_option("--side", o->side, _("O or X (with --fen, the FEN's side to move)"));
    require(perft_command, "--depth", o->depth, _("1 to 20"));
    add_position_options(perft_command, o->pos, o->fen);
    perft_command->callback([o, &output] { run_perft(*o, output); });

    CLI::App* legal = app.add_subcommand("legal", _("Whether a path is one whole legal move"));
    legal->footer(
        _("Prints 1 if PATH (square names such as c3c5c7) is one whole legal move, else 0."));
    require(legal, "--variant", o->variant, _("greek or turkish"));
    legal->add_option("--side", o->side, _("O or X (with --fen, the FEN's side to move)"));
    add_position_options(legal, o->pos, o->fen);
    require(legal, "--path", o->path, _("square names such as c3c5c7"));
    legal->callback([o, &output] { run_legal(*o, output); });

    CLI::App* apply = app.add_subcommand("apply", _("The position after a move"));
    apply->footer(_("Plays MOVE on the position (captures and crowning included) and prints it."));
    require(apply, "--variant", o->variant, _("greek or turkish"));
    add_position_options(apply, o->pos, o->fen);
    require(apply, "--move", o->move, _("a move string such as c3c5c7"));
    apply->callback([o, &output] { run_apply(*o, output); });
}

}  // namespace zarvo::cli
