// The board as the player sees it: a drawing area painted from the game, at one, two or three
// times its size, with the sprites or with smooth pieces; the presses on it turned into squares;
// the computer's moves shown travelling; and a position from the game's past shown read-only.
#pragma once

#include <gtkmm/drawingarea.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "game/game.h"
#include "ui/board_accessible.h"
#include "ui/smooth_pieces.h"
#include "ui/sprites.h"

namespace zarvo {

// A position from earlier in the game, shown read-only, with the move that led to it marked.
struct PastPosition {
    Position position;
    Move move;
};

// Paints the double frame, the squares, the pieces and the markers of the pending path, the last
// move and a hint, and, when asked, the pieces that can move and the squares a path can go on
// to. Every repaint paints all of it, whatever part of the area was exposed. It takes the
// keyboard: the arrow keys move a focus square (framed only once the keyboard is in use), Space
// or Return act on it as a click, and it tells screen readers what stands on every square.
class BoardView : public Gtk::DrawingArea, public AccessibleBoard {
  public:
    explicit BoardView(const Game& game);

    // Builds the sprites; called once the window is shown, before the first paint.
    void create_sprites();

    // The magnification, 1 to 3: the whole picture, margins and frame included, with crisp
    // pixels; the area asks for the matching size.
    void set_zoom(int zoom);
    int zoom() const { return zoom_; }
    void set_smooth_pieces(bool on);
    void set_show_legal_moves(bool on);

    // Shows a past position instead of the game's, until called with nothing.
    void show_past(std::optional<PastPosition> past);
    bool showing_past() const { return past_.has_value(); }

    // Shows `move` of `side` travelling from `before`, about 150 ms a step, each captured piece
    // vanishing as it is taken; `done` runs once the piece has arrived.
    void animate(const Position& before, const Move& move, std::function<void()> done);
    bool animating() const { return animation_.has_value(); }
    // Ends an animation at once, without calling its `done`.
    void stop_animation();
    // Ends an animation at once as if the piece had arrived: its `done` runs now.
    void finish_animation();

    // Called with the square under every press of any mouse button, and with the focus square
    // for Space and Return (none in the margin, none while a past position or an animation is
    // shown).
    std::function<void(int square)> on_square_pressed;
    // Return with a whole legal move pending, BackSpace, and Escape, while the board has the
    // focus.
    std::function<void()> on_play_key;
    std::function<void()> on_cancel_key;
    std::function<void()> on_escape_key;

    // The square the arrow keys move about.
    int focus_square() const {
        return focus_square_ >= 0 ? focus_square_ : square_index(turned() ? 0 : 7, 0);
    }

    // What changed in the game may change what screen readers hear of the squares.
    void refresh_accessible();
    // Says a text to screen readers (the computer's move).
    void announce(const std::string& text);

    SquareReport report(int square) const override;
    GdkRectangle square_area(int square) const override;
    void activate_square(int square) override;
    bool turned() const override { return game_.board_turned(); }
    // Called after every paint with how long it took, in microseconds.
    std::function<void(std::int64_t)> on_painted;

    // How long one step of an animated move takes.
    static constexpr std::int64_t kStepMicroseconds = 150'000;

  protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_focus_in_event(GdkEventFocus* event) override;
    bool on_focus_out_event(GdkEventFocus* event) override;

  private:
    // A move on its way across the board.
    struct Animation {
        Position before;
        Move move;
        std::int64_t start_us = 0;
        std::function<void()> done;
        guint tick = 0;
    };

    // Paints a sprite over a square's cell, through its transparent pixels.
    void paint_sprite(const Cairo::RefPtr<Cairo::Context>& cr, Sprite sprite, double x,
                      double y) const;
    // Paints a piece, sprite or smooth, with its cell's top-left corner at (x, y).
    void paint_piece(const Cairo::RefPtr<Cairo::Context>& cr, char piece, double x, double y) const;
    // Paints the corner brackets that mark a square, grey or in another colour.
    void paint_marker(const Cairo::RefPtr<Cairo::Context>& cr, int square,
                      const std::optional<Rgb>& colour) const;
    // Paints the outline of a piece that can move, or the dot of a square a path can go on to.
    void paint_legal_marks(const Cairo::RefPtr<Cairo::Context>& cr) const;
    // Paints the moving piece where the animation has brought it; returns the board to draw
    // under it.
    Board animation_frame(std::int64_t now_us, std::optional<std::pair<double, double>>& piece_at,
                          char& piece) const;
    bool on_tick(const Glib::RefPtr<Gdk::FrameClock>& clock);
    // Where the board's drawing begins across the widget, which may be wider than the board.
    int left_edge() const;
    // Whether the focus square is framed: the board has the focus and the keyboard is in use.
    bool focus_shown() const;
    // Moves the focus square one square on the screen.
    void move_focus(int columns, int screen_rows);

    const Game& game_;
    SpriteSurfaces sprites_;
    bool have_sprites_ = false;
    int zoom_ = 1;
    bool smooth_ = false;
    bool show_legal_ = false;
    std::optional<PastPosition> past_;
    std::optional<Animation> animation_;
    // Nothing chosen yet: the bottom-left square as the board is drawn.
    int focus_square_ = -1;
};

}  // namespace zarvo
