// The program as the desktop knows it: the application org.zarvo.Zarvo, of which a user's session
// runs one copy. Starting the game again brings that copy's window to the front and the new
// process ends; --help and --version are answered without a display.
#pragma once

#include <gtkmm/application.h>

#include <memory>

namespace zarvo {

class MainWindow;

// The application and its one main window.
class Application {
  public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the program with its command line and returns its exit status: in the first copy once
    // the player has quit, in a later one once the first has been asked to show its window.
    int run(int argc, char** argv);

  private:
    // The program is started (this copy, or a later one that hands its start over): the first
    // time the window is made, every other time it is presented.
    void activate();

    Glib::RefPtr<Gtk::Application> application_;
    // The window outlives the main loop: it is destroyed only once run() has returned.
    std::unique_ptr<MainWindow> window_;
};

}  // namespace zarvo
