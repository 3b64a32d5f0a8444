// The main window: widgets, menus and their keys, the game's view of the screen, the computer's
// searches on their own thread, the move list and the preferences.
#include "ui/main_window.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/clipboard.h>

#include <chrono>

#include "ai/zobrist.h"
#include "game/pdn.h"
#include "game/savefile.h"
#include "rules/fen.h"
#include "rules/notation.h"
#include "rules/play.h"
#include "ui/board_picture.h"
#include "ui/dialogs.h"
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

MainWindow::MainWindow(std::string preferences_file)
    : preferences_file_(std::move(preferences_file)),
      preferences_(load_preferences(preferences_file_)) {
    set_title("Zarvo");
    // Neither shrinks nor grows: the window keeps the size its contents ask for.
    set_resizable(false);
    add_accel_group(accelerators_);

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

    // "Cancel" stops a hint's search first; with none running it takes back a square.
    const auto cancel = [this] {
        if (searching_for_ == SearchFor::Hint) {
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
    search_ready_.connect([this] { collect_search_answer(); });

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
    refresh_commands();
}

MainWindow::~MainWindow() {
    search_thread_.stop();
}

void MainWindow::build_menus() {
    struct Entry {
        Gtk::Menu& menu;
        Gtk::MenuItem& item;
        const char* id;
        guint key;
        Gdk::ModifierType modifiers;
        std::function<void()> action;
    };
    constexpr auto kNone = Gdk::ModifierType(0);
    constexpr auto kCtrl = Gdk::CONTROL_MASK;
    // A check item's action: take the new state and remember it.
    const auto toggled = [this](Gtk::CheckMenuItem& item, std::function<void(bool)> change) {
        return [this, &item, change] {
            change(item.get_active());
            store_preferences();
        };
    };
    const Entry entries[] = {
        {game_menu_, new_game_item_, "new_game_item", GDK_KEY_n, kCtrl,
         [this] { begin([this] { game_.new_game(); }); }},
        {game_menu_, load_game_item_, "load_game_item", GDK_KEY_o, kCtrl,
         [this] { begin([this] { load_game(game_); }); }},
        {game_menu_, save_game_item_, "save_game_item", GDK_KEY_s, kCtrl,
         [this] { save_game(game_); }},
        {game_menu_, game_separator_, nullptr, 0, kNone, nullptr},
        {game_menu_, take_back_item_, "take_back_item", GDK_KEY_z, kCtrl,
         [this] { run([this] { game_.take_back(); }); }},
        {game_menu_, replay_item_, "replay_item", GDK_KEY_z, kCtrl | Gdk::SHIFT_MASK,
         [this] { run([this] { game_.replay(); }); }},
        {game_menu_, hint_item_, "hint_item", GDK_KEY_h, kNone, [this] { ask_for_hint(); }},
        {game_menu_, move_now_item_, "move_now_item", GDK_KEY_m, kNone, [this] { move_now(); }},
        {game_menu_, record_separator_, nullptr, 0, kNone, nullptr},
        {game_menu_, open_record_item_, "open_record_item", GDK_KEY_o, kCtrl | Gdk::SHIFT_MASK,
         [this] { open_record(); }},
        {game_menu_, save_record_item_, "save_record_item", GDK_KEY_s, kCtrl | Gdk::SHIFT_MASK,
         [this] { save_record(); }},
        {game_menu_, copy_position_item_, "copy_position_item", GDK_KEY_c, kCtrl,
         [this] { copy_position(); }},
        {game_menu_, paste_position_item_, "paste_position_item", GDK_KEY_v, kCtrl,
         [this] {
             Gtk::Clipboard::get()->request_text(
                 [this](const Glib::ustring& text) { paste_position(text); });
         }},
        {game_menu_, exit_separator_, nullptr, 0, kNone, nullptr},
        {game_menu_, exit_item_, "exit_item", GDK_KEY_q, kCtrl, [this] { request_quit(); }},
        {options_menu_, set_options_item_, "set_options_item", GDK_KEY_comma, kCtrl,
         [this] { open_options_dialog(*this, game_); }},
        {options_menu_, set_variant_item_, "set_variant_item", GDK_KEY_period, kCtrl,
         [this] { open_variant_dialog(*this, game_); }},
        {options_menu_, options_separator_, nullptr, 0, kNone, nullptr},
        {options_menu_, show_legal_item_, "show_legal_item", GDK_KEY_l, kNone,
         toggled(show_legal_item_,
                 [this](bool on) {
                     preferences_.show_legal_moves = on;
                     board_.set_show_legal_moves(on);
                 })},
        {options_menu_, complete_moves_item_, "complete_moves_item", GDK_KEY_p, kNone,
         toggled(complete_moves_item_,
                 [this](bool on) {
                     preferences_.play_complete_moves = on;
                     game_.set_play_complete_moves(on);
                 })},
        {options_menu_, animate_item_, "animate_item", GDK_KEY_a, kNone,
         toggled(animate_item_, [this](bool on) { preferences_.animate_moves = on; })},
        {options_menu_, two_players_item_, "two_players_item", GDK_KEY_t, kNone,
         toggled(two_players_item_, [this](bool on) { set_two_players(on); })},
        {view_menu_, zoom_in_item_, "zoom_in_item", GDK_KEY_plus, kCtrl,
         [this] { set_zoom(board_.zoom() + 1); }},
        {view_menu_, zoom_out_item_, "zoom_out_item", GDK_KEY_minus, kCtrl,
         [this] { set_zoom(board_.zoom() - 1); }},
        {view_menu_, normal_size_item_, "normal_size_item", GDK_KEY_0, kCtrl,
         [this] { set_zoom(1); }},
        {view_menu_, view_separator_, nullptr, 0, kNone, nullptr},
        {view_menu_, smooth_item_, "smooth_item", GDK_KEY_s, kNone,
         toggled(smooth_item_,
                 [this](bool on) {
                     preferences_.smooth_pieces = on;
                     board_.set_smooth_pieces(on);
                 })},
        {view_menu_, move_list_item_, "move_list_item", GDK_KEY_F9, kNone,
         toggled(move_list_item_, [this](bool on) { show_move_list(on); })},
        {help_menu_, about_item_, "about_item", GDK_KEY_F1, Gdk::SHIFT_MASK,
         [this] { open_about_dialog(*this); }},
        {help_menu_, rules_item_, "rules_item", GDK_KEY_F1, kNone,
         [this] { open_rules_dialog(*this); }},
    };
    for (const Entry& e : entries) {
        e.menu.append(e.item);
        if (e.id == nullptr) {
            continue;
        }
        e.item.add_accelerator("activate", accelerators_, e.key, e.modifiers, Gtk::ACCEL_VISIBLE);
        e.item.signal_activate().connect([this, action = e.action] {
            // Bringing a check item in line with the preferences is no command.
            if (!refreshing_) {
                action();
            }
        });
        set_accessible_id(e.item, e.id);
    }
    // The keys of the number pad, and "=" for "+" (they share a key on most keyboards), work too.
    zoom_in_item_.add_accelerator("activate", accelerators_, GDK_KEY_equal, kCtrl,
                                  Gtk::AccelFlags(0));
    zoom_in_item_.add_accelerator("activate", accelerators_, GDK_KEY_KP_Add, kCtrl,
                                  Gtk::AccelFlags(0));
    zoom_out_item_.add_accelerator("activate", accelerators_, GDK_KEY_KP_Subtract, kCtrl,
                                   Gtk::AccelFlags(0));
    normal_size_item_.add_accelerator("activate", accelerators_, GDK_KEY_KP_0, kCtrl,
                                      Gtk::AccelFlags(0));

    game_item_.set_submenu(game_menu_);
    options_item_.set_submenu(options_menu_);
    view_item_.set_submenu(view_menu_);
    help_item_.set_submenu(help_menu_);
    set_accessible_id(game_item_, "game_menu");
    set_accessible_id(options_item_, "options_menu");
    set_accessible_id(view_item_, "view_menu");
    set_accessible_id(help_item_, "help_menu");
    menu_bar_.append(game_item_);
    menu_bar_.append(options_item_);
    menu_bar_.append(view_item_);
    menu_bar_.append(help_item_);
}

void MainWindow::refresh_commands() {
    refreshing_ = true;
    const bool idle = searching_for_ == SearchFor::Nothing && !board_.animating();
    take_back_item_.set_sensitive(game_.can_take_back() &&
                                  searching_for_ != SearchFor::ComputerMove && !board_.animating());
    replay_item_.set_sensitive(game_.can_replay() && searching_for_ != SearchFor::ComputerMove &&
                               !board_.animating());
    hint_item_.set_sensitive(game_.turn() == Turn::Human && idle);
    const bool thinking = game_.computer_thinking();
    open_record_item_.set_sensitive(!thinking);
    paste_position_item_.set_sensitive(!thinking);
    save_record_item_.set_sensitive(game_.turn() != Turn::None || game_.outcome().has_value());
    move_now_item_.set_sensitive(searching_for_ == SearchFor::ComputerMove &&
                                 game_.settings().level == Level::Expert);
    zoom_in_item_.set_sensitive(board_.zoom() < kMaxZoom);
    zoom_out_item_.set_sensitive(board_.zoom() > kMinZoom);
    normal_size_item_.set_sensitive(board_.zoom() != 1);
    show_legal_item_.set_active(preferences_.show_legal_moves);
    complete_moves_item_.set_active(preferences_.play_complete_moves);
    animate_item_.set_active(preferences_.animate_moves);
    two_players_item_.set_active(preferences_.two_players);
    smooth_item_.set_active(preferences_.smooth_pieces);
    move_list_item_.set_active(move_list_ && move_list_->get_visible());
    refreshing_ = false;
}

void MainWindow::start() {
    board_.create_sprites();
    // No game is set up until the player starts or loads one: the board starts empty.
    redraw();
    if (preferences_.move_list_shown) {
        show_move_list(true);
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
    refresh_commands();
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
        note_start();
    }
    // The board has the keyboard when a game starts.
    if (game_.turn() != Turn::None) {
        board_.grab_focus();
    }
}

void MainWindow::note_start(std::string date) {
    if (date.empty()) {
        const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
        date = pdn_date(std::chrono::year_month_day(today));
    }
    game_date_ = std::move(date);
}

void MainWindow::open_record() {
    if (game_.computer_thinking()) {
        return;
    }
    chooser_ = Gtk::FileChooserNative::create(
        _("Open record"), *this, Gtk::FILE_CHOOSER_ACTION_OPEN, _("_Open"), _("_Cancel"));
    const Glib::RefPtr<Gtk::FileFilter> pdn = Gtk::FileFilter::create();
    pdn->set_name(_("PDN files"));
    pdn->add_pattern("*.pdn");
    chooser_->add_filter(pdn);
    chooser_->set_current_folder(Glib::get_current_dir());
    chooser_->signal_response().connect([this](int response) {
        const std::string path = chooser_->get_filename();
        chooser_.reset();
        if (response != Gtk::RESPONSE_ACCEPT || path.empty() || game_.computer_thinking()) {
            return;
        }
        const auto read = read_pdn_file(path);
        if (const PdnError* error = std::get_if<PdnError>(&read)) {
            status_label_.set_text(error->status_text(translate));
            return;
        }
        const PdnGame& first = std::get<std::vector<PdnGame>>(read).front();
        run([this, &first] { game_.open(first.record); });
        note_start(std::string(first.tag("Date").value_or("")));
        board_.grab_focus();
    });
    chooser_->show();
}

void MainWindow::save_record() {
    if (game_.turn() == Turn::None && !game_.outcome()) {
        return;
    }
    chooser_ = Gtk::FileChooserNative::create(
        _("Save record as"), *this, Gtk::FILE_CHOOSER_ACTION_SAVE, _("_Save"), _("_Cancel"));
    const Glib::RefPtr<Gtk::FileFilter> pdn = Gtk::FileFilter::create();
    pdn->set_name(_("PDN files"));
    pdn->add_pattern("*.pdn");
    chooser_->add_filter(pdn);
    chooser_->set_do_overwrite_confirmation(true);
    // Beside the saved game, in the folder the game runs in.
    chooser_->set_current_folder(Glib::get_current_dir());
    chooser_->set_current_name("zarvo-game.pdn");
    chooser_->signal_response().connect([this](int response) {
        const std::string path = chooser_->get_filename();
        chooser_.reset();
        if (response != Gtk::RESPONSE_ACCEPT || path.empty()) {
            return;
        }
        // Red is White in the record, since red moves first.
        const GameSettings& settings = game_.settings();
        static constexpr const char* kLevels[] = {N_("Zarvo (Easy)"), N_("Zarvo (Medium)"),
                                                  N_("Zarvo (Hard)"), N_("Zarvo (Expert)")};
        const std::string computer = _(kLevels[static_cast<int>(settings.level) - 1]);
        PdnRoster roster;
        roster.date = game_date_.empty() ? roster.date : game_date_;
        if (game_.two_players()) {
            roster.red_player = _("Red player");
            roster.blue_player = _("Blue player");
        } else {
            const bool human_red = game_.human_side() == Side::Red;
            roster.red_player = human_red ? _("You") : computer;
            roster.blue_player = human_red ? computer : _("You");
        }
        if (!write_pdn_file(path, roster, game_.record())) {
            set_status_text(Message(N_("Could not save the record")));
        }
    });
    chooser_->show();
}

void MainWindow::copy_position() {
    Gtk::Clipboard::get()->set_text(format_fen(game_.position().squares, game_.side_to_move()));
}

void MainWindow::paste_position(const Glib::ustring& text) {
    if (game_.computer_thinking()) {
        return;
    }
    // A FEN names the side to move; a POS, which does not, is taken with red to move.
    GameRecord record;
    record.start.variant = game_.staged_settings().variant;
    const auto fen = read_fen(text.raw());
    if (const Fen* position = std::get_if<Fen>(&fen)) {
        record.start.squares = position->squares;
        record.first_side = position->side_to_move;
    } else if (const std::optional<Board> pos = parse_pos(text.raw())) {
        record.start.squares = *pos;
    } else {
        set_status_text(Message(N_("The clipboard holds no position")));
        return;
    }
    begin([this, &record] { game_.open(record); });
}

void MainWindow::computer_turn_begins() {
    start_search(game_.computer_turn(), SearchFor::ComputerMove);
}

void MainWindow::start_search(const ComputerTurn& turn, SearchFor purpose) {
    searching_for_ = purpose;
    if (turn.level != Level::Expert) {
        search_job_ = search_thread_.start([this, turn](std::stop_token stop) {
            return budget_search_.choose_move(turn.position, turn.side, budget_of(turn.level),
                                              c_library_draw, std::move(stop));
        });
        refresh_commands();
        return;
    }
    if (!expert_search_) {
        expert_search_ = std::make_unique<ExpertSearch>();
    }
    // Reaching a position of the game again is a draw to the Expert.
    std::vector<std::uint64_t> earlier;
    earlier.reserve(turn.earlier.size());
    for (const auto& [position, side] : turn.earlier) {
        earlier.push_back(position_key(position, side));
    }
    search_job_ =
        search_thread_.start([this, turn, earlier = std::move(earlier)](std::stop_token stop) {
            return expert_search_->choose_move(turn.position, turn.side,
                                               ExpertLimits::thinking_time(turn.thinking_time),
                                               std::move(stop), earlier);
        });
    refresh_commands();
}

void MainWindow::ask_for_hint() {
    if (game_.turn() != Turn::Human || searching_for_ != SearchFor::Nothing) {
        return;
    }
    start_search(game_.hint_turn(), SearchFor::Hint);
}

void MainWindow::stop_hint_search() {
    if (searching_for_ != SearchFor::Hint) {
        return;
    }
    search_thread_.stop();
    searching_for_ = SearchFor::Nothing;
    refresh_commands();
}

void MainWindow::move_now() {
    // Only the Expert answers a hurried search with a move; the budgeted levels are quick anyway.
    if (searching_for_ == SearchFor::ComputerMove && game_.settings().level == Level::Expert) {
        search_thread_.hurry();
    }
}

void MainWindow::collect_search_answer() {
    const std::optional<SearchResult> result = search_thread_.take_result();
    if (!result || quitting_ || result->job != search_job_) {
        return;
    }
    const SearchFor purpose = searching_for_;
    searching_for_ = SearchFor::Nothing;
    if (purpose == SearchFor::Hint) {
        if (result->move) {
            game_.show_hint(*result->move);
        }
        refresh_commands();
        return;
    }
    if (purpose != SearchFor::ComputerMove) {
        return;
    }
    const std::optional<Move> move = result->move;
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
        refresh_commands();
        return;
    }
    game_.computer_moved(move);
}

void MainWindow::set_two_players(bool on) {
    preferences_.two_players = on;
    // The computer's move under way is settled first: one on its way across the board arrives,
    // a search is dropped.
    board_.finish_animation();
    if (searching_for_ != SearchFor::Nothing) {
        search_thread_.stop();
        searching_for_ = SearchFor::Nothing;
    }
    game_.set_two_players(on);
    store_preferences();
    refresh_commands();
}

void MainWindow::set_zoom(int zoom) {
    preferences_.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    board_.set_zoom(preferences_.zoom);
    store_preferences();
    refresh_commands();
}

void MainWindow::show_move_list(bool shown) {
    preferences_.move_list_shown = shown;
    if (shown) {
        if (!move_list_) {
            move_list_ = std::make_unique<MoveListWindow>(*this, game_);
            move_list_->on_move_chosen = [this](std::optional<std::size_t> turn) {
                if (!turn) {
                    board_.show_past(std::nullopt);
                    return;
                }
                const PlayedTurn& played = game_.record().turns[*turn];
                Position after = played.before;
                play_move(after, *played.move);
                board_.show_past(PastPosition{after, *played.move});
            };
            move_list_->signal_hide().connect([this] {
                board_.show_past(std::nullopt);
                if (!quitting_) {
                    preferences_.move_list_shown = false;
                    store_preferences();
                    refresh_commands();
                }
            });
        }
        // Beside the main window, to its right.
        int x = 0;
        int y = 0;
        get_position(x, y);
        move_list_->move(x + get_width() + 8, y);
        move_list_->show_all();
    } else if (move_list_) {
        move_list_->hide();
    }
    store_preferences();
    refresh_commands();
}

void MainWindow::store_preferences() {
    if (!refreshing_) {
        save_preferences(preferences_, preferences_file_);
    }
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
    if (Gtk::Window::on_key_press_event(event)) {
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
