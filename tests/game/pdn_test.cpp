// Game records in PDN: a hand-written Turkish file read move by move, the exact text the writer
// gives, every refusal, round trips of random games with passes and set-ups, and the files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "game/pdn.h"
#include "rules/fen.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace zarvo::testing;

// The turns of a record as move strings, "pass" for a pass.
std::vector<std::string> moves_of(const GameRecord& record) {
    std::vector<std::string> out;
    for (const PlayedTurn& turn : record.turns) {
        out.push_back(turn.move ? format_move(*turn.move) : "pass");
    }
    return out;
}

std::vector<PdnGame> read_ok(std::string_view text) {
    auto read = read_pdn(text);
    if (const auto* error = std::get_if<PdnError>(&read)) {
        ADD_FAILURE() << error->status_text();
        return {};
    }
    return std::get<std::vector<PdnGame>>(std::move(read));
}

// A Turkish club game with comments of both kinds, a nested variation, annotations, a move number
// glued to its move and a capture shortened to its ends; then a game set up from a FEN with blue
// to move. The file is Latin-1, not UTF-8.
constexpr std::string_view kClubFile =
    "[Event \"Club night\"]\n[White \"Ay\\\"\xFE"
    "e\"]\n[Black \"Mehmet\"]\n"
    "[GameType \"30\"]\n[Result \"*\"]\n\n"
    "1. c3-c4 {a quiet start} f6-f5 2. c4-d4 (2. b3-b4 (2. a3-a4) b6-b5) f5-e5?! ; why not\n"
    "3. d4-d5 $1 d6xd4 4.d3xf5! *\n\n"
    "[Event \"Second\"]\n[GameType \"30,W,8,8,A0,0\"]\n[SetUp \"1\"]\n"
    "[FEN \"B:Wa2,Kd4:Bd6,h7\"]\n1... d6-d5 2. d4xd6 0-1\n";

TEST(PdnReader, HandWrittenTurkishFileOfTwoGames) {
    const std::vector<PdnGame> games = read_ok(kClubFile);
    ASSERT_EQ(games.size(), 2u);
    const GameRecord& club = games[0].record;
    EXPECT_EQ(games[0].tag("White"),
              "Ay\"\xC3\xBE"
              "e");
    EXPECT_EQ(games[0].tags.size(), 5u);
    EXPECT_EQ(club.start, starting_position(kTurkish));
    EXPECT_EQ(moves_of(club),
              (std::vector<std::string>{"c3c4", "f6f5", "c4d4", "f5e5", "d4d5", "d6d4", "d3d5f5"}));
    EXPECT_EQ(club.result, GameResult::Unfinished);
    EXPECT_EQ(club.side_to_move(), kBlue);
    EXPECT_EQ(format_pos(club.end().squares),
              "......../xxxxxxxx/xxx.x.xx/.....o../......../oo..oooo/oooooooo/........");

    const GameRecord& set_up = games[1].record;
    EXPECT_EQ(
        set_up.start,
        (Position{board_with({{"a2", 'o'}, {"d4", 'O'}, {"d6", 'x'}, {"h7", 'x'}}), kTurkish}));
    EXPECT_EQ(set_up.first_side, kBlue);
    EXPECT_EQ(moves_of(set_up), (std::vector<std::string>{"d6d5", "d4d6"}));
    EXPECT_EQ(set_up.turns[1].before[sq("d5")], kBlueMan);
    EXPECT_EQ(set_up.result, GameResult::BlueWins);
}

// Red's man on a2 is walled in: red passes, and the passes are neither written nor numbered.
constexpr std::string_view kWalledIn =
    "[GameType \"50\"]\n[FEN \"W:Wa2:Ba4,a3,b2,c2\"]\n1... c2-c1 2. a2xc2 2-0";

TEST(PdnReader, PutsInThePassesTheRulesForce) {
    const std::vector<PdnGame> games = read_ok(kWalledIn);
    ASSERT_EQ(games.size(), 1u);
    const GameRecord& r = games[0].record;
    EXPECT_EQ(r.start.variant, kGreek);
    EXPECT_EQ(moves_of(r), (std::vector<std::string>{"pass", "c2c1", "a2c2"}));
    EXPECT_EQ(r.turns[0].side, kRed);
    EXPECT_EQ(r.result, GameResult::RedWins);

    // The writer names the players, gives the Greek type and the set-up, and leaves the pass out.
    using namespace std::chrono;
    const PdnRoster roster{"Zarvo", pdn_date(2024y / March / 9), "You", "Zarvo (Hard)"};
    EXPECT_EQ(write_pdn(roster, r),
              "[Event \"Zarvo game\"]\n[Site \"Zarvo\"]\n[Date \"2024.03.09\"]\n[Round \"-\"]\n"
              "[White \"You\"]\n[Black \"Zarvo (Hard)\"]\n[Result \"1-0\"]\n"
              "[GameType \"50,W,8,8,A0,0\"]\n[Variant \"Greek\"]\n[SetUp \"1\"]\n"
              "[FEN \"W:Wa2:Bb2,c2,a3,a4\"]\n\n1... c2-c1 2. a2xc2 1-0\n");
}

// A Greek position where two captures lead from c3 to e5.
constexpr std::string_view kTwoWaysToE5 = "[GameType \"50\"][FEN \"W:Wc3:Bd3,c4,e4,d5\"] 1. c3xe5";

TEST(PdnReader, RefusesEachFaultWithOneLine) {
    const std::string turkish = "[GameType \"30\"]\n";
    const std::string big_comment =
        turkish + "{" + std::string(kMaxPdnBytes - turkish.size() - 4, 'c') + "} *";
    ASSERT_EQ(big_comment.size(), kMaxPdnBytes);
    EXPECT_EQ(read_ok(big_comment).size(), 1u);

    const std::pair<std::string, std::string> cases[] = {
        {turkish + "1. c3-c4 f6-f5 2. c4-d4 f5-e5 3. d4-d5 d6xd4 4. d3xd5 *",
         "Move 4: d3xd5 is not a legal move"},
        {turkish + "1. c3-c5", "Move 1: c3-c5 is not a legal move"},
        {turkish + "1. c3xc4", "Move 1: c3xc4 is not a legal move"},
        {std::string(kTwoWaysToE5), "Move 1: c3xe5 is ambiguous: c3xc5xe5 or c3xe3xe5"},
        {big_comment + " ", "The file is larger than 1 MiB"},
        {turkish + "1. c3-c4 \x01 *", "The file holds binary data, not PDN text"},
        {"[GameType \"20\"] *", "Unknown game type \"20\""},
        {"[GameType \"30,W,10,10,N2,0\"] *", "Unknown game type \"30,W,10,10,N2,0\""},
        {"1. c3-c4 *", "No GameType tag: Zarvo reads GameType 30 (Turkish) and 50 (Greek)"},
        {turkish + "[SetUp \"1\"][FEN \"W:Wa8:Bb7\"] *",
         "Bad FEN \"W:Wa8:Bb7\": a red man on a8, its crowning row"},
        {turkish + "[SetUp \"1\"] *", "SetUp \"1\" without a FEN tag"},
        {turkish + "[Event Club] *", "A tag must be written [Name \"value\"]"},
        {turkish + "1. c3-c4 {no end", "Move 1: a comment opened with '{' is not closed"},
        {turkish + "1. c3-c4 (1. d3-d4", "Move 1: a variation opened with '(' is not closed"},
        {turkish + "1. c3c4 *", "Move 1: 'c3c4' is not a move"},
        {turkish + "12 c3-c4 *", "Move 1: '12' is not a move"},
        {"{nothing here}\n", "The file holds no game"},
        {"{nothing here\n", "A comment opened with '{' is not closed"},
    };
    for (const auto& [text, message] : cases) {
        const auto read = read_pdn(text);
        ASSERT_TRUE(std::holds_alternative<PdnError>(read)) << message;
        EXPECT_EQ(std::get<PdnError>(read).message.text(), message);
    }

    // A fault in a later game names that game; the games before it were read.
    const PdnReading reading = read_pdn_games(std::string(kClubFile) + "\n" + turkish + "1. c3-d4");
    EXPECT_EQ(reading.games.size(), 2u);
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->status_text(), "Game 3: Move 1: c3-d4 is not a legal move");
}

// Random play the way a game runs, from `start` with `side` to move: a side with no legal move
// passes while the other has one, and the game ends when neither has or a side has no pieces.
GameRecord random_record(std::mt19937& rng, Position start, Side side, int plies) {
    GameRecord r{start, side, {}, static_cast<GameResult>(rng() % 4)};
    MoveList list;
    Position p = start;
    for (int ply = 0; ply <= plies && !winner_by_pieces(p.squares); ++ply) {
        const int n = generate_moves(p, side, list, Landings::Every);
        if (n == 0 && count_legal_moves(p, opponent(side), Landings::Every) == 0) {
            break;
        }
        // A pass is played even after the last ply, as the game would.
        if (n == 0 || ply < plies) {
            std::optional<Move> move;
            if (n > 0) {
                move = list[rng() % static_cast<unsigned>(n)];
            }
            r.turns.push_back({side, p, move});
            if (move) {
                play_move(p, *move);
            }
            side = opponent(side);
        }
    }
    return r;
}

// Red's man walled in on a2, as in kWalledIn, and a few blue pieces scattered at random (men off
// their crowning row), so that red must pass now and then.
Board scattered_board(std::mt19937& rng) {
    Board b = board_with({{"a2", 'o'}, {"a3", 'x'}, {"a4", 'x'}, {"b2", 'x'}, {"c2", 'x'}});
    for (int n = static_cast<int>(rng() % 6); n > 0; --n) {
        const int square = static_cast<int>(rng() % 64);
        if (b[square] == kEmpty) {
            b[square] = rng() % 4 == 0 || row_of(square) == 7 ? kBlueKing : kBlueMan;
        }
    }
    return b;
}

TEST(PdnRoundTrip, RandomGamesFromTheStartAndFromSetUpsReadBackTheSame) {
    std::mt19937 rng(5);
    int passes = 0;
    int set_ups = 0;
    for (int n = 0; n < 400; ++n) {
        const Variant variant = n % 2 == 0 ? kGreek : kTurkish;
        const bool scattered = n % 4 >= 2;
        const Position start{scattered ? scattered_board(rng) : starting_board(), variant};
        const GameRecord record = random_record(rng, start, scattered && rng() % 2 ? kBlue : kRed,
                                                static_cast<int>(rng() % 120));
        const std::string text = write_pdn({}, record);
        const std::vector<PdnGame> games = read_ok(text);
        ASSERT_EQ(games.size(), 1u) << text;
        ASSERT_EQ(games[0].record, record) << text;
        for (std::size_t at = 0, end = 0; at < text.size(); at = end + 1) {
            end = text.find('\n', at);
            // Tags stay on one line each, however long; the moves wrap.
            ASSERT_TRUE(text[at] == '[' || end - at <= 79u) << text;
        }
        for (const PlayedTurn& turn : record.turns) {
            passes += !turn.move;
        }
        set_ups += text.find("[SetUp \"1\"]") != std::string::npos;
    }
    EXPECT_GT(passes, 20);
    EXPECT_EQ(set_ups, 200);
}

TEST(PdnFiles, WrittenWholeAndReadBackWithASizeCap) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("zarvo_pdn_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const GameRecord record = read_ok(kClubFile)[0].record;
    ASSERT_TRUE(write_pdn_file(dir / "club.pdn", {}, record));
    const auto back = read_pdn_file(dir / "club.pdn");
    ASSERT_TRUE(std::holds_alternative<std::vector<PdnGame>>(back));
    EXPECT_EQ(std::get<std::vector<PdnGame>>(back)[0].record, record);
    EXPECT_FALSE(write_pdn_file(dir / "missing" / "club.pdn", {}, record));

    std::ofstream(dir / "big.pdn") << std::string(kMaxPdnBytes + 1, ' ');
    for (const auto& [name, message] : {std::pair{"big.pdn", "The file is larger than 1 MiB"},
                                        std::pair{"none.pdn", "Could not read none.pdn"}}) {
        const auto read = read_pdn_file(dir / name);
        ASSERT_TRUE(std::holds_alternative<PdnError>(read));
        EXPECT_EQ(std::get<PdnError>(read).message.text(), message);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zarvo
