// Game records in PDN (Portable Draughts Notation), the text every draughts program reads: reading
// a file of one or more games, each move checked against the rules of its variant, and writing
// one game with its roster, its set-up and its moves.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "game/record.h"
#include "rules/board.h"
#include "rules/message.h"
#include "rules/move.h"

namespace zarvo {

// The largest record file read; anything longer is refused whole.
inline constexpr std::size_t kMaxPdnBytes = std::size_t{1} << 20;

// PDN's game type numbers: Turkish draughts has its own; the Greek variant has none, so Zarvo
// writes one outside the draughts range (20 to 49) that no other program reads as its own game.
inline constexpr int kTurkishGameType = 30;
inline constexpr int kGreekGameType = 50;

// One tag pair of a record, its value with escapes undone (always UTF-8).
struct PdnTag {
    std::string name;
    std::string value;

    friend bool operator==(const PdnTag&, const PdnTag&) = default;
};

// One game read from a PDN file: its tags in file order, and its record.
struct PdnGame {
    std::vector<PdnTag> tags;
    GameRecord record;

    // The value of the first tag of this name, or nothing.
    std::optional<std::string_view> tag(std::string_view name) const;
};

// Why a file or a game in it was refused: the game's number in the file (from 1; 0 when the file
// as a whole is refused) and one line naming the fault ("Move 14: c3xe5 is not a legal move").
struct PdnError {
    std::size_t game = 0;
    Message message;

    // The line for the status line: the message, after "Game N: " for any game but the first,
    // in English or, with a translator, in the player's language.
    std::string status_text(Translator translate = nullptr) const;
};

// What a reading gave: the games read before the first error, and that error if there was one.
struct PdnReading {
    std::vector<PdnGame> games;
    std::optional<PdnError> error;
};

// Reads every game of a PDN text, stopping at the first error. A game begins from its FEN tag
// (unless SetUp is "0") or from the starting position; every move must be a legal move of the
// side to move, written in full ("c3-c4", "c3xc5xe5") or, for a capture, by its first and last
// squares when exactly one legal capture matches. Passes are not written in PDN: the reader puts
// one wherever the side to move has no legal move and the other side has one. Texts that are not
// UTF-8 are read as Latin-1.
PdnReading read_pdn_games(std::string_view text);

// Reads a PDN text whole: every game, or the first error (a text holding no game is one).
std::variant<std::vector<PdnGame>, PdnError> read_pdn(std::string_view text);

// Reads a PDN file whole, as read_pdn does; a file that cannot be read or is longer than
// kMaxPdnBytes is refused.
std::variant<std::vector<PdnGame>, PdnError> read_pdn_file(const std::filesystem::path& path);

// What the writer needs to know beyond the moves: where and when the game was played, who played
// each side ("You", "Zarvo (Hard)"), and the event and round.
struct PdnRoster {
    std::string site = "?";
    std::string date = "????.??.??";
    std::string red_player = "?";
    std::string blue_player = "?";
    std::string event = "Zarvo game";
    std::string round = "-";
};

// A day as PDN's Date tag writes it: "2024.03.09".
std::string pdn_date(std::chrono::year_month_day day);

// PDN's text for a result: "1-0", "0-1", "1/2-1/2" or "*".
std::string_view result_text(GameResult result);

// The moves of a record numbered by turn, as in PDN ("1. c3-c4 c6-c5 2. c4xc6"): red's move after
// its number, "N..." before a blue move that does not follow red's move of the same turn, passes
// left out, and the result last. One line; write_pdn wraps it.
std::string format_movetext(const GameRecord& record);

// One game as a PDN record: Event, Site, Date, Round, White (red) and Black (blue), Result; then
// GameType, for the Greek variant a Variant tag, SetUp "1" and FEN when the game did not begin
// from the starting position with red to move; then the moves, wrapped. read_pdn gives the same
// record back.
std::string write_pdn(const PdnRoster& roster, const GameRecord& record);

// Writes a PDN text of one or more games as a file, atomically (see replace_file). False when it
// failed, in which case any file of that name is as it was.
bool write_pdn_text(const std::filesystem::path& path, std::string_view text);

// Writes one game as a PDN file, atomically (see replace_file). False when it failed, in which
// case any file of that name is as it was.
bool write_pdn_file(const std::filesystem::path& path, const PdnRoster& roster,
                    const GameRecord& record);

}  // namespace zarvo
