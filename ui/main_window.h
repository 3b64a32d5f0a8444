// The main window: the menu bar, the score and status lines, the board and the two buttons; the
// game it shows, the thread the computer thinks on, the move list beside it, and the player's
// remembered preferences.
#pragma once

#include <glibmm/dispatcher.h>
#include <gtkmm/accelgroup.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkmenuitem.h>
#include <gtkmm/filechoosernative.h>
#include <gtkmm/label.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubar.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/separatormenuitem.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ai/budget_search.h"
#include "ai/expert_search.h"
#include "ai/search_thread.h"
#include "game/game.h"
#include "i18n/translation.h"
#include "ui/board_view.h"
#include "ui/preferences.h"

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

// The game's only main window. It shows the game, takes its commands, and runs the computer's
// searches (its moves and the player's hints) on a thread of its own, collecting each answer
// when the thread says it is ready; the window repaints and answers all the while.
class MainWindow : public Gtk::Window, public GameView {
  public:
    // Starts from the preferences stored at `preferences_file`.
    explicit MainWindow(std::string preferences_file = preferences_path());
    ~MainWindow() override;

    // Builds the sprites and paints the empty board; called after show_all().
    void start();

    void redraw() override;
    void set_status_text(const Message& text) override;
    void computer_turn_begins() override;

    // "Exit" and the close button: a search under way is stopped, the window goes at once, and
    // the program ends when control is back in the main loop.
    void request_quit();

  protected:
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

  private:
    // What the search thread is working on.
    enum class SearchFor : std::uint8_t { Nothing, ComputerMove, Hint };

    // Builds the menus, their accelerators, and connects their items.
    void build_menus();
    // Makes the commands that cannot act now insensitive, and the check items show the
    // preferences.
    void refresh_commands();
    // The search thread has an answer: the computer's move (shown travelling, if moves are
    // animated) or a hint.
    void collect_search_answer();
    // Stops a hint's search, if one runs; the game goes on.
    void stop_hint_search();
    // Starts the search a turn asks for (the computer's move or a hint) on the search thread.
    void start_search(const ComputerTurn& turn, SearchFor purpose);
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
    // "Open record...", "Save record as...": a PDN file chosen in the desktop's file chooser.
    void open_record();
    void save_record();
    // "Copy position", "Paste position": the position as FEN on the clipboard, and a game
    // started from a FEN (or a zarvo-cli POS) found there.
    void copy_position();
    void paste_position(const Glib::ustring& text);
    // Notes the day a game began, for its record.
    void note_start(std::string date = {});
    // Remembers a changed preference.
    void store_preferences();
    // Escape: back from a past position to the game, or else the pending path cleared.
    void escape();

    std::string preferences_file_;
    Preferences preferences_;
    Game game_{*this};
    // The searches, used only on the search thread. The Expert's table is taken only once the
    // Expert is first asked, for a hint or a move.
    BudgetSearch budget_search_;
    std::unique_ptr<ExpertSearch> expert_search_;
    // Wakes the main loop when the search thread has an answer.
    Glib::Dispatcher search_ready_;
    // Declared after what its searches use, so that it is stopped and joined first.
    SearchThread search_thread_{[this] { search_ready_.emit(); }};
    std::uint64_t search_job_ = 0;
    SearchFor searching_for_ = SearchFor::Nothing;

    Glib::RefPtr<Gtk::AccelGroup> accelerators_ = Gtk::AccelGroup::create();
    Gtk::Box vbox_{Gtk::ORIENTATION_VERTICAL, 0};
    Gtk::MenuBar menu_bar_;
    Gtk::MenuItem game_item_{_("_Game"), true};
    Gtk::MenuItem options_item_{_("_Options"), true};
    Gtk::MenuItem view_item_{_("_View"), true};
    Gtk::MenuItem help_item_{_("_Help"), true};
    Gtk::Menu game_menu_;
    Gtk::Menu options_menu_;
    Gtk::Menu view_menu_;
    Gtk::Menu help_menu_;
    Gtk::MenuItem new_game_item_{_("_Start new game"), true};
    Gtk::MenuItem load_game_item_{_("_Load game"), true};
    Gtk::MenuItem save_game_item_{_("S_ave game"), true};
    Gtk::SeparatorMenuItem game_separator_;
    Gtk::MenuItem take_back_item_{_("_Take back move"), true};
    Gtk::MenuItem replay_item_{_("_Replay move"), true};
    Gtk::MenuItem hint_item_{_("_Hint"), true};
    Gtk::MenuItem move_now_item_{_("_Move now"), true};
    Gtk::SeparatorMenuItem record_separator_;
    Gtk::MenuItem open_record_item_{_("_Open record..."), true};
    Gtk::MenuItem save_record_item_{_("Save re_cord as..."), true};
    Gtk::MenuItem copy_position_item_{_("Cop_y position"), true};
    Gtk::MenuItem paste_position_item_{_("Paste _position"), true};
    Gtk::SeparatorMenuItem exit_separator_;
    Gtk::MenuItem exit_item_{_("E_xit"), true};
    Gtk::MenuItem set_options_item_{_("Set _options"), true};
    Gtk::MenuItem set_variant_item_{_("Set _variant"), true};
    Gtk::SeparatorMenuItem options_separator_;
    Gtk::CheckMenuItem show_legal_item_{_("Show _legal moves"), true};
    Gtk::CheckMenuItem complete_moves_item_{_("_Play complete moves at once"), true};
    Gtk::CheckMenuItem animate_item_{_("_Animate moves"), true};
    Gtk::CheckMenuItem two_players_item_{_("_Two players"), true};
    Gtk::MenuItem zoom_in_item_{_("Zoom _in"), true};
    Gtk::MenuItem zoom_out_item_{_("Zoom _out"), true};
    Gtk::MenuItem normal_size_item_{_("_Normal size"), true};
    Gtk::SeparatorMenuItem view_separator_;
    Gtk::CheckMenuItem smooth_item_{_("_Smooth pieces"), true};
    Gtk::CheckMenuItem move_list_item_{_("_Move list"), true};
    Gtk::MenuItem about_item_{_("_About"), true};
    Gtk::MenuItem rules_item_{_("_Rules"), true};
    LineLabel score_label_{":-)"};
    LineLabel status_label_{":-)"};
    BoardView board_{game_};
    Gtk::Box buttons_{Gtk::ORIENTATION_HORIZONTAL, 0};
    Gtk::Button cancel_{_("_Cancel"), true};
    Gtk::Button play_{_("_Play"), true};
    std::unique_ptr<MoveListWindow> move_list_;
    // The file chooser while it is open, and the day the game in progress began (as PDN writes
    // it).
    Glib::RefPtr<Gtk::FileChooserNative> chooser_;
    std::string game_date_;
    // Set while the check items are being brought in line with the preferences.
    bool refreshing_ = false;
    bool quitting_ = false;
};

}  // namespace zarvo
