// zarvo-cli: looks into Zarvo positions from the command line with the game's own engine.
#include <iostream>
#include <string>
#include <vector>

#include "i18n/translation.h"
#include "tools/cli.h"

int main(int argc, char** argv) {
    zarvo::start_translations();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zarvo::cli::run_cli(args, std::cout, std::cerr);
}
