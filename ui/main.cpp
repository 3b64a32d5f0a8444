// The program's entry: reads the command line as GTK programs do, then builds the main window,
// paints the empty board and runs the main loop.
#include <gtkmm/application.h>
#include <gtkmm/main.h>

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>

#include "i18n/translation.h"
#include "ui/figures.h"
#include "ui/main_window.h"
#include "ui/version.h"

int main(int argc, char** argv) {
    zarvo::figures::program_started();
    zarvo::start_translations();
    // gtkmm's own Application constructor opens the display at once; a plain GtkApplication
    // opens it when it starts up, after --help and --version are answered, so those two work
    // without a display as in any GTK program.
    Gtk::Main::init_gtkmm_internals();
    // Not unique: a second copy of the game is a game of its own, not a request to the first.
    const Glib::RefPtr<Gtk::Application> app =
        Glib::wrap(gtk_application_new("org.zarvo.Zarvo", G_APPLICATION_NON_UNIQUE));
    app->set_option_context_summary(
        _("Plays orthogonal draughts on an 8x8 board against the computer, in the Greek or the\n"
          "Turkish variant. The saved game, zarvo.dat, is kept in the current directory."));
    app->add_main_option_entry(Gio::Application::OPTION_TYPE_BOOL, "version", 'v',
                               _("Print the program's version and exit"));
    app->signal_handle_local_options().connect(
        [](const Glib::RefPtr<Glib::VariantDict>& options) {
            if (options->contains("version")) {
                std::cout << "zarvo " << zarvo::kVersion << '\n';
                return EXIT_SUCCESS;
            }
            return -1;  // Go on and start the game.
        },
        false);

    // The window outlives the main loop: it is destroyed only once run() has returned.
    std::unique_ptr<zarvo::MainWindow> window;
    app->signal_activate().connect([&app, &window] {
        // The installed icon, for desktops that show a window's own icon.
        Gtk::Window::set_default_icon_name("org.zarvo.Zarvo");
        window = std::make_unique<zarvo::MainWindow>();
        app->add_window(*window);
        window->show_all();
        window->start();
        // The computer's choice among equal moves draws on rand; one of 255 seeds per run.
        std::srand(static_cast<unsigned>(std::time(nullptr) % 255));
    });

    const int status = app->run(argc, argv);
    if (window) {
        zarvo::figures::program_ending();
    }
    return status;
}
