// The saved game: its byte layout, what the loader refuses, writing over an old save safely, and
// the "Save game" / "Load game" commands against the turn controller, run in a scratch directory.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "game/savefile.h"
#include "rules/board.h"
#include "rules/notation.h"
#include "tests/game/game_fixture.h"

namespace zarvo {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<unsigned char>;

int sq(std::string_view name) {
    return *parse_square(name[0], name[1]);
}

Bytes read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void write_file(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes to_bytes(const std::array<unsigned char, kSaveSize>& a) {
    return Bytes(a.begin(), a.end());
}

// A position in which the human (blue, the computer having moved first) is to move and can.
SavedGame sample_game() {
    SavedGame g;
    g.settings = {FirstPlayer::Computer, Level::Hard, Variant::Turkish};
    g.squares[sq("a8")] = kBlueKing;
    g.squares[sq("d5")] = kBlueMan;
    g.squares[sq("d4")] = kRedMan;
    g.squares[sq("h1")] = kRedKing;
    g.squares[sq("e2")] = kRedMan;
    return g;
}

// Whether a byte at an offset of a saved game may hold that value.
bool byte_allowed(std::size_t offset, unsigned char b) {
    switch (offset) {
        case 0:
            return b == 1 || b == 2;
        case 1:
            return b >= 1 && b <= 4;
        case 2:
            return b <= 1;
        default:
            return b == ' ' || b == 'o' || b == 'O' || b == 'x' || b == 'X';
    }
}

TEST(SaveLayout, FieldsInFileOrderAsRawBytes) {
    SavedGame g;
    g.settings = {FirstPlayer::Computer, Level::Hard, Variant::Turkish};
    g.squares = starting_board();
    const Bytes bytes = to_bytes(encode_save(g));
    ASSERT_EQ(bytes.size(), 67u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 3);
    EXPECT_EQ(bytes[2], 1);
    // a8..h8 empty, then the blue men of rank 7 from a7 on, ..., the red men of rank 2, rank 1
    // empty.
    const std::string board(bytes.begin() + 3, bytes.end());
    EXPECT_EQ(board, std::string(8, ' ') + std::string(16, 'x') + std::string(16, ' ') +
                         std::string(16, 'o') + std::string(8, ' '));

    SavedGame corners;
    corners.squares[sq("a8")] = 'X';
    corners.squares[sq("h8")] = 'x';
    corners.squares[sq("a7")] = 'O';
    corners.squares[sq("h1")] = 'o';
    const Bytes c = to_bytes(encode_save(corners));
    EXPECT_EQ(c[0], 2);
    EXPECT_EQ(c[1], 2);
    EXPECT_EQ(c[2], 0);
    EXPECT_EQ(c[3], 'X');
    EXPECT_EQ(c[10], 'x');
    EXPECT_EQ(c[11], 'O');
    EXPECT_EQ(c[66], 'o');
}

TEST(SaveLayout, RandomGamesRoundTrip) {
    std::mt19937 rng(7);
    const char codes[] = {' ', 'o', 'O', 'x', 'X'};
    for (int n = 0; n < 2000; ++n) {
        SavedGame g;
        g.settings.first_player = static_cast<FirstPlayer>(1 + rng() % 2);
        g.settings.level = static_cast<Level>(1 + rng() % 4);
        g.settings.variant = static_cast<Variant>(rng() % 2);
        for (char& c : g.squares) {
            c = codes[rng() % 5];
        }
        const auto bytes = encode_save(g);
        const auto back = decode_save(bytes);
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, g);
    }
}

TEST(SaveLayout, EveryByteValueAtEveryOffsetIsJudgedAlone) {
    const auto good = encode_save(sample_game());
    for (std::size_t offset = 0; offset < kSaveSize; ++offset) {
        for (int value = 0; value < 256; ++value) {
            auto bytes = good;
            bytes[offset] = static_cast<unsigned char>(value);
            const bool allowed = byte_allowed(offset, static_cast<unsigned char>(value));
            const auto game = decode_save(bytes);
            ASSERT_EQ(game.has_value(), allowed) << "offset " << offset << " value " << value;
            if (game) {
                EXPECT_EQ(encode_save(*game), bytes);
            }
        }
    }
}

TEST(SaveLayout, AnyOtherLengthIsRefused) {
    const Bytes good = to_bytes(encode_save(sample_game()));
    for (std::size_t n = 0; n < kSaveSize; ++n) {
        EXPECT_FALSE(decode_save(std::span(good.data(), n))) << n << " bytes";
    }
    for (std::size_t extra : {1u, 2u, 64u, 4096u}) {
        Bytes longer = good;
        longer.resize(good.size() + extra, ' ');
        EXPECT_FALSE(decode_save(longer)) << extra << " extra bytes";
    }
    // Digits in place of raw values are a different file, not the same game.
    Bytes ascii = good;
    ascii[0] = '1';
    ascii[1] = '3';
    ascii[2] = '1';
    EXPECT_FALSE(decode_save(ascii));
}

// Runs each test in a fresh empty directory, which is the slot's directory.
class InScratchDir : public ::testing::Test {
  protected:
    void SetUp() override {
        old_dir_ = fs::current_path();
        dir_ = fs::temp_directory_path() /
               ("zarvo-save-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_dir_);
        fs::remove_all(dir_);
    }

    // The names in the directory, to see that no temporary file is left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path old_dir_;
    fs::path dir_;
};

using SaveFile = InScratchDir;

TEST_F(SaveFile, WritesExactlyTheBytesAndReplacesAnOldSave) {
    const Bytes first = to_bytes(encode_save(SavedGame{}));
    const Bytes second = to_bytes(encode_save(sample_game()));
    ASSERT_TRUE(write_save_file("zarvo.dat", first));
    EXPECT_EQ(read_file("zarvo.dat"), first);
    ASSERT_TRUE(write_save_file("zarvo.dat", second));
    EXPECT_EQ(read_file("zarvo.dat"), second);
    EXPECT_EQ(entries(), std::vector<std::string>{"zarvo.dat"});
}

TEST_F(SaveFile, AWriteCutShortLeavesTheOldSave) {
    const Bytes old = to_bytes(encode_save(SavedGame{}));
    write_file("zarvo.dat", old);
    // The file-size limit stops the write after ten bytes, as a full disk would.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 10;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = write_save_file("zarvo.dat", to_bytes(encode_save(sample_game())));
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(ok);
    EXPECT_EQ(read_file("zarvo.dat"), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"zarvo.dat"});
}

TEST_F(SaveFile, NoPlaceForTheNewFileLeavesTheOldSave) {
    const Bytes old = to_bytes(encode_save(SavedGame{}));
    write_file("zarvo.dat", old);
    // A directory already holding the temporary file's name cannot be replaced by it.
    fs::create_directory("zarvo.dat." + std::to_string(::getpid()) + ".tmp");
    EXPECT_FALSE(write_save_file("zarvo.dat", to_bytes(encode_save(sample_game()))));
    EXPECT_EQ(read_file("zarvo.dat"), old);

    EXPECT_FALSE(write_save_file("missing-dir/zarvo.dat", old));
    EXPECT_FALSE(fs::exists("missing-dir"));
}

TEST_F(SaveFile, ARenameThatFailsRemovesTheTemporary) {
    fs::create_directories("zarvo.dat/inside");
    EXPECT_FALSE(write_save_file("zarvo.dat", to_bytes(encode_save(sample_game()))));
    EXPECT_TRUE(fs::is_directory("zarvo.dat/inside"));
    EXPECT_EQ(entries(), std::vector<std::string>{"zarvo.dat"});
}

TEST_F(SaveFile, ReadingStopsOneByteBeyondASave) {
    EXPECT_FALSE(read_save_file("zarvo.dat"));
    fs::create_directory("zarvo.dat");
    EXPECT_FALSE(read_save_file("zarvo.dat"));
    fs::remove("zarvo.dat");

    write_file("zarvo.dat", Bytes(5000, ' '));
    const auto big = read_save_file("zarvo.dat");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->size(), kSaveSize + 1);

    write_file("zarvo.dat", Bytes{});
    EXPECT_EQ(read_save_file("zarvo.dat"), Bytes{});

    const Bytes good = to_bytes(encode_save(sample_game()));
    write_file("zarvo.dat", good);
    EXPECT_EQ(read_save_file("zarvo.dat"), good);
}

// Everything about a game the two commands may touch, to prove a refused command changed none.
struct GameState {
    Turn turn;
    GameSettings settings;
    GameSettings staged;
    Position position;
    std::string pending;
    std::string last;

    static GameState of(const Game& g) {
        return {g.turn(),
                g.settings(),
                g.staged_settings(),
                g.position(),
                format_move(g.pending_path()),
                format_move(g.last_move())};
    }
    bool operator==(const GameState&) const = default;
};

// The commands against a game in progress in a scratch directory: the human (red) to move at
// Medium from the start, Easy staged for the next game, the path c3 pending.
class SaveCommands : public InScratchDir {
  protected:
    void SetUp() override {
        InScratchDir::SetUp();
        game.stage_settings({FirstPlayer::Human, Level::Medium, Variant::Greek});
        game.new_game();
        game.stage_settings({FirstPlayer::Human, Level::Easy, Variant::Greek});
        game.click_square(sq("c3"));
        view.texts.clear();
        view.redraws = 0;
    }

    testing::RecordingView view;
    Game game{view};
};

TEST_F(SaveCommands, SaveOnTheHumansTurnWritesTheGameInPlay) {
    const GameState before = GameState::of(game);
    save_game(game);
    const Bytes bytes = read_file("zarvo.dat");
    ASSERT_EQ(bytes.size(), 67u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(decode_save(bytes)->squares, starting_board());
    EXPECT_EQ(GameState::of(game), before);
    EXPECT_EQ(view.last_text(), "You play...");
}

TEST_F(SaveCommands, SavingAndLoadingWithTwoPlayersKeepTheTurnOnTheStatusLine) {
    game.set_two_players(true);
    game.click_square(sq("c3"));
    game.click_square(sq("c4"));
    game.play();
    ASSERT_EQ(view.last_text(), "Blue plays...");
    save_game(game);
    EXPECT_EQ(view.last_text(), "Blue plays...");
    load_game(game);
    EXPECT_EQ(view.last_text(), "Blue plays...");
    EXPECT_EQ(game.side_to_move(), Side::Blue);
}

TEST_F(SaveCommands, SaveOutsideTheHumansTurnWritesNothing) {
    // While the computer thinks, and after the end of a game.
    game.click_square(sq("c4"));
    game.play();
    ASSERT_TRUE(game.computer_thinking());
    view.texts.clear();
    save_game(game);
    game.resume({{}, empty_board()});
    save_game(game);
    EXPECT_FALSE(fs::exists("zarvo.dat"));
    EXPECT_EQ(view.texts, (testing::Texts{}));
}

TEST_F(SaveCommands, AFailedSaveSaysSoAndKeepsTheGame) {
    fs::create_directories("zarvo.dat/inside");
    const GameState before = GameState::of(game);
    save_game(game);
    EXPECT_EQ(view.last_text(), kSaveFailedText);
    EXPECT_EQ(GameState::of(game), before);
    EXPECT_TRUE(fs::is_directory("zarvo.dat/inside"));
}

TEST_F(SaveCommands, LoadResumesWithTheHumanToMoveAndStagesTheSettings) {
    const SavedGame saved = sample_game();
    write_file("zarvo.dat", to_bytes(encode_save(saved)));
    load_game(game);
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_EQ(game.settings(), saved.settings);
    EXPECT_EQ(game.staged_settings(), saved.settings);
    EXPECT_EQ(game.position().squares, saved.squares);
    EXPECT_EQ(game.position().variant, Variant::Turkish);
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_TRUE(game.last_move().empty());
    EXPECT_EQ(view.last_text(), "You play...");
    EXPECT_GT(view.redraws, 0);

    // Saved again, it writes the same bytes.
    fs::remove("zarvo.dat");
    save_game(game);
    EXPECT_EQ(read_file("zarvo.dat"), to_bytes(encode_save(saved)));
}

// The Expert is level byte 4; its thinking time is not in the file, so the one chosen last stays,
// and the computer's turn is searched by the Expert for that long. A hint is the Expert's at 1 s.
TEST_F(SaveCommands, AnExpertGameLoadsWithTheThinkingTimeChosenLast) {
    SavedGame saved = sample_game();
    saved.settings.level = Level::Expert;
    const auto bytes = encode_save(saved);
    EXPECT_EQ(bytes[1], 4);
    write_file("zarvo.dat", to_bytes(bytes));
    GameSettings staged = game.staged_settings();
    staged.expert_thinking_time = kExpertThinkingTimes[2];
    game.stage_settings(staged);
    load_game(game);
    EXPECT_EQ(game.settings().level, Level::Expert);
    EXPECT_EQ(game.settings().expert_thinking_time, std::chrono::seconds(10));
    EXPECT_EQ(game.staged_settings(), game.settings());

    const ComputerTurn hint = game.hint_turn();
    EXPECT_EQ(hint.level, Level::Expert);
    EXPECT_EQ(hint.thinking_time, std::chrono::seconds(1));
    // Blue's man must take: d5xd3.
    game.click_square(sq("d5"));
    game.click_square(sq("d3"));
    game.play();
    EXPECT_EQ(game.turn(), Turn::Computer);
    const ComputerTurn turn = game.computer_turn();
    EXPECT_EQ(turn.level, Level::Expert);
    EXPECT_EQ(turn.thinking_time, std::chrono::seconds(10));
}

TEST_F(SaveCommands, DamagedOrMissingFilesAreRefusedWhole) {
    const Bytes good = to_bytes(encode_save(sample_game()));
    std::vector<std::pair<std::string, Bytes>> damaged;
    damaged.push_back({"empty", {}});
    damaged.push_back({"one byte short", Bytes(good.begin(), good.end() - 1)});
    damaged.push_back({"settings only", Bytes(good.begin(), good.begin() + 3)});
    Bytes longer = good;
    longer.push_back(' ');
    damaged.push_back({"one byte long", longer});
    for (auto [offset, value, what] :
         std::vector<std::tuple<int, int, std::string>>{{0, 0, "first player 0"},
                                                        {0, 3, "first player 3"},
                                                        {0, '1', "first player digit"},
                                                        {1, 0, "level 0"},
                                                        {1, 5, "level 5"},
                                                        {1, 255, "level 255"},
                                                        {2, 2, "variant 2"},
                                                        {2, '0', "variant digit"},
                                                        {3, '.', "board dot"},
                                                        {66, 0, "board NUL"},
                                                        {40, 'k', "board letter"}}) {
        Bytes b = good;
        b[static_cast<std::size_t>(offset)] = static_cast<unsigned char>(value);
        damaged.push_back({what, b});
    }
    const GameState before = GameState::of(game);
    load_game(game);
    EXPECT_EQ(GameState::of(game), before) << "missing file";
    EXPECT_EQ(view.last_text(), kLoadFailedText);
    for (const auto& [what, bytes] : damaged) {
        write_file("zarvo.dat", bytes);
        view.texts.clear();
        load_game(game);
        EXPECT_EQ(GameState::of(game), before) << what;
        EXPECT_EQ(view.last_text(), kLoadFailedText) << what;
    }
}

TEST_F(SaveCommands, LoadIsRefusedWhileTheComputerThinks) {
    write_file("zarvo.dat", to_bytes(encode_save(sample_game())));
    game.click_square(sq("c4"));
    game.play();
    view.texts.clear();
    const GameState before = GameState::of(game);
    load_game(game);
    EXPECT_EQ(GameState::of(game), before);
    EXPECT_EQ(view.texts, (testing::Texts{}));
}

TEST_F(SaveCommands, LoadedPositionsThatAreAlreadyOverEndAtOnce) {
    write_file("zarvo.dat", to_bytes(encode_save(SavedGame{})));
    load_game(game);
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(view.last_text(), "No winner !");

    // Only the human's (blue) pieces left: the human has won.
    SavedGame won = sample_game();
    won.squares = empty_board();
    won.squares[sq("c5")] = kBlueMan;
    write_file("zarvo.dat", to_bytes(encode_save(won)));
    load_game(game);
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(view.last_text(), "You win !");
}

}  // namespace
}  // namespace zarvo
