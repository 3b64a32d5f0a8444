// The program's entry: the game in the player's language, run as the desktop's application.
#include "i18n/translation.h"
#include "ui/application.h"
#include "ui/figures.h"

int main(int argc, char** argv) {
    zarvo::figures::program_started();
    zarvo::start_translations();
    zarvo::Application application;
    return application.run(argc, argv);
}
