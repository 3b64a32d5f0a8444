#include "tools/cli.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <ostream>

#include "rules/fen.h"
#include "rules/notation.h"

namespace zarvo::cli {

namespace {

// The help's closing part, translated when the help is made.
// TRANSLATORS: zarvo-cli's help after its list of commands. The commands, options and their values
// (moves, --variant, greek, O, ...) and the POS and FEN examples are typed as they are; the words
// in capitals stand for values and may be translated.
constexpr const char* kFooter = N_(R"(Commands and their options:
  moves --variant greek|turkish --prune 0|1 --side O|X --pos POS
  perft --variant greek|turkish --prune 0|1 --side O|X --depth N --pos POS
  legal --variant greek|turkish --side O|X --pos POS --path PATH
  apply --variant greek|turkish --pos POS --move MOVE
  analyse --variant greek|turkish --side O|X (--level 1|2|3 | --budget N) --pos POS
  analyse --engine expert (--time MS | --depth D) --variant greek|turkish --side O|X
          --pos POS
  best --variant greek|turkish --side O|X (--level 1|2|3 | --budget N) --seed S --pos POS
  bench [--level 1|2|3]
  bench --engine expert [--time MS]
  match A B [--games N] [--variant greek|turkish|both] [--seed S] [--jobs J]
  pdn FILE
Every command that takes --pos POS takes --fen FEN instead.

Options shared by the commands:
  --variant  greek (captures optional, a king lands right behind its capture) or
             turkish (the greatest capture is compulsory, a king lands anywhere behind)
  --prune    1 lists a Turkish king's repeated continuations once, as the computer
             does; 0 lists every landing choice, as the legality test does
  --side     O for red (moves up the board), X for blue
  --level    1 Easy (budget 2000), 2 Medium (3500), 3 Hard (10000)
  --budget   the search budget itself, 0 to 2147483647: each move gets an even
             share of its parent's, and a line ends once the computer's share is 0
  --pos      "start", or 8 ranks from rank 8 down to rank 1 joined by '/', each 8
             characters from file a to file h: o red man, O red king, x blue man,
             X blue king, . empty. The start is
             ......../xxxxxxxx/xxxxxxxx/......../......../oooooooo/oooooooo/........
  --fen      the position as PDN writes it: the side to move (W red, B blue), then
             the W and B lists of squares, K before a king, joined by ':', e.g.
             W:Wa2,b2,Kc4:Bf7,g7,Kh8. With --fen, --side may be left out for the
             FEN's side to move; given, it must be that side (apply ignores it)

Bad input prints one line on standard error and exits with status 2.
Each command's own --help says what it prints.)");

}  // namespace

std::string escaped(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\x%02x", byte);
                    out += escape;
                } else {
                    out.push_back(ch);
                }
        }
    }
    return out;
}

Variant parse_variant(const std::string& text) {
    if (text == "greek") {
        return Variant::Greek;
    }
    if (text == "turkish") {
        return Variant::Turkish;
    }
    // TRANSLATORS: {1} is what was given instead; greek and turkish are typed as they are.
    throw UsageError(Message(N_("--variant must be greek or turkish, not '{1}'"), {escaped(text)}));
}

Side parse_side(const std::string& text) {
    if (text == "O") {
        return Side::Red;
    }
    if (text == "X") {
        return Side::Blue;
    }
    // TRANSLATORS: {1} is what was given instead.
    throw UsageError(Message(N_("--side must be O or X, not '{1}'"), {escaped(text)}));
}

Landings parse_landings(const std::string& text) {
    if (text == "0") {
        return Landings::Every;
    }
    if (text == "1") {
        return Landings::Distinct;
    }
    // TRANSLATORS: {1} is what was given instead.
    throw UsageError(Message(N_("--prune must be 0 or 1, not '{1}'"), {escaped(text)}));
}

Board parse_position(const std::string& text) {
    const std::optional<Board> board = parse_pos(text);
    if (!board) {
        throw UsageError(
            // TRANSLATORS: start and the characters o O x X . are typed as they are.
            _("--pos must be 'start' or 8 ranks of 8 squares from rank 8 to rank 1, joined by "
              "'/', using o O x X and '.'"));
    }
    return *board;
}

void add_position_options(CLI::App* command, std::string& pos, std::string& fen) {
    command->add_option("--pos", pos, _("the position (POS)"));
    command->add_option("--fen", fen, _("the position as a FEN, instead of --pos"));
}

namespace {

// The position and side to move of --fen.
Fen parse_fen_option(const std::string& text) {
    auto fen = read_fen(text);
    if (const auto* bad = std::get_if<FenError>(&fen)) {
        throw UsageError(
            // TRANSLATORS: {1} says what is wrong with the FEN.
            Message(N_("--fen is not a position: {1}"), {escaped(bad->message.text(translate))}));
    }
    return std::get<Fen>(fen);
}

}  // namespace

Board parse_position(const std::string& pos, const std::string& fen) {
    if (pos.empty() == fen.empty()) {
        throw UsageError(pos.empty() ? _("--pos or --fen is required")
                                     : _("give --pos or --fen, not both"));
    }
    return pos.empty() ? parse_fen_option(fen).squares : parse_position(pos);
}

Side parse_side(const std::string& side, const std::string& fen) {
    if (fen.empty() || side.empty()) {
        if (side.empty() && fen.empty()) {
            throw UsageError(_("--side is required"));
        }
        return side.empty() ? parse_fen_option(fen).side_to_move : parse_side(side);
    }
    const Side given = parse_side(side);
    if (given != parse_fen_option(fen).side_to_move) {
        // TRANSLATORS: {1} is the side given, O or X.
        throw UsageError(Message(N_("--side {1} is not the side to move of the FEN"), {side}));
    }
    return given;
}

int parse_integer(std::string_view option, const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError(Message(
            // TRANSLATORS: {1} is the option's name (depth, or "tune mobility" for a weight of
            // --tune), {2} and {3} the least and the greatest value it takes, {4} what was given.
            N_("--{1} must be a whole number from {2} to {3}, not '{4}'"),
            {std::string(option), std::to_string(low), std::to_string(high), escaped(text)}));
    }
    return value;
}

namespace {

// CLI11's help with the column of options padded by characters rather than bytes, so that the
// descriptions line up in languages written beyond ASCII.
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_option(const CLI::Option* option, bool is_positional) const override {
        std::string line =
            "  " + make_option_name(option, is_positional) + make_option_opts(option);
        // A character is every byte but the continuation bytes of UTF-8.
        const auto shown =
            static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [](char c) {
                return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            }));
        const std::size_t width = get_column_width();
        const std::string description = make_option_desc(option);
        if (shown < width) {
            line.append(width - shown, ' ');
        } else if (!description.empty()) {
            line += '\n' + std::string(width, ' ');
        }
        for (const char c : description) {
            line += c;
            if (c == '\n') {
                line.append(width, ' ');
            }
        }
        return line + '\n';
    }
};

// Gives CLI11's own words in the help, its headings and labels and the help flag's description,
// in the player's language; the subcommands added to `app` afterwards take them from it.
void translate_cli11_words(CLI::App& app) {
    const auto formatter = std::make_shared<HelpFormatter>();
    app.formatter(formatter);
    // TRANSLATORS: the help's usage line, "Usage: zarvo-cli [OPTIONS] SUBCOMMAND"; the colon
    // follows.
    formatter->label("Usage", _("Usage"));
    // TRANSLATORS: in the help's usage line, where the options go.
    formatter->label("OPTIONS", _("OPTIONS"));
    // TRANSLATORS: in the help's usage line, where the command goes.
    formatter->label("SUBCOMMAND", _("SUBCOMMAND"));
    // TRANSLATORS: the help's heading over the values given without an option's name (FILE, A,
    // B); the colon follows.
    formatter->label("Positionals", _("Positionals"));
    // TRANSLATORS: in the help, after an option that must be given.
    formatter->label("REQUIRED", _("REQUIRED"));
    // TRANSLATORS: in the help, after an option: the value it takes is a text.
    formatter->label("TEXT", _("TEXT"));
    // TRANSLATORS: the help's heading over the options; the colon follows.
    app.option_defaults()->group(_("Options"));
    // TRANSLATORS: the help's heading over the commands; the colon follows.
    app.group(_("Subcommands"));
    // CLI11 made the help flag before the group above was set; made again, it takes that group.
    app.set_help_flag("-h,--help", _("Print this help message and exit"));
}

}  // namespace

int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app(
        _("Looks into positions and game records of Zarvo draughts with the game's own rules "
          "engine and computer player."),
        "zarvo-cli");
    translate_cli11_words(app);
    app.require_subcommand(1);
    app.footer(_(kFooter));
    Output output{out, err};
    add_rules_commands(app, output);
    add_ai_commands(app, output);
    add_record_commands(app, output);
    add_match_command(app, output);
    // Each command made its help flag before it took the group of its options from `app`.
    for (CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        command->get_help_ptr()->group(_("Options"));
    }

    // Every option of zarvo-cli stands for a value: "not given" and "given empty" never mean the
    // same, so an empty value is refused like any other bad one rather than taken as absent.
    for (CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        for (CLI::Option* option : command->get_options()) {
            if (option->get_items_expected_max() == 0) {
                continue;
            }
            const std::string name = option->get_name();
            option->check(CLI::Validator(
                [name](std::string& value) {
                    if (value.empty()) {
                        // TRANSLATORS: {1} is the option's name (--games, say) or the name of a
                        // value given without one (A, FILE).
                        throw UsageError(Message(N_("{1} must not be empty"), {name}));
                    }
                    return std::string();
                },
                std::string()));
        }
    }

    // CLI11 takes the arguments last first; "help" alone asks for the help as --help does.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    if (args.size() == 1 && args[0] == "help") {
        reversed = {"--help"};
    }
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        const CLI::App* asked = &app;
        for (const CLI::App* sub : app.get_subcommands()) {
            asked = sub;
        }
        out << asked->help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        const std::vector<CLI::App*> chosen = app.get_subcommands();
        if (chosen.empty() && !args.empty() && !args[0].starts_with("-")) {
            err << "zarvo-cli: "
                // TRANSLATORS: {1} is the word given where a command was expected.
                << Message(N_("unknown command '{1}'; try 'zarvo-cli --help'"), {escaped(args[0])})
                       .text(translate)
                << '\n';
        } else if (args.empty()) {
            err << "zarvo-cli: " << _("no command given; try 'zarvo-cli --help'") << '\n';
        } else if (chosen.empty()) {
            err << "zarvo-cli: "
                // TRANSLATORS: {1} is what is wrong with the command line, as the command-line
                // library says it (in English).
                << Message(N_("{1}; try 'zarvo-cli --help'"), {escaped(e.what())}).text(translate)
                << '\n';
        } else {
            err << "zarvo-cli " << chosen.front()->get_name() << ": " << escaped(e.what()) << '\n';
        }
        return 2;
    } catch (const UsageError& e) {
        const std::vector<CLI::App*> chosen = app.get_subcommands();
        err << "zarvo-cli" << (chosen.empty() ? std::string() : " " + chosen.front()->get_name())
            << ": " << e.what() << '\n';
        return 2;
    }
    return output.status;
}

}  // namespace zarvo::cli
