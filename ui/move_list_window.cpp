#include "ui/move_list_window.h"

#include <gdk/gdkkeysyms.h>
#include <pangomm/fontdescription.h>

#include "i18n/translation.h"
#include "rules/notation.h"
#include "ui/modal_dialog.h"

namespace zarvo {

MoveListWindow::Columns::Columns() {
    add(number);
    add(red);
    add(blue);
    add(red_turn);
    add(blue_turn);
    add(red_weight);
    add(blue_weight);
}

MoveListWindow::MoveListWindow(Gtk::Window& parent, const Game& game)
    : game_(game), store_(Gtk::ListStore::create(columns_)) {
    set_title(_("Move list"));
    set_transient_for(parent);
    set_default_size(220, 300);
    set_type_hint(Gdk::WINDOW_TYPE_HINT_UTILITY);
    set_accessible_id(*this, "move_list");
    set_accessible_id(view_, "move_list_view");

    view_.set_model(store_);
    view_.append_column("", columns_.number);
    const int red = view_.append_column(_("Red"), columns_.red) - 1;
    const int blue = view_.append_column(_("Blue"), columns_.blue) - 1;
    red_column_ = view_.get_column(red);
    blue_column_ = view_.get_column(blue);
    // The last move is written in bold.
    red_column_->add_attribute(*red_column_->get_first_cell(), "weight", columns_.red_weight);
    blue_column_->add_attribute(*blue_column_->get_first_cell(), "weight", columns_.blue_weight);
    view_.set_enable_search(false);

    view_.signal_button_press_event().connect(
        [this](GdkEventButton* event) {
            Gtk::TreeModel::Path path;
            Gtk::TreeViewColumn* column = nullptr;
            int cell_x = 0;
            int cell_y = 0;
            if (view_.get_path_at_pos(static_cast<int>(event->x), static_cast<int>(event->y), path,
                                      column, cell_x, cell_y) &&
                (column == red_column_ || column == blue_column_)) {
                choose(path, column == blue_column_);
            }
            return false;
        },
        false);

    scroller_.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    scroller_.add(view_);
    add(scroller_);
    refresh();
}

void MoveListWindow::refresh() {
    store_->clear();
    last_turn_.reset();
    Gtk::TreeModel::Row row;
    bool row_open = false;
    int number = 0;
    const std::vector<PlayedTurn>& record = game_.record().turns;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const PlayedTurn& turn = record[i];
        if (!turn.move) {
            continue;
        }
        const bool blue = turn.side == Side::Blue;
        // Red opens a new row; blue's move shares red's row, or opens one of its own.
        if (!blue || !row_open) {
            row = *store_->append();
            row[columns_.number] = std::to_string(++number) + ".";
            row[columns_.red_turn] = -1;
            row[columns_.blue_turn] = -1;
            row[columns_.red_weight] = Pango::WEIGHT_NORMAL;
            row[columns_.blue_weight] = Pango::WEIGHT_NORMAL;
            if (blue) {
                row[columns_.red] = "...";
            }
        }
        row_open = !blue;
        const Glib::ustring text = describe_move(turn.before, *turn.move);
        if (blue) {
            row[columns_.blue] = text;
            row[columns_.blue_turn] = static_cast<int>(i);
        } else {
            row[columns_.red] = text;
            row[columns_.red_turn] = static_cast<int>(i);
        }
        last_turn_ = i;
    }
    // The last move stands out, and the list scrolls to it.
    if (last_turn_) {
        Gtk::TreeModel::Row last = store_->children()[store_->children().size() - 1];
        const bool blue = last[columns_.blue_turn] == static_cast<int>(*last_turn_);
        last[blue ? columns_.blue_weight : columns_.red_weight] = Pango::WEIGHT_BOLD;
        view_.scroll_to_row(store_->get_path(last));
    }
    chosen_.reset();
    view_.get_selection()->unselect_all();
}

std::optional<std::size_t> MoveListWindow::turn_at(const Gtk::TreeModel::Path& path,
                                                   bool blue) const {
    const Gtk::TreeModel::iterator it = store_->get_iter(path);
    if (!it) {
        return std::nullopt;
    }
    const int turn = (*it)[blue ? columns_.blue_turn : columns_.red_turn];
    return turn < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(turn));
}

void MoveListWindow::choose(const Gtk::TreeModel::Path& path, bool blue) {
    const std::optional<std::size_t> turn = turn_at(path, blue);
    if (!turn) {
        return;
    }
    chosen_blue_ = blue;
    view_.get_selection()->select(path);
    // The last move is the game itself.
    chosen_ = turn == last_turn_ ? std::nullopt : turn;
    if (on_move_chosen) {
        on_move_chosen(chosen_);
    }
}

bool MoveListWindow::on_key_press_event(GdkEventKey* event) {
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    view_.get_cursor(path, column);
    switch (event->keyval) {
        case GDK_KEY_Escape:
            chosen_.reset();
            view_.get_selection()->unselect_all();
            if (on_move_chosen) {
                on_move_chosen(std::nullopt);
            }
            return true;
        case GDK_KEY_Left:
        case GDK_KEY_Right:
            if (path) {
                const bool blue = event->keyval == GDK_KEY_Right;
                view_.set_cursor(path, blue ? *blue_column_ : *red_column_, false);
                choose(path, blue);
            }
            return true;
        case GDK_KEY_Up:
        case GDK_KEY_Down: {
            const bool handled = Gtk::Window::on_key_press_event(event);
            view_.get_cursor(path, column);
            if (path) {
                choose(path, chosen_blue_ && turn_at(path, true).has_value());
            }
            return handled;
        }
        default:
            return Gtk::Window::on_key_press_event(event);
    }
}

}  // namespace zarvo
