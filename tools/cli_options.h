// Command-line parsing for zarvo-cli: "--name value" pairs and the checked values they carry.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "rules/board.h"

namespace zarvo::cli {

// Bad input on the command line; its message is printed on one line and the exit status is 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The "--name value" options of one subcommand, checked against the names it accepts.
class Options {
  public:
    // Reads the arguments after the subcommand; every name must be one of `allowed`, given once,
    // and followed by a value.
    Options(std::span<const char* const> args, std::span<const std::string_view> allowed);

    bool has(std::string_view name) const;

    // The value of a required option.
    const std::string& get(std::string_view name) const;

    // The rule variant: "greek" is 0, "turkish" is 1.
    char variant() const;
    // The side to move: "O" (red) or "X" (blue).
    char side() const;
    // The pruning flag: "0" or "1".
    char prune() const;
    // A position in POS form, or "start".
    Board pos() const;
    // An integer within [low, high].
    int integer(std::string_view name, int low, int high) const;

  private:
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace zarvo::cli
