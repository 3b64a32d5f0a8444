// The preferences file: what is written is read back, and whatever cannot be read falls back to
// the defaults, value by value. No display needed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ui/preferences.h"

namespace zarvo {
namespace {

namespace fs = std::filesystem;

TEST(Preferences, WrittenAndReadBackOrTheDefaults) {
    const fs::path dir = fs::temp_directory_path() / ("zarvo-prefs-" + std::to_string(getpid()));
    fs::remove_all(dir);
    const std::string path = (dir / "zarvo" / "preferences.ini").string();
    EXPECT_EQ(load_preferences(path), Preferences{}) << "no file";

    Preferences changed;
    changed.show_legal_moves = true;
    changed.animate_moves = false;
    changed.two_players = true;
    changed.zoom = 3;
    ASSERT_TRUE(save_preferences(changed, path));
    EXPECT_EQ(load_preferences(path), changed);

    // A value out of range or of the wrong kind keeps its default; the others are read.
    std::ofstream(path) << "[Zarvo]\nzoom=7\nanimate-moves=sometimes\ntwo-players=true\n";
    Preferences expected;
    expected.two_players = true;
    EXPECT_EQ(load_preferences(path), expected);
    std::ofstream(path, std::ios::binary) << std::string("\0\xff[[[", 5);
    EXPECT_EQ(load_preferences(path), Preferences{});
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zarvo
