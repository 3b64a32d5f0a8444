// The main window: its widgets and their layout, the game's view of the screen, the clicks and
// keys of the board and the buttons, the computer's answers and quitting.
#include "ui/main_window.h"

#include <gdk/gdkkeysyms.h>

#include "rules/notation.h"
#include "ui/board_picture.h"
#include "ui/figures.h"
#include "ui/modal_dialog.h"
#include "ui/move_list_window.h"

namespace zarvo {

LineLabel::LineLabel(const Glib::ustring& text) : Gtk::Label(text) {
    set_justify(Gtk::JUSTIFY_LEFT);
}

void LineLabel::get_preferred_width_vfunc(int& minimum, int& natural) const {
    minimum = 0;
    natural = 0;
}

MainWindow::MainWindow(const Glib::RefPtr<Gtk::Application>& application,
                       std::string preferences_file)
    : Gtk::ApplicationWindow(application),
      preferences_file_(std::move(preferences_file)),
      preferences_(load_preferences(preferences_file_)),
      commands_(application, *this),
      records_(
          *this, game_,
          [this](const PdnGame& opened) {
              run([this, &opened] { game_.open(opened.record); });
              board_.grab_focus();
          },
          [this](const std::string& refusal) {
              if (!quitting_) {
                  status_label_.set_text(refusal);
              }
          }) {
    set_title("Zarvo");
    // Neither shrinks nor grows: the window keeps the size its contents ask for.
    set_resizable(false);
    // The menu bar is packed below like the other rows, not put on top by the application.
    set_show_menubar(false);

    add(vbox_);
    vbox_.pack_start(commands_.menu_bar(), Gtk::PACK_SHRINK, 2);
    // The rest takes the box's whole share of any space, as a plain add did.
    vbox_.pack_start(score_label_, Gtk::PACK_EXPAND_WIDGET);
    vbox_.pack_start(status_label_, Gtk::PACK_EXPAND_WIDGET);
    vbox_.pack_start(board_, Gtk::PACK_EXPAND_WIDGET);
    vbox_.pack_start(buttons_, Gtk::PACK_EXPAND_WIDGET);
    buttons_.pack_start(cancel_, Gtk::PACK_EXPAND_WIDGET);
    buttons_.pack_start(play_, Gtk::PACK_EXPAND_WIDGET);

    // "Cancel" stops a hint's search first; with none running it takes back a square.
    const auto cancel = [this] {
        if (searches_.purpose() == SearchPurpose::Hint) {
            stop_hint_search();
        } else {
            game_.cancel();
        }
    };
    cancel_.signal_clicked().connect(cancel);
    play_.signal_clicked().connect([this] { run([this] { game_.play(); }); });
    board_.on_cancel_key = cancel;
    board_.on_play_key = [this] { run([this] { game_.play(); }); };
    board_.on_escape_key = [this] { escape(); };
    board_.on_square_pressed = [this](int square) {
        run([this, square] { game_.click_square(square); });
    };
    board_.on_painted = [](std::int64_t microseconds) { figures::board_painted(microseconds); };

    set_accessible_id(score_label_, "score_label");
    set_accessible_id(status_label_, "status_label");
    // The status line is read out when it changes, as a status bar is.
    atk_object_set_role(gtk_widget_get_accessible(GTK_WIDGET(status_label_.gobj())),
                        ATK_ROLE_STATUSBAR);
    set_accessible_id(board_, "board");
    set_accessible_id(cancel_, "cancel_button");
    set_accessible_id(play_, "play_button");

    board_.set_zoom(preferences_.zoom);
    board_.set_smooth_pieces(preferences_.smooth_pieces);
    board_.set_show_legal_moves(preferences_.show_legal_moves);
    game_.set_two_players(preferences_.two_players);
    game_.set_play_complete_moves(preferences_.play_complete_moves);
    add_commands();
}

MainWindow::~MainWindow() {
    searches_.stop();
}

void MainWindow::start() {
    board_.create_sprites();
    // No game is set up until the player starts or loads one: the board starts empty.
    redraw();
    if (preferences_.move_list_shown) {
        commands_.set_checked("move-list", true);
    }
}

void MainWindow::redraw() {
    // Once the player has quit, the window is going: nothing more is shown on it.
    if (quitting_) {
        return;
    }
    score_label_.set_text(score_text(game_.position().squares, game_.settings().first_player,
                                     game_.two_players(), translate));
    board_.queue_draw();
    if (move_list_) {
        move_list_->refresh();
        board_.show_past(std::nullopt);
    }
    commands_.refresh();
}

void MainWindow::set_status_text(const Message& text) {
    if (quitting_) {
        return;
    }
    status_label_.set_text(text.text(translate));
}

void MainWindow::run(const std::function<void()>& command) {
    stop_hint_search();
    command();
}

void MainWindow::begin(const std::function<void()>& command) {
    const GameRecord before = game_.record();
    run(command);
    if (game_.record() != before) {
        records_.game_began();
    }
    // The board has the keyboard when a game starts.
    if (game_.turn() != Turn::None) {
        board_.grab_focus();
    }
}

void MainWindow::computer_turn_begins() {
    searches_.start(game_.computer_turn(), SearchPurpose::ComputerMove);
    commands_.refresh();
}

void MainWindow::stop_hint_search() {
    if (searches_.purpose() != SearchPurpose::Hint) {
        return;
    }
    searches_.stop();
    commands_.refresh();
}

void MainWindow::search_answered(SearchPurpose purpose, const std::optional<Move>& move) {
    if (quitting_) {
        return;
    }
    if (purpose == SearchPurpose::Hint) {
        if (move) {
            game_.show_hint(*move);
        }
        commands_.refresh();
        return;
    }
    if (move) {
        // Screen readers hear the computer's move: "Computer plays c6xc4xe4, taking 2".
        const std::string shown = describe_move(game_.position(), *move);
        const unsigned long taken = move->steps();
        board_.announce(is_capture(game_.position(), *move)
                            ? Message(ngettext("Computer plays {1}, taking {2}",
                                               "Computer plays {1}, taking {2}", taken),
                                      {shown, std::to_string(taken)})
                                  .text()
                            : Message(_("Computer plays {1}"), {shown}).text());
    }
    if (move && preferences_.animate_moves) {
        figures::animation_started();
        board_.animate(game_.position(), *move, [this, move] {
            figures::animation_ended();
            game_.computer_moved(move);
        });
        commands_.refresh();
        return;
    }
    game_.computer_moved(move);
}

void MainWindow::store_preferences() {
    save_preferences(preferences_, preferences_file_);
}

void MainWindow::request_quit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    figures::quit_requested(game_.computer_thinking());
    // The search is told to stop and the window goes; the window object lives until the main
    // loop has returned. Leaving the window also lets the application end.
    searches_.stop();
    board_.stop_animation();
    if (move_list_) {
        move_list_->hide();
    }
    hide();
    if (Glib::RefPtr<Gtk::Application> app = get_application()) {
        app->quit();
    }
}

void MainWindow::escape() {
    if (board_.showing_past()) {
        if (move_list_) {
            move_list_->refresh();
        }
        board_.show_past(std::nullopt);
        return;
    }
    run([this] { game_.clear_path(); });
}

bool MainWindow::on_key_press_event(GdkEventKey* event) {
    if (Gtk::ApplicationWindow::on_key_press_event(event)) {
        return true;
    }
    if (event->keyval == GDK_KEY_Escape) {
        escape();
        return true;
    }
    return false;
}

bool MainWindow::on_delete_event(GdkEventAny*) {
    request_quit();
    // Handled here: the window is hidden rather than destroyed, and goes with its object.
    return true;
}

}  // namespace zarvo
