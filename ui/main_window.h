// The main window: the menu bar, the score and status lines, the board and the two buttons,
// and the turn controller's view of the screen.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubar.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/window.h>

#include <functional>
#include <string_view>

#include "game/controller.h"
#include "ui/board_view.h"

namespace zarvo {

// A one-line label that never asks for more width than the window already has, so that a long
// text can never widen the window.
class LineLabel : public Gtk::Label {
  public:
    explicit LineLabel(const Glib::ustring& text);

  protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
};

// The game's only window. It is also the turn controller's view: it repaints the board, shows
// the status line and handles pending events while the computer thinks.
class MainWindow : public Gtk::Window, public GameView {
  public:
    MainWindow();

    // Builds the sprites, clears the board and paints it once; called after show_all().
    void start();

    void redraw() override;
    void set_status_text(std::string_view text) override;
    void pump_events() override;
    bool closing() const override { return quitting_; }

    // "Exit" and the close button: the window goes at once; the program ends when control is
    // back in the main loop, which is after the computer's search if one is under way.
    void request_quit();

    // Called after every paint of the board.
    std::function<void()>& on_board_painted() { return board_.on_painted; }

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Builds the three menus and connects their items.
    void build_menus();
    // Runs a command that may start the computer's turn, noting how long events wait meanwhile.
    void run_turn_command(void (*command)());

    Gtk::Box vbox_{Gtk::ORIENTATION_VERTICAL, 0};
    Gtk::MenuBar menu_bar_;
    Gtk::MenuItem game_item_{"Game"};
    Gtk::MenuItem options_item_{"Options"};
    Gtk::MenuItem help_item_{"Help"};
    Gtk::Menu game_menu_;
    Gtk::Menu options_menu_;
    Gtk::Menu help_menu_;
    Gtk::MenuItem new_game_item_{"Start new game"};
    Gtk::MenuItem load_game_item_{"Load game"};
    Gtk::MenuItem save_game_item_{"Save game"};
    Gtk::MenuItem exit_item_{"Exit"};
    Gtk::MenuItem set_options_item_{"Set options"};
    Gtk::MenuItem set_variant_item_{"Set variant"};
    Gtk::MenuItem about_item_{"About"};
    Gtk::MenuItem rules_item_{"Rules"};
    LineLabel score_label_{":-)"};
    LineLabel status_label_{":-)"};
    BoardView board_;
    Gtk::Box buttons_{Gtk::ORIENTATION_HORIZONTAL, 0};
    Gtk::Button cancel_{"Cancel"};
    Gtk::Button play_{"Play"};
    bool quitting_ = false;
};

}  // namespace zarvo
