// The board view: painting the board from the game, presses turned into squares, moves shown
// travelling, and past positions shown read-only.
#include "ui/board_view.h"

#include <gdk/gdkkeysyms.h>
#include <glibmm/main.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "i18n/translation.h"
#include "rules/notation.h"
#include "rules/piece_bits.h"
#include "rules/play.h"
#include "ui/board_geometry.h"
#include "ui/board_picture.h"
#include "ui/smooth_pieces.h"

namespace zarvo {

namespace {

// Microseconds on the monotonic clock.
std::int64_t now_us() {
    return g_get_monotonic_time();
}

// A hint's squares are bracketed in green, distinct from the grey of the path and last move;
// pieces that can move and squares a path can go on to are marked in gold.
constexpr Rgb kHintColour{0.0, 0.62, 0.0};
constexpr Rgb kLegalColour{0.95, 0.72, 0.0};
// The keyboard's focus square is framed in blue.
constexpr Rgb kFocusColour{0x35 / 255.0, 0x84 / 255.0, 0xe4 / 255.0};

}  // namespace

BoardView::BoardView(const Game& game)
    : Glib::ObjectBase("ZarvoBoardView"), Gtk::DrawingArea(), game_(game) {
    set_size_request(kAreaSize, kAreaSize);
    // Presses, and keys while the board has the focus; no release or motion events.
    set_events(Gdk::EXPOSURE_MASK | Gdk::BUTTON_PRESS_MASK | Gdk::KEY_PRESS_MASK |
               Gdk::FOCUS_CHANGE_MASK);
    set_can_focus(true);
    // Its own accessible type: the squares as children. Set before anything asks for it.
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(gobj()), board_accessible_get_type());
}

bool BoardView::focus_shown() const {
    const Gtk::Window* window = dynamic_cast<const Gtk::Window*>(get_toplevel());
    return has_focus() && window != nullptr && window->get_focus_visible();
}

void BoardView::move_focus(int columns, int screen_rows) {
    // Screen coordinates of the focus square: up is toward the top whichever way up.
    const int square = focus_square();
    int column = column_of(square) + columns;
    int screen_row = flip_row(row_of(square), turned()) + screen_rows;
    column = std::clamp(column, 0, 7);
    screen_row = std::clamp(screen_row, 0, 7);
    focus_square_ = square_index(flip_row(screen_row, turned()), column);
    queue_draw();
    refresh_accessible();
}

SquareReport BoardView::report(int square) const {
    const Position& position = past_ ? past_->position : game_.position();
    const SquareName name = square_name(square);
    const char* what = N_("{1}, empty");
    switch (position[square]) {
        case kRedMan:
            what = N_("{1}, red man");
            break;
        case kRedKing:
            what = N_("{1}, red king");
            break;
        case kBlueMan:
            what = N_("{1}, blue man");
            break;
        case kBlueKing:
            what = N_("{1}, blue king");
            break;
        default:
            break;
    }
    const std::string text = Message(what, {std::string(name.begin(), name.end())}).text(translate);
    std::vector<const char*> marks;
    if (!past_) {
        if (game_.pending_path().contains(square)) {
            marks.push_back(N_("in the path"));
        }
        if (game_.last_move().contains(square)) {
            marks.push_back(N_("last move"));
        }
        if (game_.hint().contains(square)) {
            marks.push_back(N_("hint"));
        }
        if (show_legal_) {
            if (game_.pending_path().empty() && (game_.movable_pieces() & square_bit(square))) {
                marks.push_back(N_("can move"));
            }
            if (game_.path_continuations() & square_bit(square)) {
                marks.push_back(N_("the path can go here"));
            }
        }
    } else if (past_->move.contains(square)) {
        marks.push_back(N_("move shown"));
    }
    std::string description;
    for (const char* mark : marks) {
        description += (description.empty() ? "" : _(", ")) + std::string(_(mark));
    }
    return {text, description, !past_ && game_.pending_path().contains(square),
            has_focus() && square == focus_square_};
}

GdkRectangle BoardView::square_area(int square) const {
    const Pixel at = square_origin(square, turned());
    return {left_edge() + at.x * zoom_, at.y * zoom_, kSquareSize * zoom_, kSquareSize * zoom_};
}

int BoardView::left_edge() const {
    // A menu bar wider than the board (in some languages) widens the window: the board stays
    // in the middle.
    return std::max(0, (get_allocated_width() - kAreaSize * zoom_) / 2);
}

void BoardView::activate_square(int square) {
    if (on_square_pressed && !past_ && !animation_) {
        on_square_pressed(square);
    }
}

void BoardView::refresh_accessible() {
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(gobj()))) {
        board_accessible_refresh(accessible);
    }
}

void BoardView::announce(const std::string& text) {
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(gobj()))) {
        board_accessible_announce(accessible, text);
    }
}

bool BoardView::on_focus_in_event(GdkEventFocus* event) {
    queue_draw();
    refresh_accessible();
    return Gtk::DrawingArea::on_focus_in_event(event);
}

bool BoardView::on_focus_out_event(GdkEventFocus* event) {
    queue_draw();
    refresh_accessible();
    return Gtk::DrawingArea::on_focus_out_event(event);
}

void BoardView::create_sprites() {
    sprites_ = zarvo::create_sprites();
    have_sprites_ = true;
}

void BoardView::set_zoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, 3);
    set_size_request(kAreaSize * zoom_, kAreaSize * zoom_);
    queue_draw();
}

void BoardView::set_smooth_pieces(bool on) {
    smooth_ = on;
    queue_draw();
}

void BoardView::set_show_legal_moves(bool on) {
    show_legal_ = on;
    queue_draw();
}

void BoardView::show_past(std::optional<PastPosition> past) {
    past_ = std::move(past);
    queue_draw();
}

void BoardView::paint_sprite(const Cairo::RefPtr<Cairo::Context>& cr, Sprite sprite, double x,
                             double y) const {
    cr->set_source(sprites_[sprite], x, y);
    // Enlarged pixels stay crisp squares.
    Cairo::RefPtr<Cairo::SurfacePattern>::cast_dynamic(cr->get_source())
        ->set_filter(Cairo::FILTER_NEAREST);
    cr->rectangle(x, y, kSquareSize, kSquareSize);
    cr->fill();
}

void BoardView::paint_piece(const Cairo::RefPtr<Cairo::Context>& cr, char piece, double x,
                            double y) const {
    if (const std::optional<Sprite> sprite = piece_sprite(piece)) {
        if (smooth_) {
            paint_smooth_piece(cr, piece, x, y);
        } else {
            paint_sprite(cr, *sprite, x, y);
        }
    }
}

void BoardView::paint_marker(const Cairo::RefPtr<Cairo::Context>& cr, int square,
                             const std::optional<Rgb>& colour) const {
    const Pixel at = square_origin(square, turned());
    if (smooth_) {
        paint_smooth_brackets(cr, at.x, at.y,
                              colour.value_or(Rgb{0x88 / 255.0, 0x88 / 255.0, 0x88 / 255.0}));
    } else if (!colour) {
        paint_sprite(cr, kMarkerSprite, at.x, at.y);
    } else {
        // The marker's own shape, in another colour.
        cr->set_source_rgb(colour->red, colour->green, colour->blue);
        const Cairo::RefPtr<Cairo::SurfacePattern> shape =
            Cairo::SurfacePattern::create(sprites_[kMarkerSprite]);
        shape->set_filter(Cairo::FILTER_NEAREST);
        cr->save();
        cr->translate(at.x, at.y);
        cr->mask(shape);
        cr->restore();
    }
}

void BoardView::paint_legal_marks(const Cairo::RefPtr<Cairo::Context>& cr) const {
    const std::uint64_t movable = game_.pending_path().empty() ? game_.movable_pieces() : 0;
    const std::uint64_t next = game_.path_continuations();
    if ((movable | next) == 0) {
        return;
    }
    cr->save();
    cr->set_source_rgb(kLegalColour.red, kLegalColour.green, kLegalColour.blue);
    cr->set_line_width(1.5);
    for (int square = 0; square < 64; ++square) {
        const Pixel at = square_origin(square, turned());
        if ((movable & square_bit(square)) != 0) {
            cr->arc(at.x + 12, at.y + 12, 11.25, 0, 2 * std::numbers::pi);
            cr->stroke();
        }
        if ((next & square_bit(square)) != 0) {
            cr->arc(at.x + 12, at.y + 12, 3.5, 0, 2 * std::numbers::pi);
            cr->fill();
        }
    }
    cr->restore();
}

Board BoardView::animation_frame(std::int64_t now, std::optional<std::pair<double, double>>& at,
                                 char& piece) const {
    const Animation& a = *animation_;
    Board board = a.before.squares;
    piece = board[static_cast<std::size_t>(a.move.from())];
    board[static_cast<std::size_t>(a.move.from())] = kEmpty;
    const std::int64_t elapsed = std::max<std::int64_t>(0, now - a.start_us);
    const std::size_t steps = a.move.steps();
    const std::size_t done =
        std::min<std::size_t>(steps, static_cast<std::size_t>(elapsed / kStepMicroseconds));
    // The pieces of the steps already taken have gone.
    for (std::size_t i = 0; i < done; ++i) {
        for (std::uint64_t span = captured_span(a.move[i], a.move[i + 1], a.before.variant);
             span != 0; span &= span - 1) {
            board[static_cast<std::size_t>(std::countr_zero(span))] = kEmpty;
        }
    }
    if (done == steps) {
        const Pixel p = square_origin(a.move.to(), turned());
        at = std::pair<double, double>(p.x, p.y);
        return board;
    }
    const double t =
        static_cast<double>(elapsed - static_cast<std::int64_t>(done) * kStepMicroseconds) /
        kStepMicroseconds;
    const Pixel from = square_origin(a.move[done], turned());
    const Pixel to = square_origin(a.move[done + 1], turned());
    at = std::pair<double, double>(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t);
    return board;
}

bool BoardView::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    if (!have_sprites_) {
        return false;
    }
    const std::int64_t began = now_us();
    cr->translate(left_edge(), 0);
    cr->scale(zoom_, zoom_);
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

    std::optional<std::pair<double, double>> moving_at;
    char moving = kEmpty;
    const Board board = animation_ ? animation_frame(began, moving_at, moving)
                        : past_    ? past_->position.squares
                                   : game_.position().squares;
    for (int square = 0; square < 64; ++square) {
        const Pixel at = square_origin(square, turned());
        paint_sprite(cr, square_sprite(square), at.x, at.y);
        paint_piece(cr, board[static_cast<std::size_t>(square)], at.x, at.y);
    }
    if (moving_at) {
        paint_piece(cr, moving, moving_at->first, moving_at->second);
    } else if (past_) {
        for (int square : past_->move.squares()) {
            paint_marker(cr, square, std::nullopt);
        }
    } else {
        if (show_legal_) {
            paint_legal_marks(cr);
        }
        for_each_marked_square(game_.pending_path(), game_.last_move(),
                               [&](int square) { paint_marker(cr, square, std::nullopt); });
        for (int square : game_.hint().squares()) {
            paint_marker(cr, square, kHintColour);
        }
    }
    if (focus_shown()) {
        // A thin frame on the cell's outermost pixels, which no piece covers.
        const Pixel at = square_origin(focus_square(), turned());
        cr->set_source_rgb(kFocusColour.red, kFocusColour.green, kFocusColour.blue);
        cr->set_line_width(1.0);
        cr->rectangle(at.x + 0.5, at.y + 0.5, kSquareSize - 1, kSquareSize - 1);
        cr->stroke();
    }
    if (on_painted) {
        on_painted(now_us() - began);
    }
    return false;
}

void BoardView::animate(const Position& before, const Move& move, std::function<void()> done) {
    stop_animation();
    animation_ = Animation{before, move, now_us(), std::move(done), 0};
    animation_->tick = add_tick_callback(
        [this](const Glib::RefPtr<Gdk::FrameClock>& clock) { return on_tick(clock); });
    queue_draw();
}

void BoardView::stop_animation() {
    if (animation_) {
        remove_tick_callback(animation_->tick);
        animation_.reset();
        queue_draw();
    }
}

void BoardView::finish_animation() {
    if (!animation_) {
        return;
    }
    remove_tick_callback(animation_->tick);
    std::function<void()> done = std::move(animation_->done);
    animation_.reset();
    queue_draw();
    if (done) {
        done();
    }
}

bool BoardView::on_tick(const Glib::RefPtr<Gdk::FrameClock>&) {
    queue_draw();
    const std::int64_t length =
        static_cast<std::int64_t>(animation_->move.steps()) * kStepMicroseconds;
    if (now_us() - animation_->start_us < length) {
        return true;
    }
    // Arrived: the game takes the move over from here, markers and all.
    std::function<void()> done = std::move(animation_->done);
    animation_.reset();
    if (done) {
        done();
    }
    return false;
}

bool BoardView::on_button_press_event(GdkEventButton* event) {
    grab_focus();
    // A double or triple click also sends a summary event after its presses; only presses count.
    if (event->type != GDK_BUTTON_PRESS || !on_square_pressed || past_ || animation_) {
        return true;
    }
    if (const std::optional<int> square =
            square_at((event->x - left_edge()) / zoom_, event->y / zoom_, turned())) {
        on_square_pressed(*square);
    }
    return true;
}

bool BoardView::on_key_press_event(GdkEventKey* event) {
    // Keys that come with Control or Alt belong to the menus.
    if ((event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0) {
        return Gtk::DrawingArea::on_key_press_event(event);
    }
    const auto call = [](const std::function<void()>& f) {
        if (f) {
            f();
        }
    };
    switch (event->keyval) {
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up:
            move_focus(0, -1);
            return true;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down:
            move_focus(0, 1);
            return true;
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left:
            move_focus(-1, 0);
            return true;
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right:
            move_focus(1, 0);
            return true;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter: {
            // A whole legal move pending is played; otherwise Return is a click, as Space is.
            const Move& pending = game_.pending_path();
            if (!pending.empty() && game_.is_whole_legal_move(pending)) {
                call(on_play_key);
            } else {
                activate_square(focus_square());
            }
            return true;
        }
        case GDK_KEY_space:
        case GDK_KEY_KP_Space:
            activate_square(focus_square());
            return true;
        case GDK_KEY_BackSpace:
            call(on_cancel_key);
            return true;
        case GDK_KEY_Escape:
            call(on_escape_key);
            return true;
        default:
            return Gtk::DrawingArea::on_key_press_event(event);
    }
}

}  // namespace zarvo
