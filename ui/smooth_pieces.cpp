#include "ui/smooth_pieces.h"

#include <array>
#include <cmath>
#include <numbers>

#include "rules/board.h"

namespace zarvo {

namespace {

constexpr Rgb kRim{0x88 / 255.0, 0x88 / 255.0, 0x88 / 255.0};
constexpr Rgb kRedFill{1.0, 0x77 / 255.0, 0x77 / 255.0};
constexpr Rgb kBlueFill{0x77 / 255.0, 0x77 / 255.0, 1.0};
constexpr Rgb kRedCrown{1.0, 0.0, 0.0};
constexpr Rgb kBlueCrown{0.0, 0.0, 1.0};

void set(const Cairo::RefPtr<Cairo::Context>& cr, Rgb c) {
    cr->set_source_rgb(c.red, c.green, c.blue);
}

}  // namespace

void paint_smooth_piece(const Cairo::RefPtr<Cairo::Context>& cr, char piece, double x, double y) {
    const bool red = to_upper(piece) == kRedKing;
    const double cx = x + 12;
    const double cy = y + 12;
    cr->save();
    cr->set_antialias(Cairo::ANTIALIAS_DEFAULT);
    // The disc with its grey rim, as the sprites have it: 22 squares across.
    cr->arc(cx, cy, 10.5, 0, 2 * std::numbers::pi);
    set(cr, red ? kRedFill : kBlueFill);
    cr->fill_preserve();
    set(cr, kRim);
    cr->set_line_width(1.2);
    cr->stroke();
    if (piece == kRedKing || piece == kBlueKing) {
        cr->arc(cx, cy, 4.2, 0, 2 * std::numbers::pi);
        set(cr, red ? kRedCrown : kBlueCrown);
        cr->fill();
    }
    cr->restore();
}

void paint_smooth_brackets(const Cairo::RefPtr<Cairo::Context>& cr, double x, double y,
                           Rgb colour) {
    cr->save();
    cr->set_antialias(Cairo::ANTIALIAS_DEFAULT);
    set(cr, colour);
    cr->set_line_width(1.5);
    cr->set_line_cap(Cairo::LINE_CAP_ROUND);
    constexpr double kInset = 1.0;
    constexpr double kArm = 5.0;
    const double left = x + kInset;
    const double top = y + kInset;
    const double right = x + 24 - kInset;
    const double bottom = y + 24 - kInset;
    for (const auto& [cx, cy, dx, dy] :
         {std::array{left, top, 1.0, 1.0}, std::array{right, top, -1.0, 1.0},
          std::array{left, bottom, 1.0, -1.0}, std::array{right, bottom, -1.0, -1.0}}) {
        cr->move_to(cx + dx * kArm, cy);
        cr->line_to(cx, cy);
        cr->line_to(cx, cy + dy * kArm);
    }
    cr->stroke();
    cr->restore();
}

}  // namespace zarvo
