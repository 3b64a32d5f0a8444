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

#include "game/controller.h"
#include "game/move_input.h"
#include "game/savefile.h"
#include "game/state.h"
#include "rules/board.h"
#include "rules/notation.h"

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
    g.first_player = 1;
    g.selected_level = 3;
    g.variant = 1;
    g.table = empty_board();
    g.table[sq("a8")] = kBlueKing;
    g.table[sq("d5")] = kBlueMan;
    g.table[sq("d4")] = kRedMan;
    g.table[sq("h1")] = kRedKing;
    g.table[sq("e2")] = kRedMan;
    return g;
}

// Whether a byte at an offset of a saved game may hold that value.
bool byte_allowed(std::size_t offset, unsigned char b) {
    switch (offset) {
        case 0:
            return b == 1 || b == 2;
        case 1:
            return b >= 1 && b <= 3;
        case 2:
            return b <= 1;
        default:
            return b == ' ' || b == 'o' || b == 'O' || b == 'x' || b == 'X';
    }
}

TEST(SaveLayout, FieldsInFileOrderAsRawBytes) {
    SavedGame g;
    g.first_player = 1;
    g.selected_level = 3;
    g.variant = 1;
    g.table = starting_board();
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
    corners.table[sq("a8")] = 'X';
    corners.table[sq("h8")] = 'x';
    corners.table[sq("a7")] = 'O';
    corners.table[sq("h1")] = 'o';
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
        g.first_player = static_cast<char>(1 + rng() % 2);
        g.selected_level = static_cast<char>(1 + rng() % 3);
        g.variant = static_cast<char>(rng() % 2);
        for (char& c : g.table) {
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

// A window that records what the controller shows on it.
class FakeView : public GameView {
  public:
    void redraw() override { ++redraws; }
    void set_status_text(std::string_view text) override { status_text = text; }
    void pump_events() override {}

    int redraws = 0;
    std::string status_text = ":-)";
};

// Every global the two commands may touch, to prove a refused command changed none of them.
struct GameGlobals {
    int status;
    char first_player, selected_level, variant;
    char new_first_player, new_selected_level, new_variant;
    Board table;
    std::string newmove, lastmove;

    static GameGlobals now() {
        return {zarvo::status,
                zarvo::first_player,
                zarvo::selected_level,
                zarvo::variant,
                zarvo::new_first_player,
                zarvo::new_selected_level,
                zarvo::new_variant,
                zarvo::table,
                std::string(zarvo::newmove.view()),
                std::string(zarvo::lastmove.view())};
    }
    bool operator==(const GameGlobals&) const = default;
};

// The commands against the turn controller with a fake window and known globals.
class SaveCommands : public InScratchDir {
  protected:
    void SetUp() override {
        InScratchDir::SetUp();
        set_view(&view_);
        // A game in progress that differs from sample_game() in every field.
        status = kHumanToMove;
        first_player = 2;
        selected_level = 2;
        variant = 0;
        new_first_player = 2;
        new_selected_level = 1;
        new_variant = 0;
        table = starting_board();
        newmove = MoveString::from("c3c4");
        lastmove = MoveString::from("d6d5");
    }
    void TearDown() override {
        set_view(nullptr);
        status = kNoGame;
        InScratchDir::TearDown();
    }

    FakeView view_;
};

TEST_F(SaveCommands, SaveOnTheHumansTurnWritesTheGameInPlay) {
    const GameGlobals before = GameGlobals::now();
    save_game();
    const Bytes bytes = read_file("zarvo.dat");
    ASSERT_EQ(bytes.size(), 67u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(Board(decode_save(bytes)->table), starting_board());
    EXPECT_EQ(GameGlobals::now(), before);
    EXPECT_EQ(view_.status_text, "You play...");
}

TEST_F(SaveCommands, SaveOutsideTheHumansTurnWritesNothing) {
    for (int s : {kNoGame, kComputerToMove}) {
        status = s;
        view_.status_text = "unchanged";
        save_game();
        EXPECT_FALSE(fs::exists("zarvo.dat")) << "status " << s;
        EXPECT_EQ(view_.status_text, "unchanged");
    }
}

TEST_F(SaveCommands, AFailedSaveSaysSoAndKeepsTheGame) {
    fs::create_directories("zarvo.dat/inside");
    const GameGlobals before = GameGlobals::now();
    save_game();
    EXPECT_EQ(view_.status_text, kSaveFailedText);
    EXPECT_EQ(GameGlobals::now(), before);
    EXPECT_TRUE(fs::is_directory("zarvo.dat/inside"));
}

TEST_F(SaveCommands, LoadResumesWithTheHumanToMoveAndStagesTheSettings) {
    const SavedGame saved = sample_game();
    write_file("zarvo.dat", to_bytes(encode_save(saved)));
    load_game();
    EXPECT_EQ(status, kHumanToMove);
    EXPECT_EQ(first_player, 1);
    EXPECT_EQ(selected_level, 3);
    EXPECT_EQ(variant, 1);
    EXPECT_EQ(table, saved.table);
    EXPECT_EQ(new_first_player, 1);
    EXPECT_EQ(new_selected_level, 3);
    EXPECT_EQ(new_variant, 1);
    EXPECT_TRUE(newmove.empty());
    EXPECT_TRUE(lastmove.empty());
    EXPECT_EQ(view_.status_text, "You play...");
    EXPECT_GT(view_.redraws, 0);
}

TEST_F(SaveCommands, SaveThenLoadInALaterGameRestoresIt) {
    first_player = 1;
    selected_level = 3;
    variant = 1;
    table = sample_game().table;
    const Board saved_table = table;
    save_game();

    status = kNoGame;
    first_player = 2;
    selected_level = 1;
    variant = 0;
    table = empty_board();
    load_game();
    EXPECT_EQ(status, kHumanToMove);
    EXPECT_EQ(first_player, 1);
    EXPECT_EQ(selected_level, 3);
    EXPECT_EQ(variant, 1);
    EXPECT_EQ(table, saved_table);
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
                                                        {1, 4, "level 4"},
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

    for (int s : {kHumanToMove, kNoGame}) {
        status = s;
        fs::remove("zarvo.dat");
        view_.status_text = "before";
        const GameGlobals before = GameGlobals::now();
        load_game();
        EXPECT_EQ(GameGlobals::now(), before) << "missing file";
        EXPECT_EQ(view_.status_text, kLoadFailedText);
        for (const auto& [what, bytes] : damaged) {
            write_file("zarvo.dat", bytes);
            view_.status_text = "before";
            load_game();
            EXPECT_EQ(GameGlobals::now(), before) << what;
            EXPECT_EQ(view_.status_text, kLoadFailedText) << what;
        }
    }
}

TEST_F(SaveCommands, LoadIsRefusedWhileTheComputerThinks) {
    write_file("zarvo.dat", to_bytes(encode_save(sample_game())));
    status = kComputerToMove;
    view_.status_text = "Computer plays...";
    const GameGlobals before = GameGlobals::now();
    load_game();
    EXPECT_EQ(GameGlobals::now(), before);
    EXPECT_EQ(view_.status_text, "Computer plays...");
}

TEST_F(SaveCommands, LoadedPositionsThatAreAlreadyOverEndAtOnce) {
    SavedGame nobody;
    nobody.table = empty_board();
    write_file("zarvo.dat", to_bytes(encode_save(nobody)));
    load_game();
    EXPECT_EQ(status, kNoGame);
    EXPECT_EQ(view_.status_text, "No winner !");

    // Only the human's (blue) pieces left: the human has won.
    SavedGame won = sample_game();
    won.table = empty_board();
    won.table[sq("c5")] = kBlueMan;
    write_file("zarvo.dat", to_bytes(encode_save(won)));
    load_game();
    EXPECT_EQ(status, kNoGame);
    EXPECT_EQ(view_.status_text, "You win !");

    // After the end nothing more is saved.
    fs::remove("zarvo.dat");
    save_game();
    EXPECT_FALSE(fs::exists("zarvo.dat"));
}

TEST_F(SaveCommands, TakingTheLastEnemyPieceOfALoadedGameWins) {
    SavedGame g = sample_game();
    g.table = empty_board();
    g.table[sq("d5")] = kBlueMan;
    g.table[sq("d4")] = kRedMan;
    write_file("zarvo.dat", to_bytes(encode_save(g)));
    load_game();
    ASSERT_EQ(status, kHumanToMove);
    newmove = MoveString::from("d5d3");
    play_button();
    EXPECT_EQ(status, kNoGame);
    EXPECT_EQ(view_.status_text, "You win !");
    EXPECT_EQ(table[sq("d3")], kBlueMan);
    EXPECT_EQ(table[sq("d4")], kEmpty);
}

TEST_F(SaveCommands, WithoutAWindowAFailureIsSilent) {
    set_view(nullptr);
    const GameGlobals before = GameGlobals::now();
    load_game();
    EXPECT_EQ(GameGlobals::now(), before);
    fs::create_directory("zarvo.dat");
    save_game();
    EXPECT_EQ(GameGlobals::now(), before);
}

}  // namespace
}  // namespace zarvo
