// The seven sprites decode pixel for pixel to the images of the board: solid squares, the two
// men with their grey rim, the kings with their strong inner disc, and the marker's corners.
#include <gtest/gtest.h>

#include <gtkmm/main.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "ui/sprites.h"

namespace zarvo {
namespace {

// The C++ wrappers of GDK objects need their types registered; no display is opened.
class WrappersEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { Gtk::Main::init_gtkmm_internals(); }
};
const auto* const wrappers = ::testing::AddGlobalTestEnvironment(new WrappersEnvironment);

using Ranges = std::vector<std::pair<int, int>>;

// One row of a round piece: where the grey rim, the light fill and the strong inner disc lie.
struct PieceRow {
    Ranges rim;
    Ranges fill;
    Ranges inner;
};

// The man, row by row (rows 0 and 23 are empty).
std::array<PieceRow, 24> man_rows() {
    std::array<PieceRow, 24> rows{};
    rows[1] = {{{9, 14}}, {}, {}};
    rows[2] = {{{6, 8}, {15, 17}}, {{9, 14}}, {}};
    rows[3] = {{{4, 5}, {18, 19}}, {{6, 17}}, {}};
    rows[4] = rows[5] = rows[18] = {{{3, 3}, {20, 20}}, {{4, 19}}, {}};
    for (int r : {6, 7, 8, 15, 16, 17}) {
        rows[r] = {{{2, 2}, {21, 21}}, {{3, 20}}, {}};
    }
    for (int r = 9; r <= 14; ++r) {
        rows[r] = {{{1, 1}, {22, 22}}, {{2, 21}}, {}};
    }
    rows[19] = {{{3, 3}, {19, 20}}, {{4, 18}}, {}};
    rows[20] = {{{4, 5}, {17, 18}}, {{6, 16}}, {}};
    rows[21] = {{{6, 8}, {15, 16}}, {{9, 14}}, {}};
    rows[22] = {{{9, 14}}, {}, {}};
    return rows;
}

// The king: the man with an inner disc in rows 8 to 15 and a wider rim on row 19.
std::array<PieceRow, 24> king_rows() {
    std::array<PieceRow, 24> rows = man_rows();
    rows[8] = rows[15] = {{{2, 2}, {21, 21}}, {{3, 9}, {14, 20}}, {{10, 13}}};
    rows[9] = rows[14] = {{{1, 1}, {22, 22}}, {{2, 8}, {15, 21}}, {{9, 14}}};
    for (int r = 10; r <= 13; ++r) {
        rows[r] = {{{1, 1}, {22, 22}}, {{2, 7}, {16, 21}}, {{8, 15}}};
    }
    rows[19] = {{{3, 4}, {19, 20}}, {{5, 18}}, {}};
    return rows;
}

// The marker's grey corner brackets, row by row.
std::array<Ranges, 24> marker_rows() {
    std::array<Ranges, 24> rows{};
    rows[0] = rows[23] = {{1, 5}, {18, 22}};
    rows[1] = rows[22] = {{0, 3}, {20, 23}};
    rows[2] = rows[21] = {{0, 2}, {21, 23}};
    rows[3] = rows[20] = {{0, 1}, {22, 23}};
    rows[4] = rows[5] = rows[18] = rows[19] = {{0, 0}, {23, 23}};
    return rows;
}

bool in(const Ranges& ranges, int column) {
    for (auto [first, last] : ranges) {
        if (column >= first && column <= last) {
            return true;
        }
    }
    return false;
}

// "#rrggbb" of an opaque pixel, or "none" for a transparent one.
std::string pixel(const Glib::RefPtr<Gdk::Pixbuf>& image, int x, int y) {
    const guint8* p =
        image->get_pixels() + y * image->get_rowstride() + x * image->get_n_channels();
    if (image->get_has_alpha() && p[3] == 0) {
        return "none";
    }
    if (image->get_has_alpha() && p[3] != 255) {
        return "partial";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", p[0], p[1], p[2]);
    return text;
}

// The colour a piece sprite must have at (column, row).
std::string piece_colour(const std::array<PieceRow, 24>& rows, int column, int row,
                         const std::string& fill, const std::string& inner) {
    const PieceRow& r = rows[row];
    if (in(r.rim, column)) {
        return "#888888";
    }
    if (in(r.fill, column)) {
        return fill;
    }
    if (in(r.inner, column)) {
        return inner;
    }
    return "none";
}

TEST(Sprites, EveryPixelOfEverySprite) {
    const auto man = man_rows();
    const auto king = king_rows();
    const auto marker = marker_rows();
    for (int s = 0; s < kSpriteCount; ++s) {
        const Glib::RefPtr<Gdk::Pixbuf> image = decode_sprite(static_cast<Sprite>(s));
        ASSERT_EQ(image->get_width(), 24);
        ASSERT_EQ(image->get_height(), 24);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                std::string expected;
                switch (s) {
                    case kDarkSquare:
                        expected = "#111111";
                        break;
                    case kLightSquare:
                        expected = "#EEEEEE";
                        break;
                    case kBlueManSprite:
                        expected = piece_colour(man, x, y, "#7777FF", "");
                        break;
                    case kRedManSprite:
                        expected = piece_colour(man, x, y, "#FF7777", "");
                        break;
                    case kBlueKingSprite:
                        expected = piece_colour(king, x, y, "#7777FF", "#0000FF");
                        break;
                    case kRedKingSprite:
                        expected = piece_colour(king, x, y, "#FF7777", "#FF0000");
                        break;
                    default:
                        expected = in(marker[y], x) ? "#888888" : "none";
                }
                ASSERT_EQ(pixel(image, x, y), expected)
                    << "sprite " << s << " at " << x << "," << y;
            }
        }
    }
}

TEST(Sprites, XpmTextHasTheDeclaredShape) {
    const std::array<std::pair<const char*, int>, kSpriteCount> headers{{{"24 24 2 1", 2},
                                                                         {"24 24 2 1", 2},
                                                                         {"24 24 3 1", 3},
                                                                         {"24 24 3 1", 3},
                                                                         {"24 24 4 1", 4},
                                                                         {"24 24 4 1", 4},
                                                                         {"24 24 2 1", 2}}};
    for (int s = 0; s < kSpriteCount; ++s) {
        const char* const* xpm = sprite_xpm(static_cast<Sprite>(s));
        EXPECT_STREQ(xpm[0], headers[s].first);
        // The space is declared transparent in every image.
        EXPECT_STREQ(xpm[1], "  c None");
        const int colours = headers[s].second;
        for (int row = 0; row < 24; ++row) {
            EXPECT_EQ(std::string(xpm[1 + colours + row]).size(), 24u) << s << " row " << row;
        }
    }
}

TEST(Sprites, SurfacesHoldTheDecodedPixels) {
    const SpriteSurfaces surfaces = create_sprites();
    for (int s = 0; s < kSpriteCount; ++s) {
        const auto& surface = surfaces[s];
        ASSERT_TRUE(surface);
        ASSERT_EQ(surface->get_width(), 24);
        ASSERT_EQ(surface->get_height(), 24);
        surface->flush();
        const Glib::RefPtr<Gdk::Pixbuf> image = decode_sprite(static_cast<Sprite>(s));
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                // Cairo keeps premultiplied native-endian ARGB; alpha is 0 or 255 here, so an
                // opaque pixel holds its colour as is and a transparent one holds zero.
                const auto* p = reinterpret_cast<const std::uint32_t*>(surface->get_data() +
                                                                       y * surface->get_stride()) +
                                x;
                const std::string want = pixel(image, x, y);
                char got[12];
                if ((*p >> 24) == 0) {
                    std::snprintf(got, sizeof got, "%s", *p == 0 ? "none" : "dirty");
                } else {
                    std::snprintf(got, sizeof got, "#%06X", *p & 0xFFFFFF);
                }
                ASSERT_EQ(std::string(got), want) << s << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace zarvo
