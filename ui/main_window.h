// The main window: the menu bar, the score and status lines, the board and the two buttons, and
// the game they show, with the move list beside it and the player's remembered preferences.
#pragma once

#include <gtkmm/applicationwindow.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "game/game.h"
#include "i18n/translation.h"
#include "ui/board_view.h"
#include "ui/commands.h"
#include "ui/preferences.h"
#include "ui/record_files.h"
#include "ui/search_runner.h"

namespace zarvo {

class MoveListWindow;

// A one-line label that never asks for more width than the window already has, so that a long
// text can never widen the window.
class LineLabel : public Gtk::Label {
  public:
    explicit LineLabel(const Glib::ustring& text);

  protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
};

// The game's only main window. It shows the game and takes the player's clicks and keys; its
// commands are actions (main_window_commands.cpp); the computer thinks on the search thread
// while the window repaints and answers.
class MainWindow : public Gtk::ApplicationWindow, public GameView {
  public:
    // A window of `application`, starting from the preferences stored at `preferences_file`.
    explicit MainWindow(const Glib::RefPtr<Gtk::Application>& application,
                        std::string preferences_file = preferences_path());
    ~MainWindow() override;

    // Builds the sprites and paints the empty board; called after show_all().
    void start();

    void redraw() override;
    void set_status_text(const Message& text) override;
    void computer_turn_begins() override;

    // "Exit" and the close button: a search under way is stopped, the window goes at once, and
    // the program ends when control is back in the main loop.
    void request_quit();
    bool quitting() const { return quitting_; }

  protected:
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

  private:
    // Adds the commands of the menus, section by section (main_window_commands.cpp).
    void add_commands();
    // A check item whose state the preferences keep: it starts from `remembered` and, once
    // changed, is applied by `apply` and written back.
    Toggle remembered(const char* name, const Glib::ustring& label, const char* key,
                      const char* accessible_id, bool Preferences::*remembered,
                      std::function<void(bool)> apply = nullptr);

    // The search for a turn has answered: the computer's move (shown travelling, if moves are
    // animated) or a hint.
    void search_answered(SearchPurpose purpose, const std::optional<Move>& move);
    // Stops a hint's search, if one runs; the game goes on.
    void stop_hint_search();
    // Runs a command of the game, after any hint's search has been stopped.
    void run(const std::function<void()>& command);
    // Runs a command that may start a game, which gives the board the keyboard.
    void begin(const std::function<void()>& command);

    // The commands of the menus that are not the game's own.
    void ask_for_hint();
    void move_now();
    void set_two_players(bool on);
    void set_zoom(int zoom);
    void show_move_list(bool shown);
    // "Copy position", "Paste position": the position as FEN on the clipboard, and a game
    // started from a FEN (or a zarvo-cli POS) found there.
    void copy_position();
    void paste_position(const Glib::ustring& text);
    // Remembers a changed preference.
    void store_preferences();
    // Escape: back from a past position to the game, or else the pending path cleared.
    void escape();

    std::string preferences_file_;
    Preferences preferences_;
    Game game_{*this};
    SearchRunner searches_{[this](SearchPurpose purpose, const std::optional<Move>& move) {
        search_answered(purpose, move);
    }};

    Commands commands_;
    Gtk::Box vbox_{Gtk::ORIENTATION_VERTICAL, 0};
    LineLabel score_label_{":-)"};
    LineLabel status_label_{":-)"};
    BoardView board_{game_};
    Gtk::Box buttons_{Gtk::ORIENTATION_HORIZONTAL, 0};
    Gtk::Button cancel_{_("_Cancel"), true};
    Gtk::Button play_{_("_Play"), true};
    std::unique_ptr<MoveListWindow> move_list_;
    RecordFiles records_;
    bool quitting_ = false;
};

}  // namespace zarvo
