// The board's accessible object and its squares, as GObject types of ATK, the toolkit's
// accessibility layer, which AT-SPI carries to screen readers.
#include "ui/board_accessible.h"

#include <gtkmm/widget.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "i18n/translation.h"
#include "ui/board_geometry.h"

namespace zarvo {

namespace {

// The board widget behind an accessible object, if it is still there.
AccessibleBoard* board_of(AtkObject* accessible) {
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
    if (widget == nullptr) {
        return nullptr;
    }
    return dynamic_cast<AccessibleBoard*>(Glib::wrap(widget, false));
}

}  // namespace

}  // namespace zarvo

// The accessible of one square: a child of the board's, asking the board what to report.
struct ZarvoSquareAccessible {
    AtkObject parent;
    int square;
    // The name and description last handed to ATK, each owned here and replaced only when the
    // board reports another text for it, so that a string ATK is still reading stays whole
    // while the square's other texts and states are asked for.
    std::string* name;
    std::string* description;
    // What the assistive tools were last told of, to tell them of changes.
    zarvo::SquareReport* told;
};

struct ZarvoSquareAccessibleClass {
    AtkObjectClass parent_class;
};

struct ZarvoBoardAccessible {
    GtkWidgetAccessible parent;
    std::array<AtkObject*, 64>* squares;
    std::string* announcement;
    // Whether the assistive tools were last told of the board turned, rank 1 at the top.
    gboolean told_turned;
};

struct ZarvoBoardAccessibleClass {
    GtkWidgetAccessibleClass parent_class;
};

namespace {

void square_component_init(AtkComponentIface* iface);
void square_action_init(AtkActionIface* iface);
void square_table_cell_init(AtkTableCellIface* iface);
void board_table_init(AtkTableIface* iface);

}  // namespace

G_DEFINE_TYPE_WITH_CODE(ZarvoSquareAccessible, zarvo_square_accessible, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, square_component_init)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, square_action_init)
                                G_IMPLEMENT_INTERFACE(ATK_TYPE_TABLE_CELL, square_table_cell_init))

G_DEFINE_TYPE_WITH_CODE(ZarvoBoardAccessible, zarvo_board_accessible, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TABLE, board_table_init))

namespace {

ZarvoSquareAccessible* as_square(gpointer object) {
    return reinterpret_cast<ZarvoSquareAccessible*>(object);
}

ZarvoBoardAccessible* as_board(gpointer object) {
    return reinterpret_cast<ZarvoBoardAccessible*>(object);
}

zarvo::AccessibleBoard* board_of_square(ZarvoSquareAccessible* square) {
    AtkObject* parent = atk_object_get_parent(ATK_OBJECT(square));
    return parent == nullptr ? nullptr : zarvo::board_of(parent);
}

// What the board reports about a square now, or nothing once the board has gone.
std::optional<zarvo::SquareReport> square_report(ZarvoSquareAccessible* square) {
    if (zarvo::AccessibleBoard* board = board_of_square(square)) {
        return board->report(square->square);
    }
    return std::nullopt;
}

// Brings one of a square's kept texts up to date and hands it out; the string is replaced only
// when the text has changed.
const gchar* kept_text(std::string& kept, std::optional<std::string> now) {
    if (now && *now != kept) {
        kept = std::move(*now);
    }
    return kept.c_str();
}

const gchar* square_get_name(AtkObject* object) {
    ZarvoSquareAccessible* square = as_square(object);
    std::optional<zarvo::SquareReport> report = square_report(square);
    return kept_text(*square->name, report ? std::optional(std::move(report->name)) : std::nullopt);
}

const gchar* square_get_description(AtkObject* object) {
    ZarvoSquareAccessible* square = as_square(object);
    std::optional<zarvo::SquareReport> report = square_report(square);
    return kept_text(*square->description,
                     report ? std::optional(std::move(report->description)) : std::nullopt);
}

gint square_get_index_in_parent(AtkObject* object) {
    return as_square(object)->square;
}

AtkStateSet* square_ref_state_set(AtkObject* object) {
    AtkStateSet* states =
        ATK_OBJECT_CLASS(zarvo_square_accessible_parent_class)->ref_state_set(object);
    // The states are read from a report of their own: the texts handed out stay as they are.
    const std::optional<zarvo::SquareReport> report = square_report(as_square(object));
    if (!report) {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    for (AtkStateType state : {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE,
                               ATK_STATE_SHOWING, ATK_STATE_FOCUSABLE, ATK_STATE_SELECTABLE}) {
        atk_state_set_add_state(states, state);
    }
    if (report->selected) {
        atk_state_set_add_state(states, ATK_STATE_SELECTED);
    }
    if (report->focused) {
        atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    }
    return states;
}

void square_finalize(GObject* object) {
    delete as_square(object)->name;
    delete as_square(object)->description;
    delete as_square(object)->told;
    G_OBJECT_CLASS(zarvo_square_accessible_parent_class)->finalize(object);
}

void square_get_extents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                        AtkCoordType coords) {
    *x = *y = *width = *height = 0;
    ZarvoSquareAccessible* square = as_square(component);
    AtkObject* parent = atk_object_get_parent(ATK_OBJECT(square));
    zarvo::AccessibleBoard* board = board_of_square(square);
    if (parent == nullptr || board == nullptr) {
        return;
    }
    gint board_x = 0;
    gint board_y = 0;
    atk_component_get_extents(ATK_COMPONENT(parent), &board_x, &board_y, nullptr, nullptr, coords);
    const GdkRectangle area = board->square_area(square->square);
    *x = board_x + area.x;
    *y = board_y + area.y;
    *width = area.width;
    *height = area.height;
}

void square_component_init(AtkComponentIface* iface) {
    iface->get_extents = square_get_extents;
}

gboolean square_do_action(AtkAction* action, gint index) {
    zarvo::AccessibleBoard* board = board_of_square(as_square(action));
    if (index != 0 || board == nullptr) {
        return FALSE;
    }
    board->activate_square(as_square(action)->square);
    return TRUE;
}

gint square_get_n_actions(AtkAction*) {
    return 1;
}

const gchar* square_get_action_name(AtkAction*, gint index) {
    return index == 0 ? "click" : nullptr;
}

void square_action_init(AtkActionIface* iface) {
    iface->do_action = square_do_action;
    iface->get_n_actions = square_get_n_actions;
    iface->get_name = square_get_action_name;
}

// The table's view of the squares: cells by their row and column on the screen.

bool board_turned(AtkObject* board) {
    const zarvo::AccessibleBoard* widget = zarvo::board_of(board);
    return widget != nullptr && widget->turned();
}

bool is_cell(gint row, gint column) {
    return row >= 0 && row < 8 && column >= 0 && column < 8;
}

// The square drawn at a row and column of the screen.
int square_at(AtkObject* board, gint row, gint column) {
    return zarvo::square_index(zarvo::flip_row(row, board_turned(board)), column);
}

// The screen row a square is drawn on.
gint screen_row_of(AtkObject* board, int square) {
    return zarvo::flip_row(zarvo::row_of(square), board_turned(board));
}

bool is_square(gint index) {
    return index >= 0 && index < 64;
}

AtkObject* table_ref_at(AtkTable* table, gint row, gint column) {
    if (!is_cell(row, column)) {
        return nullptr;
    }
    const int square = square_at(ATK_OBJECT(table), row, column);
    return ATK_OBJECT(g_object_ref((*as_board(table)->squares)[static_cast<std::size_t>(square)]));
}

gint table_get_index_at(AtkTable* table, gint row, gint column) {
    return is_cell(row, column) ? square_at(ATK_OBJECT(table), row, column) : -1;
}

gint table_get_row_at_index(AtkTable* table, gint index) {
    return is_square(index) ? screen_row_of(ATK_OBJECT(table), index) : -1;
}

gint table_get_column_at_index(AtkTable*, gint index) {
    return is_square(index) ? zarvo::column_of(index) : -1;
}

gint table_get_size(AtkTable*) {
    return 8;
}

// A row is known by its rank, a column by its file, as the squares' names are.
const gchar* table_get_row_description(AtkTable* table, gint row) {
    static constexpr const char* kRanks[] = {"8", "7", "6", "5", "4", "3", "2", "1"};
    return is_cell(row, 0) ? kRanks[zarvo::flip_row(row, board_turned(ATK_OBJECT(table)))]
                           : nullptr;
}

const gchar* table_get_column_description(AtkTable*, gint column) {
    static constexpr const char* kFiles[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    return is_cell(0, column) ? kFiles[column] : nullptr;
}

void board_table_init(AtkTableIface* iface) {
    iface->ref_at = table_ref_at;
    iface->get_index_at = table_get_index_at;
    iface->get_row_at_index = table_get_row_at_index;
    iface->get_column_at_index = table_get_column_at_index;
    iface->get_n_rows = table_get_size;
    iface->get_n_columns = table_get_size;
    iface->get_row_description = table_get_row_description;
    iface->get_column_description = table_get_column_description;
}

gboolean cell_get_position(AtkTableCell* cell, gint* row, gint* column) {
    AtkObject* board = atk_object_get_parent(ATK_OBJECT(cell));
    if (board == nullptr) {
        return FALSE;
    }
    const int square = as_square(cell)->square;
    *row = screen_row_of(board, square);
    *column = zarvo::column_of(square);
    return TRUE;
}

gint cell_get_span(AtkTableCell*) {
    return 1;
}

gboolean cell_get_row_column_span(AtkTableCell* cell, gint* row, gint* column, gint* row_span,
                                  gint* column_span) {
    *row_span = *column_span = 1;
    return cell_get_position(cell, row, column);
}

AtkObject* cell_get_table(AtkTableCell* cell) {
    AtkObject* board = atk_object_get_parent(ATK_OBJECT(cell));
    return board == nullptr ? nullptr : ATK_OBJECT(g_object_ref(board));
}

// The board has no header cells: its rows and columns are described instead.
GPtrArray* cell_get_header_cells(AtkTableCell*) {
    return g_ptr_array_new();
}

void square_table_cell_init(AtkTableCellIface* iface) {
    iface->get_position = cell_get_position;
    iface->get_row_span = cell_get_span;
    iface->get_column_span = cell_get_span;
    iface->get_row_column_span = cell_get_row_column_span;
    iface->get_table = cell_get_table;
    iface->get_row_header_cells = cell_get_header_cells;
    iface->get_column_header_cells = cell_get_header_cells;
}

gint board_get_n_children(AtkObject*) {
    return 64;
}

AtkObject* board_ref_child(AtkObject* object, gint index) {
    if (index < 0 || index >= 64) {
        return nullptr;
    }
    return ATK_OBJECT(g_object_ref((*as_board(object)->squares)[static_cast<std::size_t>(index)]));
}

const gchar* board_get_description(AtkObject* object) {
    return as_board(object)->announcement->c_str();
}

void board_initialize(AtkObject* object, gpointer data) {
    ATK_OBJECT_CLASS(zarvo_board_accessible_parent_class)->initialize(object, data);
    // What a screen reader says as the board takes the focus: "Board, table".
    atk_object_set_role(object, ATK_ROLE_TABLE);
    // TRANSLATORS: the draughts board, as a screen reader names it when it takes the focus.
    atk_object_set_name(object, _("Board"));
    ZarvoBoardAccessible* board = as_board(object);
    for (int square = 0; square < 64; ++square) {
        ZarvoSquareAccessible* child =
            as_square(g_object_new(zarvo_square_accessible_get_type(), nullptr));
        child->square = square;
        atk_object_set_parent(ATK_OBJECT(child), object);
        atk_object_set_role(ATK_OBJECT(child), ATK_ROLE_TABLE_CELL);
        (*board->squares)[static_cast<std::size_t>(square)] = ATK_OBJECT(child);
    }
}

void board_finalize(GObject* object) {
    ZarvoBoardAccessible* board = as_board(object);
    for (AtkObject* child : *board->squares) {
        if (child != nullptr) {
            g_object_unref(child);
        }
    }
    delete board->squares;
    delete board->announcement;
    G_OBJECT_CLASS(zarvo_board_accessible_parent_class)->finalize(object);
}

}  // namespace

static void zarvo_square_accessible_class_init(ZarvoSquareAccessibleClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = square_get_name;
    atk->get_description = square_get_description;
    atk->get_index_in_parent = square_get_index_in_parent;
    atk->ref_state_set = square_ref_state_set;
    G_OBJECT_CLASS(klass)->finalize = square_finalize;
}

static void zarvo_square_accessible_init(ZarvoSquareAccessible* square) {
    square->square = 0;
    square->name = new std::string();
    square->description = new std::string();
    square->told = new zarvo::SquareReport();
}

static void zarvo_board_accessible_class_init(ZarvoBoardAccessibleClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = board_initialize;
    atk->get_n_children = board_get_n_children;
    atk->ref_child = board_ref_child;
    atk->get_description = board_get_description;
    G_OBJECT_CLASS(klass)->finalize = board_finalize;
}

static void zarvo_board_accessible_init(ZarvoBoardAccessible* board) {
    board->squares = new std::array<AtkObject*, 64>{};
    board->announcement = new std::string();
    board->told_turned = FALSE;
}

namespace zarvo {

GType board_accessible_get_type() {
    return zarvo_board_accessible_get_type();
}

void board_accessible_refresh(AtkObject* accessible) {
    if (!G_TYPE_CHECK_INSTANCE_TYPE(accessible, zarvo_board_accessible_get_type())) {
        return;
    }
    AccessibleBoard* board = board_of(accessible);
    if (board == nullptr) {
        return;
    }
    // Turned, the board shows every square in another cell of the table.
    if (board->turned() != static_cast<bool>(as_board(accessible)->told_turned)) {
        as_board(accessible)->told_turned = board->turned();
        g_signal_emit_by_name(accessible, "model-changed");
    }
    for (AtkObject* child : *as_board(accessible)->squares) {
        ZarvoSquareAccessible* square = as_square(child);
        const std::optional<SquareReport> report = square_report(square);
        if (!report) {
            return;
        }
        const SquareReport before = *square->told;
        const SquareReport& now = *report;
        *square->told = now;
        if (now.name != before.name) {
            g_object_notify(G_OBJECT(child), "accessible-name");
        }
        if (now.description != before.description) {
            g_object_notify(G_OBJECT(child), "accessible-description");
        }
        if (now.selected != before.selected) {
            atk_object_notify_state_change(child, ATK_STATE_SELECTED, now.selected);
        }
        if (now.focused != before.focused) {
            atk_object_notify_state_change(child, ATK_STATE_FOCUSED, now.focused);
            if (now.focused) {
                g_signal_emit_by_name(accessible, "active-descendant-changed", child);
            }
        }
    }
}

void board_accessible_announce(AtkObject* accessible, const std::string& text) {
    if (!G_TYPE_CHECK_INSTANCE_TYPE(accessible, zarvo_board_accessible_get_type())) {
        return;
    }
    *as_board(accessible)->announcement = text;
    g_object_notify(G_OBJECT(accessible), "accessible-description");
}

}  // namespace zarvo
