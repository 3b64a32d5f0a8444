// The seven sprites of the board: XPM text and its decoding.
#include "ui/sprites.h"

#include <gdkmm/general.h>

namespace zarvo {
namespace {

// clang-format off
const char* const black_sq[] = {
    "24 24 2 1",
    "  c None",
    "X c #111111",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
};

const char* const white_sq[] = {
    "24 24 2 1",
    "  c None",
    "X c #EEEEEE",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXXXXXXXXX",
};

const char* const blue_ball[] = {
    "24 24 3 1",
    "  c None",
    "X c #7777FF",
    "x c #888888",
    "                        ",
    "         xxxxxx         ",
    "      xxxXXXXXXxxx      ",
    "    xxXXXXXXXXXXXXxx    ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xXXXXXXXXXXXXXXXxx   ",
    "    xxXXXXXXXXXXXxx     ",
    "      xxxXXXXXXxx       ",
    "         xxxxxx         ",
    "                        ",
};

const char* const red_ball[] = {
    "24 24 3 1",
    "  c None",
    "X c #FF7777",
    "x c #888888",
    "                        ",
    "         xxxxxx         ",
    "      xxxXXXXXXxxx      ",
    "    xxXXXXXXXXXXXXxx    ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    " xXXXXXXXXXXXXXXXXXXXXx ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xXXXXXXXXXXXXXXXxx   ",
    "    xxXXXXXXXXXXXxx     ",
    "      xxxXXXXXXxx       ",
    "         xxxxxx         ",
    "                        ",
};

const char* const big_blue_ball[] = {
    "24 24 4 1",
    "  c None",
    "X c #7777FF",
    "x c #888888",
    "y c #0000FF",
    "                        ",
    "         xxxxxx         ",
    "      xxxXXXXXXxxx      ",
    "    xxXXXXXXXXXXXXxx    ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXyyyyXXXXXXXx  ",
    " xXXXXXXXyyyyyyXXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXXyyyyyyXXXXXXXx ",
    "  xXXXXXXXyyyyXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xxXXXXXXXXXXXXXXxx   ",
    "    xxXXXXXXXXXXXxx     ",
    "      xxxXXXXXXxx       ",
    "         xxxxxx         ",
    "                        ",
};

const char* const big_red_ball[] = {
    "24 24 4 1",
    "  c None",
    "X c #FF7777",
    "x c #888888",
    "y c #FF0000",
    "                        ",
    "         xxxxxx         ",
    "      xxxXXXXXXxxx      ",
    "    xxXXXXXXXXXXXXxx    ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXyyyyXXXXXXXx  ",
    " xXXXXXXXyyyyyyXXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXyyyyyyyyXXXXXXx ",
    " xXXXXXXXyyyyyyXXXXXXXx ",
    "  xXXXXXXXyyyyXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "  xXXXXXXXXXXXXXXXXXXx  ",
    "   xXXXXXXXXXXXXXXXXx   ",
    "   xxXXXXXXXXXXXXXXxx   ",
    "    xxXXXXXXXXXXXxx     ",
    "      xxxXXXXXXxx       ",
    "         xxxxxx         ",
    "                        ",
};

const char* const point_here[] = {
    "24 24 2 1",
    "  c None",
    "X c #888888",
    " XXXXX            XXXXX ",
    "XXXX                XXXX",
    "XXX                  XXX",
    "XX                    XX",
    "X                      X",
    "X                      X",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "                        ",
    "X                      X",
    "X                      X",
    "XX                    XX",
    "XXX                  XXX",
    "XXXX                XXXX",
    " XXXXX            XXXXX ",
};

// clang-format on

// The images in sprite order.
constexpr std::array<const char* const*, kSpriteCount> kXpm{
    black_sq, white_sq, blue_ball, red_ball, big_blue_ball, big_red_ball, point_here};

}  // namespace

const char* const* sprite_xpm(Sprite sprite) {
    return kXpm.at(sprite);
}

Glib::RefPtr<Gdk::Pixbuf> decode_sprite(Sprite sprite) {
    return Gdk::Pixbuf::create_from_xpm_data(sprite_xpm(sprite));
}

SpriteSurfaces create_sprites() {
    SpriteSurfaces surfaces;
    for (int i = 0; i < kSpriteCount; ++i) {
        const Glib::RefPtr<Gdk::Pixbuf> pixbuf = decode_sprite(static_cast<Sprite>(i));
        auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, pixbuf->get_width(),
                                                   pixbuf->get_height());
        auto cr = Cairo::Context::create(surface);
        Gdk::Cairo::set_source_pixbuf(cr, pixbuf, 0, 0);
        cr->set_operator(Cairo::OPERATOR_SOURCE);
        cr->paint();
        surfaces[i] = surface;
    }
    return surfaces;
}

}  // namespace zarvo
