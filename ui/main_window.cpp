// The main window: widgets, menus, buttons, the game's view of the screen, and the computer's
// search on its own thread.
#include "ui/main_window.h"

#include "game/savefile.h"
#include "ui/board_picture.h"
#include "ui/dialogs.h"
#include "ui/figures.h"
#include "ui/modal_dialog.h"

namespace zarvo {

LineLabel::LineLabel(const Glib::ustring& text) : Gtk::Label(text) {
    set_justify(Gtk::JUSTIFY_LEFT);
}

void LineLabel::get_preferred_width_vfunc(int& minimum, int& natural) const {
    minimum = 0;
    natural = 0;
}

MainWindow::MainWindow() {
    set_title("Zarvo");
    // Neither shrinks nor grows: the window keeps the size its contents ask for.
    set_resizable(false);

    build_menus();
    add(vbox_);
    vbox_.pack_start(menu_bar_, Gtk::PACK_SHRINK, 2);
    // The rest takes the box's whole share of any space, as a plain add did.
    vbox_.pack_start(score_label_, Gtk::PACK_EXPAND_WIDGET);
    vbox_.pack_start(status_label_, Gtk::PACK_EXPAND_WIDGET);
    vbox_.pack_start(board_, Gtk::PACK_EXPAND_WIDGET);
    vbox_.pack_start(buttons_, Gtk::PACK_EXPAND_WIDGET);
    buttons_.pack_start(cancel_, Gtk::PACK_EXPAND_WIDGET);
    buttons_.pack_start(play_, Gtk::PACK_EXPAND_WIDGET);

    cancel_.signal_clicked().connect([this] { game_.cancel(); });
    play_.signal_clicked().connect([this] { game_.play(); });
    board_.on_square_pressed = [this](int square) { game_.click_square(square); };
    board_.on_painted = [] { figures::board_painted(); };
    search_ready_.connect([this] { collect_computer_move(); });

    set_accessible_id(score_label_, "score_label");
    set_accessible_id(status_label_, "status_label");
    set_accessible_id(board_, "board");
    set_accessible_id(cancel_, "cancel_button");
    set_accessible_id(play_, "play_button");
}

MainWindow::~MainWindow() {
    search_thread_.stop();
}

void MainWindow::build_menus() {
    struct Entry {
        Gtk::Menu& menu;
        Gtk::MenuItem& item;
        const char* id;
        std::function<void()> action;
    };
    const Entry entries[] = {
        {game_menu_, new_game_item_, "new_game_item", [this] { game_.new_game(); }},
        {game_menu_, load_game_item_, "load_game_item", [this] { load_game(game_); }},
        {game_menu_, save_game_item_, "save_game_item", [this] { save_game(game_); }},
        {game_menu_, exit_item_, "exit_item", [this] { request_quit(); }},
        {options_menu_, set_options_item_, "set_options_item",
         [this] { open_options_dialog(*this, game_); }},
        {options_menu_, set_variant_item_, "set_variant_item",
         [this] { open_variant_dialog(*this, game_); }},
        {help_menu_, about_item_, "about_item", [this] { open_about_dialog(*this); }},
        {help_menu_, rules_item_, "rules_item", [this] { open_rules_dialog(*this); }},
    };
    for (const Entry& e : entries) {
        e.menu.append(e.item);
        e.item.signal_activate().connect(e.action);
        set_accessible_id(e.item, e.id);
    }
    game_item_.set_submenu(game_menu_);
    options_item_.set_submenu(options_menu_);
    help_item_.set_submenu(help_menu_);
    set_accessible_id(game_item_, "game_menu");
    set_accessible_id(options_item_, "options_menu");
    set_accessible_id(help_item_, "help_menu");
    menu_bar_.append(game_item_);
    menu_bar_.append(options_item_);
    menu_bar_.append(help_item_);
}

void MainWindow::start() {
    board_.create_sprites();
    // No game is set up until the player starts or loads one: the board starts empty.
    redraw();
}

void MainWindow::redraw() {
    // Once the player has quit, the window is going: nothing more is shown on it.
    if (quitting_) {
        return;
    }
    score_label_.set_text(score_text(game_.position().squares, game_.settings().first_player));
    board_.queue_draw();
}

void MainWindow::set_status_text(std::string_view text) {
    if (quitting_) {
        return;
    }
    status_label_.set_text(Glib::ustring(text.data(), text.size()));
}

void MainWindow::computer_turn_begins() {
    const ComputerTurn turn = game_.computer_turn();
    computer_search_ = search_thread_.start([this, turn](std::stop_token stop) {
        return budget_search_.choose_move(turn.position, turn.side, budget_of(turn.level),
                                          c_library_draw, std::move(stop));
    });
}

void MainWindow::collect_computer_move() {
    const std::optional<SearchResult> result = search_thread_.take_result();
    if (!result || quitting_ || result->job != computer_search_) {
        return;
    }
    game_.computer_moved(result->move);
}

void MainWindow::request_quit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    figures::quit_requested(game_.computer_thinking());
    // The search is told to stop and the window goes; the window object lives until the main
    // loop has returned. Leaving the window also lets the application end.
    search_thread_.stop();
    hide();
    if (Glib::RefPtr<Gtk::Application> app = get_application()) {
        app->quit();
    }
}

bool MainWindow::on_delete_event(GdkEventAny*) {
    request_quit();
    // Handled here: the window is hidden rather than destroyed, and goes with its object.
    return true;
}

}  // namespace zarvo
