// pdn: game records checked from the command line, every game of a file replayed by the rules.
#include <memory>
#include <ostream>

#include "game/files.h"
#include "game/pdn.h"
#include "rules/notation.h"
#include "tools/cli.h"

namespace zarvo::cli {

namespace {

// Prints one game that was read: its tags, variant, moves, final position and side to move.
void print_game(std::size_t number, const PdnGame& game, std::ostream& out) {
    out << "Game " << number << '\n';
    for (const PdnTag& tag : game.tags) {
        std::string value;
        for (const char ch : escaped(tag.value)) {
            value += ch == '"' ? std::string("\\\"") : std::string(1, ch);
        }
        out << '[' << tag.name << " \"" << value << "\"]\n";
    }
    const GameRecord& record = game.record;
    const Position end = record.end();
    out << "Variant: " << (record.start.variant == Variant::Turkish ? "turkish" : "greek") << '\n'
        << "Moves: " << format_movetext(record) << '\n'
        << "Position: " << format_pos(end.squares) << '\n'
        << "To move: " << static_cast<char>(record.side_to_move()) << '\n';
}

void run_pdn(const std::string& file, Output& output) {
    const auto bytes = read_file_start(file, kMaxPdnBytes + 1);
    if (!bytes) {
        // TRANSLATORS: {1} is the file's name.
        throw UsageError(Message(N_("cannot read the file '{1}'"), {escaped(file)}));
    }
    const PdnReading reading = read_pdn_games(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    for (std::size_t i = 0; i < reading.games.size(); ++i) {
        output.out << (i > 0 ? "\n" : "");
        print_game(i + 1, reading.games[i], output.out);
    }
    if (reading.error) {
        const PdnError& error = *reading.error;
        // Unlike the window's status line, this names the game even when it is the first.
        const Message why =
            error.game > 0
                // TRANSLATORS: {1} is the game's number in the file, {2} what is wrong with it.
                ? Message(N_("Game {1}: {2}"), {std::to_string(error.game), error.message})
                : error.message;
        output.err << "zarvo-cli pdn: " << why.text(translate) << '\n';
        output.status = 1;
    }
}

}  // namespace

void add_record_commands(CLI::App& app, Output& output) {
    const auto file = std::make_shared<std::string>();
    CLI::App* pdn = app.add_subcommand("pdn", _("Checks every game of a PDN file"));
    pdn->footer(
        // TRANSLATORS: the quoted "Game N" is printed as it is; the quoted fault is an example of
        // a message that is translated.
        _("Replays every game of the PDN file FILE by the rules of its variant and prints,\n"
          "per game: \"Game N\", its tags, its variant, its moves in full as Zarvo writes\n"
          "them, the final position (POS) and the side to move there (O or X). The first\n"
          "game that cannot be read ends the check: its number and fault go to standard\n"
          "error (\"Game 2: Move 14: c3xe5 is not a legal move\") and the exit status is 1."));
    pdn->add_option("FILE", *file, _("a PDN file"))->required();
    pdn->callback([file, &output] { run_pdn(*file, output); });
}

}  // namespace zarvo::cli
