// The program's entry: builds the main window, paints the empty board and runs the main loop.
#include <gtkmm/application.h>

#include <cstdlib>
#include <ctime>

#include "ui/figures.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    zarvo::figures::program_started();
    // Not unique: a second copy of the game is a game of its own, not a request to the first.
    auto app = Gtk::Application::create(argc, argv, "org.zarvo.Zarvo", Gio::APPLICATION_NON_UNIQUE);

    zarvo::MainWindow window;
    window.show_all();
    window.start();
    // The computer's choice among equal moves draws on rand; one of 255 seeds per run.
    std::srand(static_cast<unsigned>(std::time(nullptr) % 255));

    app->run(window);
    zarvo::figures::program_ending();
    return 0;
}
