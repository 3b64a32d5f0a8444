// The board view: painting the board from the game and turning presses into squares.
#include "ui/board_view.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "ui/board_geometry.h"
#include "ui/board_picture.h"

namespace zarvo {

BoardView::BoardView(const Game& game) : game_(game) {
    set_size_request(kAreaSize, kAreaSize);
    // Exposure and button presses only: no release, motion or key events.
    set_events(Gdk::EXPOSURE_MASK | Gdk::BUTTON_PRESS_MASK);
}

void BoardView::create_sprites() {
    sprites_ = zarvo::create_sprites();
    have_sprites_ = true;
}

void BoardView::paint_sprite(const Cairo::RefPtr<Cairo::Context>& cr, Sprite sprite,
                             int square) const {
    const Pixel at = square_origin(square, game_.settings().first_player);
    cr->set_source(sprites_[sprite], at.x, at.y);
    cr->rectangle(at.x, at.y, kSquareSize, kSquareSize);
    cr->fill();
}

bool BoardView::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    if (!have_sprites_) {
        return false;
    }
    // The frame takes the widget's normal foreground colour, as text would.
    const Gdk::RGBA fg = get_style_context()->get_color(Gtk::STATE_FLAG_NORMAL);
    cr->set_source_rgba(fg.get_red(), fg.get_green(), fg.get_blue(), fg.get_alpha());
    for (const FrameLine& line : kFrameLines) {
        const int x = std::min(line.from.x, line.to.x);
        const int y = std::min(line.from.y, line.to.y);
        // A one-pixel line with both ends is a rectangle one pixel wide, filled without blur.
        cr->rectangle(x, y, std::abs(line.to.x - line.from.x) + 1,
                      std::abs(line.to.y - line.from.y) + 1);
    }
    cr->fill();

    const Position& position = game_.position();
    for (int square = 0; square < 64; ++square) {
        paint_sprite(cr, square_sprite(square), square);
        if (const std::optional<Sprite> piece = piece_sprite(position[square])) {
            paint_sprite(cr, *piece, square);
        }
    }
    for_each_marked_square(game_.pending_path(), game_.last_move(),
                           [&](int square) { paint_sprite(cr, kMarkerSprite, square); });
    if (on_painted) {
        on_painted();
    }
    return false;
}

bool BoardView::on_button_press_event(GdkEventButton* event) {
    // A double or triple click also sends a summary event after its presses; only presses count.
    if (event->type == GDK_BUTTON_PRESS && on_square_pressed) {
        if (const std::optional<int> square =
                square_at(event->x, event->y, game_.settings().first_player)) {
            on_square_pressed(*square);
        }
    }
    return true;
}

}  // namespace zarvo
