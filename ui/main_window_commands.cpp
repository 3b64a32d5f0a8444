// The main window's commands: every item of its menus, in the order the menus show them, with
// its action, its keys and when it can act, and the commands that are the window's own rather
// than the game's.
#include <gtkmm/clipboard.h>

#include <algorithm>

#include "game/pasted_position.h"
#include "game/savefile.h"
#include "rules/fen.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/move_list_window.h"

namespace zarvo {

Toggle MainWindow::remembered(const char* name, const Glib::ustring& label, const char* key,
                              const char* accessible_id, bool Preferences::*remembered,
                              std::function<void(bool)> apply) {
    return Toggle{name,
                  label,
                  {key},
                  accessible_id,
                  preferences_.*remembered,
                  [this, remembered, apply = std::move(apply)](bool on) {
                      preferences_.*remembered = on;
                      if (apply) {
                          apply(on);
                      }
                      store_preferences();
                  }};
}

void MainWindow::add_commands() {
    // A command's move, path or search stands still while the computer moves or a move is shown
    // travelling.
    const auto settled = [this] {
        return searches_.purpose() != SearchPurpose::ComputerMove && !board_.animating();
    };
    commands_.add_section(
        Menu::Game, {Command("new-game", _("_Start new game"), {"<Control>n"}, "new_game_item",
                             [this] { begin([this] { game_.new_game(); }); }),
                     Command("load-game", _("_Load game"), {"<Control>o"}, "load_game_item",
                             [this] { begin([this] { load_game(game_); }); }),
                     Command("save-game", _("S_ave game"), {"<Control>s"}, "save_game_item",
                             [this] { save_game(game_); })});
    commands_.add_section(
        Menu::Game, {Command(
                         "take-back", _("_Take back move"), {"<Control>z"}, "take_back_item",
                         [this] { run([this] { game_.take_back(); }); },
                         [this, settled] { return game_.can_take_back() && settled(); }),
                     Command(
                         "replay", _("_Replay move"), {"<Control><Shift>z"}, "replay_item",
                         [this] { run([this] { game_.replay(); }); },
                         [this, settled] { return game_.can_replay() && settled(); }),
                     Command(
                         "hint", _("_Hint"), {"h"}, "hint_item", [this] { ask_for_hint(); },
                         [this] {
                             return game_.turn() == Turn::Human &&
                                    searches_.purpose() == SearchPurpose::Nothing &&
                                    !board_.animating();
                         }),
                     Command(
                         "move-now", _("_Move now"), {"m"}, "move_now_item", [this] { move_now(); },
                         [this] {
                             return searches_.purpose() == SearchPurpose::ComputerMove &&
                                    game_.settings().level == Level::Expert;
                         })});
    const auto not_thinking = [this] { return !game_.computer_thinking(); };
    commands_.add_section(
        Menu::Game,
        {Command(
             "open-record", _("_Open record..."), {"<Control><Shift>o"}, "open_record_item",
             [this] { records_.open(); }, not_thinking),
         Command(
             "save-record", _("Save re_cord as..."), {"<Control><Shift>s"}, "save_record_item",
             [this] { records_.save(); }, [this] { return records_.can_save(); }),
         Command("copy-position", _("Cop_y position"), {"<Control>c"}, "copy_position_item",
                 [this] { copy_position(); }),
         Command(
             "paste-position", _("Paste _position"), {"<Control>v"}, "paste_position_item",
             [this] {
                 Gtk::Clipboard::get()->request_text(
                     [this](const Glib::ustring& text) { paste_position(text); });
             },
             not_thinking)});
    commands_.add_section(
        Menu::Game, {Command(
                        "quit", _("E_xit"), {"<Control>q"}, "exit_item", [this] { request_quit(); },
                        nullptr, Scope::Application)});

    commands_.add_section(
        Menu::Options,
        {Command("set-options", _("Set _options"), {"<Control>comma"}, "set_options_item",
                 [this] { open_options_dialog(*this, game_); }),
         Command("set-variant", _("Set _variant"), {"<Control>period"}, "set_variant_item",
                 [this] { open_variant_dialog(*this, game_); })});
    commands_.add_section(
        Menu::Options,
        {remembered("show-legal-moves", _("Show _legal moves"), "l", "show_legal_item",
                    &Preferences::show_legal_moves,
                    [this](bool on) { board_.set_show_legal_moves(on); }),
         remembered("play-complete-moves", _("_Play complete moves at once"), "p",
                    "complete_moves_item", &Preferences::play_complete_moves,
                    [this](bool on) { game_.set_play_complete_moves(on); }),
         remembered("animate-moves", _("_Animate moves"), "a", "animate_item",
                    &Preferences::animate_moves),
         remembered("two-players", _("_Two players"), "t", "two_players_item",
                    &Preferences::two_players, [this](bool on) { set_two_players(on); })});

    // The number pad's keys, and "=" for "+" (they share a key on most keyboards), zoom too.
    commands_.add_section(
        Menu::View,
        {Command(
             "zoom-in", _("Zoom _in"), {"<Control>plus", "<Control>equal", "<Control>KP_Add"},
             "zoom_in_item", [this] { set_zoom(board_.zoom() + 1); },
             [this] { return board_.zoom() < kMaxZoom; }),
         Command(
             "zoom-out", _("Zoom _out"), {"<Control>minus", "<Control>KP_Subtract"},
             "zoom_out_item", [this] { set_zoom(board_.zoom() - 1); },
             [this] { return board_.zoom() > kMinZoom; }),
         Command(
             "normal-size", _("_Normal size"), {"<Control>0", "<Control>KP_0"}, "normal_size_item",
             [this] { set_zoom(1); }, [this] { return board_.zoom() != 1; })});
    // The move list is shown once the window is (start()), so its item starts unticked.
    Toggle move_list =
        remembered("move-list", _("_Move list"), "F9", "move_list_item",
                   &Preferences::move_list_shown, [this](bool on) { show_move_list(on); });
    move_list.on = false;
    commands_.add_section(
        Menu::View,
        {remembered("smooth-pieces", _("_Smooth pieces"), "s", "smooth_item",
                    &Preferences::smooth_pieces, [this](bool on) { board_.set_smooth_pieces(on); }),
         move_list});

    commands_.add_section(Menu::Help,
                          {Command(
                               "about", _("_About"), {"<Shift>F1"}, "about_item",
                               [this] { open_about_dialog(*this); }, nullptr, Scope::Application),
                           Command(
                               "rules", _("_Rules"), {"F1"}, "rules_item",
                               [this] { open_rules_dialog(*this); }, nullptr, Scope::Application)});
}

void MainWindow::ask_for_hint() {
    if (game_.turn() != Turn::Human || searches_.purpose() != SearchPurpose::Nothing) {
        return;
    }
    searches_.start(game_.hint_turn(), SearchPurpose::Hint);
    commands_.refresh();
}

void MainWindow::move_now() {
    // Only the Expert answers a hurried search with a move; the budgeted levels are quick anyway.
    if (searches_.purpose() == SearchPurpose::ComputerMove &&
        game_.settings().level == Level::Expert) {
        searches_.hurry();
    }
}

void MainWindow::set_two_players(bool on) {
    // The computer's move under way is settled first: one on its way across the board arrives,
    // a search is dropped.
    board_.finish_animation();
    searches_.stop();
    game_.set_two_players(on);
    commands_.refresh();
}

void MainWindow::set_zoom(int zoom) {
    preferences_.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    board_.set_zoom(preferences_.zoom);
    store_preferences();
    commands_.refresh();
}

void MainWindow::show_move_list(bool shown) {
    if (!shown) {
        if (move_list_) {
            move_list_->hide();
        }
        return;
    }
    if (!move_list_) {
        move_list_ = std::make_unique<MoveListWindow>(*this, game_);
        move_list_->on_move_chosen = [this](std::optional<std::size_t> turn) {
            if (!turn) {
                board_.show_past(std::nullopt);
                return;
            }
            const PlayedTurn& played = game_.record().turns[*turn];
            board_.show_past(PastPosition{played.after(), *played.move});
        };
        // Closed from its own frame: the item follows.
        move_list_->signal_hide().connect([this] {
            board_.show_past(std::nullopt);
            if (!quitting_) {
                commands_.set_checked("move-list", false);
            }
        });
    }
    // Beside the main window, to its right.
    int x = 0;
    int y = 0;
    get_position(x, y);
    move_list_->move(x + get_width() + 8, y);
    move_list_->show_all();
}

void MainWindow::copy_position() {
    Gtk::Clipboard::get()->set_text(format_fen(game_.position().squares, game_.side_to_move()));
}

void MainWindow::paste_position(const Glib::ustring& text) {
    if (game_.computer_thinking()) {
        return;
    }
    const std::optional<GameRecord> record =
        pasted_record(text.raw(), game_.staged_settings().variant);
    if (!record) {
        set_status_text(Message(N_("The clipboard holds no position")));
        return;
    }
    begin([this, &record] { game_.open(*record); });
}

}  // namespace zarvo
