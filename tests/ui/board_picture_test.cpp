// What the board shows and where: square positions both ways up and the squares under every
// pixel, the colour of the squares, the sprites of the pieces, the marked squares and the score
// line. No display needed.
#include <gtest/gtest.h>

#include <vector>

#include "rules/notation.h"
#include "ui/board_geometry.h"
#include "ui/board_picture.h"

namespace zarvo {
namespace {

constexpr bool kUpright = false;
constexpr bool kTurned = true;

int sq(std::string_view name) {
    return *parse_square(name[0], name[1]);
}

TEST(BoardGeometry, CornersBothWaysUp) {
    EXPECT_EQ(square_origin(sq("a8"), kUpright), (Pixel{30, 30}));
    EXPECT_EQ(square_origin(sq("h8"), kUpright), (Pixel{198, 30}));
    EXPECT_EQ(square_origin(sq("a1"), kUpright), (Pixel{30, 198}));
    EXPECT_EQ(square_origin(sq("e4"), kUpright), (Pixel{126, 126}));
    EXPECT_EQ(square_origin(sq("a1"), kTurned), (Pixel{30, 30}));
    EXPECT_EQ(square_origin(sq("a8"), kTurned), (Pixel{30, 198}));
    EXPECT_EQ(square_origin(sq("h1"), kTurned), (Pixel{198, 30}));
    EXPECT_EQ(square_origin(sq("e4"), kTurned), (Pixel{126, 102}));
}

TEST(BoardGeometry, EveryPixelOfASquareFindsItAndTheMarginFindsNothing) {
    for (bool first : {kUpright, kTurned}) {
        for (int y = 0; y < kAreaSize; ++y) {
            for (int x = 0; x < kAreaSize; ++x) {
                const std::optional<int> got = square_at(x + 0.5, y + 0.5, first);
                const bool inside = x >= 30 && x <= 221 && y >= 30 && y <= 221;
                ASSERT_EQ(got.has_value(), inside) << x << "," << y;
                if (got) {
                    const Pixel origin = square_origin(*got, first);
                    ASSERT_TRUE(x >= origin.x && x < origin.x + 24 && y >= origin.y &&
                                y < origin.y + 24)
                        << x << "," << y;
                }
            }
        }
    }
    EXPECT_EQ(square_at(29.99, 100, kUpright), std::nullopt);
    EXPECT_EQ(square_at(221.9, 100, kUpright), sq("h6"));
    EXPECT_EQ(square_at(-1, -1, kUpright), std::nullopt);
    EXPECT_EQ(square_at(1000, 40, kUpright), std::nullopt);
}

TEST(BoardPicture, SquareColourFollowsTheCellNotTheScreen) {
    EXPECT_EQ(square_sprite(sq("a8")), kDarkSquare);
    EXPECT_EQ(square_sprite(sq("a1")), kLightSquare);
    EXPECT_EQ(square_sprite(sq("h1")), kDarkSquare);
    EXPECT_EQ(square_sprite(sq("b8")), kLightSquare);
}

TEST(BoardPicture, PieceCodesAndAnyOtherByte) {
    EXPECT_EQ(piece_sprite('x'), kBlueManSprite);
    EXPECT_EQ(piece_sprite('o'), kRedManSprite);
    EXPECT_EQ(piece_sprite('X'), kBlueKingSprite);
    EXPECT_EQ(piece_sprite('O'), kRedKingSprite);
    for (int byte = 0; byte < 256; ++byte) {
        const char code = static_cast<char>(byte);
        if (code != 'x' && code != 'o' && code != 'X' && code != 'O') {
            ASSERT_FALSE(piece_sprite(code)) << byte;
        }
    }
}

TEST(BoardPicture, ScoreLineInBothWordingsRedCountFirst) {
    EXPECT_EQ(score_text(empty_board(), FirstPlayer::Human), "You (red): 0 CPU (blue) : 0");
    EXPECT_EQ(score_text(empty_board(), FirstPlayer::Computer), " CPU (red): 0 You (blue): 0");
    EXPECT_EQ(score_text(starting_board(), FirstPlayer::Human), "You (red): 16 CPU (blue) : 16");
    Board b = *parse_pos("O......./......../...x..../......../......../.....X../o.o...../...o....");
    EXPECT_EQ(score_text(b, FirstPlayer::Human), "You (red): 4 CPU (blue) : 2");
    EXPECT_EQ(score_text(b, FirstPlayer::Computer), " CPU (red): 4 You (blue): 2");
    // Bytes that are no piece count for nobody.
    b[1] = '?';
    b[2] = '\0';
    EXPECT_EQ(score_text(b, FirstPlayer::Human), "You (red): 4 CPU (blue) : 2");
}

TEST(BoardPicture, PendingPathThenLastMoveSharedSquaresTwice) {
    std::vector<int> marked;
    const auto mark = [&](int s) { marked.push_back(s); };
    for_each_marked_square(*parse_move("c3c5c7"), *parse_move("d6d5"), mark);
    EXPECT_EQ(marked, (std::vector<int>{sq("c3"), sq("c5"), sq("c7"), sq("d6"), sq("d5")}));
    marked.clear();
    for_each_marked_square(*parse_move("c3c4"), *parse_move("c3c4"), mark);
    EXPECT_EQ(marked, (std::vector<int>{sq("c3"), sq("c4"), sq("c3"), sq("c4")}));
    marked.clear();
    for_each_marked_square(Move{}, Move{}, mark);
    EXPECT_TRUE(marked.empty());
}

}  // namespace
}  // namespace zarvo
