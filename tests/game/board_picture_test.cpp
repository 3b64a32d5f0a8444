// What the board shows: square positions both ways up, the double frame, the colour of the
// squares, the sprites of the pieces, the marked squares and the score line.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/board_picture.h"
#include "game/geometry.h"
#include "tests/game/game_fixture.h"

namespace zarvo {
namespace {

using testing::pos;
using testing::sq;

TEST(SquareOrigin, CornersBothWaysUp) {
    EXPECT_EQ(square_origin(sq("a8"), 2), (Pixel{30, 30}));
    EXPECT_EQ(square_origin(sq("h8"), 2), (Pixel{198, 30}));
    EXPECT_EQ(square_origin(sq("a1"), 2), (Pixel{30, 198}));
    EXPECT_EQ(square_origin(sq("e4"), 2), (Pixel{126, 126}));
    EXPECT_EQ(square_origin(sq("a1"), 1), (Pixel{30, 30}));
    EXPECT_EQ(square_origin(sq("a8"), 1), (Pixel{30, 198}));
    EXPECT_EQ(square_origin(sq("h1"), 1), (Pixel{198, 30}));
    EXPECT_EQ(square_origin(sq("e4"), 1), (Pixel{126, 102}));
}

TEST(SquareOrigin, SquaresTileTheBoardAndClicksFindThemAgain) {
    for (char first : {1, 2}) {
        std::set<std::pair<int, int>> origins;
        for (int s = 0; s < 64; ++s) {
            const Pixel p = square_origin(s, first);
            EXPECT_EQ((p.x - 30) % 24, 0);
            EXPECT_EQ((p.y - 30) % 24, 0);
            EXPECT_TRUE(p.x >= 30 && p.x + 24 <= 222 && p.y >= 30 && p.y + 24 <= 222);
            origins.insert({p.x, p.y});
            for (double d : {0.0, 0.5, 12.0, 23.0, 23.99}) {
                EXPECT_EQ(square_at(p.x + d, p.y + d, first), s);
            }
            // Files never swap: file a is at the left both ways up.
            EXPECT_EQ(p.x, 30 + 24 * column_of(s));
        }
        EXPECT_EQ(origins.size(), 64u);
    }
}

TEST(Frame, TwoSquaresWithAOnePixelGap) {
    // Every line is horizontal or vertical and the eight form two closed squares.
    std::set<std::pair<int, int>> pixels;
    for (const FrameLine& line : kFrameLines) {
        ASSERT_TRUE(line.from.x == line.to.x || line.from.y == line.to.y);
        for (int x = std::min(line.from.x, line.to.x); x <= std::max(line.from.x, line.to.x); ++x) {
            for (int y = std::min(line.from.y, line.to.y); y <= std::max(line.from.y, line.to.y);
                 ++y) {
                pixels.insert({x, y});
            }
        }
    }
    const auto ring = [](int lo, int hi) { return 4 * (hi - lo); };
    EXPECT_EQ(pixels.size(), static_cast<std::size_t>(ring(27, 224) + ring(29, 222)));
    for (int i = 27; i <= 224; ++i) {
        EXPECT_TRUE(pixels.contains({i, 27}) && pixels.contains({i, 224}));
        EXPECT_TRUE(pixels.contains({27, i}) && pixels.contains({224, i}));
    }
    // The gap between the two squares is left unpainted.
    for (int i = 28; i <= 223; ++i) {
        EXPECT_FALSE(pixels.contains({i, 28}) || pixels.contains({28, i}));
        EXPECT_FALSE(pixels.contains({i, 223}) || pixels.contains({223, i}));
    }
    // The inner square touches the squares, which start at 30 and end at 221.
    EXPECT_TRUE(pixels.contains({29, 30}) && pixels.contains({222, 221}));
    EXPECT_FALSE(pixels.contains({30, 30}) || pixels.contains({221, 221}));
}

TEST(Sprites, SquareColourFollowsTheCellNotTheScreen) {
    EXPECT_EQ(square_sprite(sq("a8")), kDarkSquare);
    EXPECT_EQ(square_sprite(sq("a1")), kLightSquare);
    EXPECT_EQ(square_sprite(sq("h1")), kDarkSquare);
    EXPECT_EQ(square_sprite(sq("b8")), kLightSquare);
    int dark = 0;
    for (int s = 0; s < 64; ++s) {
        dark += square_sprite(s) == kDarkSquare ? 1 : 0;
        // Neighbours along a rank or a file always differ.
        if (column_of(s) < 7) {
            EXPECT_NE(square_sprite(s), square_sprite(s + 1));
        }
        if (row_of(s) < 7) {
            EXPECT_NE(square_sprite(s), square_sprite(s + 8));
        }
    }
    EXPECT_EQ(dark, 32);
}

TEST(Sprites, PieceCodesAndAnyOtherByte) {
    EXPECT_EQ(piece_sprite('x'), kBlueManSprite);
    EXPECT_EQ(piece_sprite('o'), kRedManSprite);
    EXPECT_EQ(piece_sprite('X'), kBlueKingSprite);
    EXPECT_EQ(piece_sprite('O'), kRedKingSprite);
    for (int byte = 0; byte < 256; ++byte) {
        const char code = static_cast<char>(byte);
        const auto sprite = piece_sprite(code);
        if (code == 'x' || code == 'o' || code == 'X' || code == 'O') {
            ASSERT_TRUE(sprite && *sprite >= 2 && *sprite <= 5);
        } else {
            ASSERT_FALSE(sprite) << byte;
        }
    }
}

TEST(ScoreLine, BothWordingsRedCountFirst) {
    EXPECT_EQ(score_text(empty_board(), 2), "You (red): 0 CPU (blue) : 0");
    EXPECT_EQ(score_text(empty_board(), 1), " CPU (red): 0 You (blue): 0");
    EXPECT_EQ(score_text(starting_board(), 2), "You (red): 16 CPU (blue) : 16");
    const Board b = pos("O......./......../...x..../......../......../.....X../o.o...../...o....");
    EXPECT_EQ(score_text(b, 2), "You (red): 4 CPU (blue) : 2");
    EXPECT_EQ(score_text(b, 1), " CPU (red): 4 You (blue): 2");
}

TEST(ScoreLine, CountsTotalTheOccupiedCellsAndIgnoreForeignBytes) {
    Board b = starting_board();
    b[0] = 'O';
    b[1] = '?';
    b[2] = '\0';
    b[3] = static_cast<char>(0xff);
    const PieceCounts counts = count_pieces(b);
    EXPECT_EQ(counts.red, 17);
    EXPECT_EQ(counts.blue, 16);
}

TEST(Markers, PendingPathThenLastMoveSharedSquaresTwice) {
    std::vector<int> marked;
    for_each_marked_square(MoveString::from("c3c5c7"), MoveString::from("d6d5"),
                           [&](int s) { marked.push_back(s); });
    EXPECT_EQ(marked, (std::vector<int>{sq("c3"), sq("c5"), sq("c7"), sq("d6"), sq("d5")}));
    marked.clear();
    for_each_marked_square(MoveString::from("c3c4"), MoveString::from("c3c4"),
                           [&](int s) { marked.push_back(s); });
    EXPECT_EQ(marked, (std::vector<int>{sq("c3"), sq("c4"), sq("c3"), sq("c4")}));
    marked.clear();
    for_each_marked_square(MoveString(), MoveString(), [&](int s) { marked.push_back(s); });
    EXPECT_TRUE(marked.empty());
}

}  // namespace
}  // namespace zarvo
