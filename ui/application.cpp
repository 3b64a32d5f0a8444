#include "ui/application.h"

#include <gtkmm/main.h>

#include <cstdlib>
#include <ctime>
#include <iostream>

#include "i18n/translation.h"
#include "ui/figures.h"
#include "ui/main_window.h"
#include "ui/version.h"

namespace zarvo {

Application::Application() {
    // gtkmm's own Application constructor opens the display at once; a plain GtkApplication
    // opens it when it starts up, after --help and --version are answered, so those two work
    // without a display as in any GTK program.
    Gtk::Main::init_gtkmm_internals();
    application_ = Glib::wrap(gtk_application_new("org.zarvo.Zarvo", G_APPLICATION_DEFAULT_FLAGS));
    application_->set_option_context_summary(
        _("Plays orthogonal draughts on an 8x8 board against the computer, in the Greek or the\n"
          "Turkish variant. The saved game, zarvo.dat, is kept in the current directory."));
    application_->add_main_option_entry(Gio::Application::OPTION_TYPE_BOOL, "version", 'v',
                                        _("Print the program's version and exit"));
    application_->signal_handle_local_options().connect(
        [](const Glib::RefPtr<Glib::VariantDict>& options) {
            if (options->contains("version")) {
                std::cout << "zarvo " << kVersion << '\n';
                return EXIT_SUCCESS;
            }
            return -1;  // Go on and start the game.
        },
        false);
    application_->signal_activate().connect([this] { activate(); });
}

Application::~Application() = default;

int Application::run(int argc, char** argv) {
    const int status = application_->run(argc, argv);
    if (window_) {
        figures::program_ending();
    }
    return status;
}

void Application::activate() {
    if (window_) {
        // A window on its way out stays hidden.
        if (!window_->quitting()) {
            window_->present();
        }
        return;
    }
    // The installed icon, for desktops that show a window's own icon.
    Gtk::Window::set_default_icon_name("org.zarvo.Zarvo");
    window_ = std::make_unique<MainWindow>(application_);
    window_->show_all();
    window_->start();
    // The computer's choice among equal moves draws on rand; one of 255 seeds per run.
    std::srand(static_cast<unsigned>(std::time(nullptr) % 255));
}

}  // namespace zarvo
