// zarvo-cli: looks into Zarvo positions from the command line with the game's own engine.
#include <array>
#include <iostream>
#include <span>
#include <string_view>

#include "tools/commands.h"

namespace {

constexpr std::string_view kHelp = R"(Usage: zarvo-cli COMMAND OPTIONS...

Looks into positions of Zarvo draughts with the game's own rules engine.

Commands:
  moves --variant greek|turkish --prune 0|1 --side O|X --pos POS
      Prints the side's move list as the generator writes it (an empty line when
      there is none), then the number of moves.
  perft --variant greek|turkish --prune 0|1 --side O|X --depth N --pos POS
      Prints "DEPTH NODES" for each depth from 1 to N (N from 1 to 20): the number
      of move sequences of that length. A side without pieces ends the game; a side
      with no legal move passes (one node). Time and nodes/s go to standard error.
  legal --variant greek|turkish --side O|X --pos POS --path PATH
      Prints 1 if PATH (square names such as c3c5c7) is one whole legal move, else 0.
  apply --variant greek|turkish --pos POS --move MOVE
      Plays MOVE on the position (captures and crowning included) and prints it.
  analyse --variant greek|turkish --side O|X (--level 1|2|3 | --budget N) --pos POS
      Prints "MOVE SCORE" for each of the side's moves, in the order of its move
      list: the computer's score for the move, searched with the budget shared
      evenly among the moves (10000 wins at once, 5000 is even, 1 loses at once).
  best --variant greek|turkish --side O|X (--level 1|2|3 | --budget N) --seed S --pos POS
      Seeds the random generator with S (0 to 2147483647) and prints the move the
      computer plays, ties broken as in the game (an empty line when it has none).
  bench [--level 1|2|3]
      Plays the computer's move in a fixed set of positions at each level (or at
      the one given) and prints, per level, the moves searched, the positions
      scored statically, the median and slowest time per move, nodes per second
      and the longest wait between two event checks; then "Bench: N", the moves
      searched at all levels run, which changes whenever the search does.

Options:
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

Bad input prints one line on standard error and exits with status 2.
)";

// Every subcommand, from all groups.
std::span<const zarvo::cli::Command> all_commands_of(std::size_t group) {
    switch (group) {
        case 0:
            return zarvo::cli::rules_commands();
        case 1:
            return zarvo::cli::ai_commands();
        default:
            return {};
    }
}

constexpr std::size_t kGroups = 2;

int run(int argc, const char* const* argv) {
    const std::span<const char* const> args(argv, static_cast<std::size_t>(argc));
    if (args.size() < 2) {
        std::cerr << "zarvo-cli: no command given; try 'zarvo-cli --help'\n";
        return 2;
    }
    const std::string_view name = args[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kHelp;
        return 0;
    }
    for (std::size_t g = 0; g < kGroups; ++g) {
        for (const zarvo::cli::Command& command : all_commands_of(g)) {
            if (command.name != name) {
                continue;
            }
            const auto rest = args.subspan(2);
            if (rest.size() == 1 && std::string_view(rest[0]) == "--help") {
                std::cout << kHelp;
                return 0;
            }
            try {
                const zarvo::cli::Options options(rest, command.options);
                return command.run(options, std::cout, std::cerr);
            } catch (const zarvo::cli::UsageError& e) {
                std::cerr << "zarvo-cli " << name << ": " << e.what() << '\n';
                return 2;
            }
        }
    }
    std::cerr << "zarvo-cli: unknown command '" << name << "'; try 'zarvo-cli --help'\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    return run(argc, argv);
}
