// What the board shows a screen reader: a table named "Board" whose cells are the squares as they
// stand on the screen, each named by its square and what stands on it ("e4, red man", "d5,
// empty"), with the path, the last move, a hint and the legal-move marks in its description and
// "selected" and "focused" states that follow the game.
#pragma once

#include <atk/atk.h>
#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include <string>

namespace zarvo {

// What the board reports about one square.
struct SquareReport {
    std::string name;
    std::string description;
    bool selected = false;
    bool focused = false;

    friend bool operator==(const SquareReport&, const SquareReport&) = default;
};

// The board's side of its accessible object: the window's board widget implements it.
class AccessibleBoard {
  public:
    virtual ~AccessibleBoard() = default;
    virtual SquareReport report(int square) const = 0;
    // The square's cell in the widget's own coordinates.
    virtual GdkRectangle square_area(int square) const = 0;
    // An assistive tool's "click" on a square.
    virtual void activate_square(int square) = 0;
    // Whether rank 1 is drawn at the top.
    virtual bool turned() const = 0;
};

// The accessible type of the board widget: its children are the 64 squares, a8 first; as a table,
// its rows and columns are those on the screen, row 0 at the top (rank 8, or rank 1 when the
// board is turned), column 0 at the left (file a).
GType board_accessible_get_type();

// Tells the accessible board that what it reports may have changed: the squares whose name,
// description or states did change say so to the assistive tools, the focused square becomes
// the board's active descendant, and a board that has turned tells that its cells moved.
void board_accessible_refresh(AtkObject* accessible);

// Says `text` to the assistive tools as the board's description (the computer's last move).
void board_accessible_announce(AtkObject* accessible, const std::string& text);

}  // namespace zarvo
