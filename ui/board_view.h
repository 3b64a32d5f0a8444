// The board as the player sees it: a 252 x 252 drawing area painted from the game, and the
// presses on it turned into squares.
#pragma once

#include <gtkmm/drawingarea.h>

#include <functional>

#include "game/game.h"
#include "ui/sprites.h"

namespace zarvo {

// Paints the double frame, the squares, the pieces and the markers of the pending path and the
// last move; every repaint paints all of it, whatever part of the area was exposed.
class BoardView : public Gtk::DrawingArea {
  public:
    explicit BoardView(const Game& game);

    // Builds the sprites; called once the window is shown, before the first paint.
    void create_sprites();

    // Called with the square under every press of any mouse button (none in the margin).
    std::function<void(int square)> on_square_pressed;

    // Called after every paint (the first one marks the first frame on screen).
    std::function<void()> on_painted;

  protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;

  private:
    // Paints a sprite over a square's cell, through its transparent pixels.
    void paint_sprite(const Cairo::RefPtr<Cairo::Context>& cr, Sprite sprite, int square) const;

    const Game& game_;
    SpriteSurfaces sprites_;
    bool have_sprites_ = false;
};

}  // namespace zarvo
