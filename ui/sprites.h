// The seven 24 x 24 sprites of the board, built into the program as XPM text and decoded once at
// start-up into images ready to paint.
#pragma once

#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>

#include <array>

#include "ui/board_picture.h"

namespace zarvo {

// The XPM text of a sprite: header, colour lines (' ' is transparent), then 24 rows of pixels.
const char* const* sprite_xpm(Sprite sprite);

// Decodes one sprite; the transparent pixels get alpha 0, all others alpha 255.
Glib::RefPtr<Gdk::Pixbuf> decode_sprite(Sprite sprite);

// The seven sprites as image surfaces, indexed by Sprite, so that painting only copies pixels.
using SpriteSurfaces = std::array<Cairo::RefPtr<Cairo::ImageSurface>, kSpriteCount>;
SpriteSurfaces create_sprites();

}  // namespace zarvo
