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

}  // namespace zarvo::cli
