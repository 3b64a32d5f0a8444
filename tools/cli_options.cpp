#include "tools/cli_options.h"

#include <algorithm>
#include <charconv>

#include "rules/notation.h"

namespace zarvo::cli {

Options::Options(std::span<const char* const> args, std::span<const std::string_view> allowed) {
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string_view arg = args[i];
        if (arg.size() < 3 || arg.substr(0, 2) != "--") {
            throw UsageError("unexpected argument '" + std::string(arg) + "'");
        }
        const std::string_view name = arg.substr(2);
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
            throw UsageError("unknown option '" + std::string(arg) + "'");
        }
        if (i + 1 >= args.size()) {
            throw UsageError("option '" + std::string(arg) + "' needs a value");
        }
        if (!values_.emplace(std::string(name), std::string(args[i + 1])).second) {
            throw UsageError("option '" + std::string(arg) + "' given twice");
        }
    }
}

bool Options::has(std::string_view name) const {
    return values_.find(name) != values_.end();
}

const std::string& Options::get(std::string_view name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) {
        throw UsageError("missing option '--" + std::string(name) + "'");
    }
    return it->second;
}

char Options::variant() const {
    const std::string& v = get("variant");
    if (v == "greek") {
        return 0;
    }
    if (v == "turkish") {
        return 1;
    }
    throw UsageError("--variant must be greek or turkish, not '" + v + "'");
}

char Options::side() const {
    const std::string& s = get("side");
    if (s == "O" || s == "X") {
        return s[0];
    }
    throw UsageError("--side must be O or X, not '" + s + "'");
}

char Options::prune() const {
    const std::string& p = get("prune");
    if (p == "0" || p == "1") {
        return static_cast<char>(p[0] - '0');
    }
    throw UsageError("--prune must be 0 or 1, not '" + p + "'");
}

Board Options::pos() const {
    const std::string& text = get("pos");
    const std::optional<Board> board = parse_pos(text);
    if (!board) {
        throw UsageError(
            "--pos must be 'start' or 8 ranks of 8 squares from rank 8 to rank 1, "
            "joined by '/', using o O x X and '.'");
    }
    return *board;
}

int Options::integer(std::string_view name, int low, int high) const {
    const std::string& text = get(name);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError("--" + std::string(name) + " must be a whole number from " +
                         std::to_string(low) + " to " + std::to_string(high) + ", not '" + text +
                         "'");
    }
    return value;
}

}  // namespace zarvo::cli
