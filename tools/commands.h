// The subcommands of zarvo-cli; each writes its result on `out` and returns the exit status,
// or throws UsageError for bad input.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

#include "tools/cli_options.h"

namespace zarvo::cli {

// One subcommand: its name, the options it accepts and what it does.
struct Command {
    std::string_view name;
    std::span<const std::string_view> options;
    int (*run)(const Options& options, std::ostream& out, std::ostream& err);
};

// Subcommands that look into the rules: moves, perft, legal, apply.
std::span<const Command> rules_commands();

// Subcommands of the computer player: analyse, best, bench.
std::span<const Command> ai_commands();

// A position of the bench set: the variant, the side to move, the position in POS form and a
// few words on what it is.
struct BenchPosition {
    char variant;
    char side;
    const char* pos;
    const char* what;
};

// The positions that `zarvo-cli bench` searches at each level.
std::span<const BenchPosition> bench_positions();

}  // namespace zarvo::cli
