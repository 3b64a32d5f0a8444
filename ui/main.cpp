// The program's entry: builds the main window, paints the empty board and runs the main loop.
#include <gtkmm/application.h>

#include <cstdlib>
#include <ctime>

#include "ai/search.h"
#include "game/controller.h"
#include "ui/figures.h"
#include "ui/main_window.h"

namespace {

// The window whose events the computer's search lets through between its candidate moves.
zarvo::MainWindow* thinking_window = nullptr;

void pump_while_thinking() {
    if (thinking_window != nullptr) {
        thinking_window->pump_events();
    }
}

}  // namespace

int main(int argc, char** argv) {
    zarvo::figures::program_started();
    // Not unique: a second copy of the game is a game of its own, not a request to the first.
    auto app = Gtk::Application::create(argc, argv, "org.zarvo.Zarvo", Gio::APPLICATION_NON_UNIQUE);

    zarvo::MainWindow window;
    zarvo::set_view(&window);
    thinking_window = &window;
    zarvo::set_event_hook(&pump_while_thinking);

    window.show_all();
    window.start();
    // The computer's choice among equal moves draws on rand; one of 255 seeds per run.
    std::srand(static_cast<unsigned>(std::time(nullptr) % 255));

    app->run(window);

    zarvo::set_event_hook(nullptr);
    zarvo::set_view(nullptr);
    thinking_window = nullptr;
    return 0;
}
