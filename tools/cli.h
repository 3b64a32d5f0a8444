// zarvo-cli's command line: the subcommands, the checked values their options carry, and the
// one-line errors that bad input gets.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/translation.h"
#include "rules/board.h"
#include "rules/capture_paths.h"
#include "rules/message.h"

namespace zarvo::cli {

// Bad input on the command line; its message is printed on one line and the exit status is 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    // The message in the player's language, its places filled.
    explicit UsageError(const Message& message) : std::runtime_error(message.text(translate)) {}
};

// Runs zarvo-cli with the arguments that follow the program's name, writing its results on
// `out` and its errors on `err`; returns the exit status.
int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Where a subcommand writes, and the status it ends with.
struct Output {
    std::ostream& out;
    std::ostream& err;
    int status = 0;
};

// Adds the subcommands that look into the rules: moves, perft, legal, apply.
void add_rules_commands(CLI::App& app, Output& output);

// Adds the subcommands of the computer player: analyse, best, bench.
void add_ai_commands(CLI::App& app, Output& output);

// Adds the subcommand that checks game records: pdn.
void add_record_commands(CLI::App& app, Output& output);

// Adds match: games between two of the computer's levels.
void add_match_command(CLI::App& app, Output& output);

// The options of `analyse --engine expert`, as given.
struct ExpertAnalysis {
    std::string engine;
    std::string time;
    std::string depth;
    std::string variant;
    std::string side;
    std::string pos;
    std::string fen;
};

// Prints the Expert's analysis of a position: one line per completed iteration, then its move.
void run_expert_analysis(const ExpertAnalysis& options, Output& output);

// Prints the Expert's depth and speed in a thinking time (milliseconds, 1000 when empty) from the
// start and three middlegames of each variant.
void run_expert_bench(const std::string& engine, const std::string& time, Output& output);

// A text as it may be quoted inside a one-line message: control characters written as escapes.
std::string escaped(std::string_view text);

// The checked values of options, each read from its text or refused with a UsageError that names
// the option and quotes what was given.
Variant parse_variant(const std::string& text);
Side parse_side(const std::string& text);
Landings parse_landings(const std::string& text);
Board parse_position(const std::string& text);

// Adds --pos and --fen to a command that takes a position: exactly one of the two is given.
void add_position_options(CLI::App* command, std::string& pos, std::string& fen);

// The board of --pos or of --fen, whichever was given; refused when neither or both were.
Board parse_position(const std::string& pos, const std::string& fen);

// The side to move: --side, required with --pos; with --fen it may be left out for the FEN's side
// to move, and when given it must agree with it.
Side parse_side(const std::string& side, const std::string& fen);
int parse_integer(std::string_view option, const std::string& text, int low, int high);

// A position of the bench set: the variant, the side to move, the position in POS form and a
// few words on what it is.
struct BenchPosition {
    Variant variant;
    Side side;
    const char* pos;
    const char* what;
};

// The positions that `zarvo-cli bench` searches at each level.
std::span<const BenchPosition> bench_positions();

}  // namespace zarvo::cli
