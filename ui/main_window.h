// The main window: the menu bar, the score and status lines, the board and the two buttons; the
// game it shows, and the thread the computer thinks on.
#pragma once

#include <glibmm/dispatcher.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubar.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "ai/budget_search.h"
#include "ai/search_thread.h"
#include "game/game.h"
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

// The game's only window. It shows the game, takes its commands, and runs the computer's search
// on a thread of its own, collecting the answer when the thread says it is ready; the window
// repaints and answers all the while.
class MainWindow : public Gtk::Window, public GameView {
  public:
    MainWindow();
    ~MainWindow() override;

    // Builds the sprites and paints the empty board; called after show_all().
    void start();

    void redraw() override;
    void set_status_text(std::string_view text) override;
    void computer_turn_begins() override;

    // "Exit" and the close button: a search under way is stopped, the window goes at once, and
    // the program ends when control is back in the main loop.
    void request_quit();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Builds the three menus and connects their items.
    void build_menus();
    // The search thread has an answer: hands the computer's move to the game.
    void collect_computer_move();

    Game game_{*this};
    // The computer's search, used only on the search thread.
    BudgetSearch budget_search_;
    // Wakes the main loop when the search thread has an answer.
    Glib::Dispatcher search_ready_;
    // Declared after what its searches use, so that it is stopped and joined first.
    SearchThread search_thread_{[this] { search_ready_.emit(); }};
    std::uint64_t computer_search_ = 0;

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
    BoardView board_{game_};
    Gtk::Box buttons_{Gtk::ORIENTATION_HORIZONTAL, 0};
    Gtk::Button cancel_{"Cancel"};
    Gtk::Button play_{"Play"};
    bool quitting_ = false;
};

}  // namespace zarvo
