// The move list: a window beside the main one listing the moves since the game began, numbered by
// turn, red's and blue's side by side, the last one highlighted; choosing a move shows the
// position after it on the board, read-only, until the player returns to the game.
#pragma once

#include <gtkmm/liststore.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <functional>
#include <optional>

#include "game/game.h"

namespace zarvo {

// The move list window. It reads the game's record; the main window tells it when the record
// may have changed.
class MoveListWindow : public Gtk::Window {
  public:
    MoveListWindow(Gtk::Window& parent, const Game& game);

    // Lists the record afresh, the last move highlighted, and returns to the game.
    void refresh();

    // Called with the index in the record of the move chosen (its position to be shown), or
    // nothing when the player returns to the game.
    std::function<void(std::optional<std::size_t> turn)> on_move_chosen;

  protected:
    bool on_key_press_event(GdkEventKey* event) override;

  private:
    // One turn per row: its number, red's move and blue's, and where each is in the record.
    struct Columns : Gtk::TreeModelColumnRecord {
        Columns();
        Gtk::TreeModelColumn<Glib::ustring> number;
        Gtk::TreeModelColumn<Glib::ustring> red;
        Gtk::TreeModelColumn<Glib::ustring> blue;
        Gtk::TreeModelColumn<int> red_turn;
        Gtk::TreeModelColumn<int> blue_turn;
        Gtk::TreeModelColumn<int> red_weight;
        Gtk::TreeModelColumn<int> blue_weight;
    };

    // Chooses the move in a row's red or blue cell, if there is one.
    void choose(const Gtk::TreeModel::Path& path, bool blue);
    // The record index shown by the cursor's cell, or nothing.
    std::optional<std::size_t> turn_at(const Gtk::TreeModel::Path& path, bool blue) const;

    const Game& game_;
    Columns columns_;
    Glib::RefPtr<Gtk::ListStore> store_;
    Gtk::ScrolledWindow scroller_;
    Gtk::TreeView view_;
    Gtk::TreeViewColumn* red_column_ = nullptr;
    Gtk::TreeViewColumn* blue_column_ = nullptr;
    // The cell chosen, whether in blue's column, and the index of the last move listed.
    std::optional<std::size_t> chosen_;
    bool chosen_blue_ = false;
    std::optional<std::size_t> last_turn_;
};

}  // namespace zarvo
