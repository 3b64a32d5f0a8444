#include "game/pdn.h"

#include <array>
#include <cstdio>
#include <span>

#include "game/files.h"
#include "rules/fen.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"

namespace zarvo {

namespace {

// The fields of a GameType after its number, as Zarvo writes them: White (red) starts, 8 x 8,
// algebraic squares counted from the bottom left corner, not inverted.
constexpr std::array<std::string_view, 5> kGameTypeFields{"W", "8", "8", "A0", "0"};

// The width the writer wraps the moves at.
constexpr std::size_t kLineWidth = 79;

constexpr bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The characters of a tag's name.
constexpr bool is_name_char(char c) {
    return is_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// The characters that end a word of movetext.
constexpr bool ends_word(char c) {
    return is_space(c) || std::string_view("{}()[];!?$*\"").find(c) != std::string_view::npos;
}

// The text without the spaces around it.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A word as quoted in a message, cut short when it is long.
std::string shown(std::string_view word) {
    constexpr std::size_t kLongest = 24;
    return word.size() > kLongest ? std::string(word.substr(0, kLongest)) + "..."
                                  : std::string(word);
}

// The result a terminator or a Result tag names, in both of PDN's families; nothing for any other
// text.
std::optional<GameResult> parse_result(std::string_view text) {
    if (text == "1-0" || text == "2-0") {
        return GameResult::RedWins;
    }
    if (text == "0-1" || text == "0-2") {
        return GameResult::BlueWins;
    }
    if (text == "1/2-1/2" || text == "1-1") {
        return GameResult::Draw;
    }
    if (text == "*") {
        return GameResult::Unfinished;
    }
    return std::nullopt;
}

// Whether a text is well-formed UTF-8 throughout.
bool is_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x06 ? 2
                                   : (lead >> 4) == 0x0E ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// A Latin-1 text in UTF-8: each byte is the code point of its character.
std::string latin1_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

// Why a text cannot be PDN as a whole, or nothing.
std::optional<Message> refuse_text(std::string_view text) {
    if (text.size() > kMaxPdnBytes) {
        return Message(N_("The file is larger than 1 MiB"));
    }
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte < 0x20 && !is_space(ch)) || byte == 0x7F) {
            return Message(N_("The file holds binary data, not PDN text"));
        }
    }
    return std::nullopt;
}

// A move as written: its squares and whether they were joined by 'x' (a capture).
struct WrittenMove {
    Move path;
    bool capture = false;
};

// Reads "c3-c4" or "c3xc5xe5": two or more squares, all joined by '-' or all by 'x'.
std::optional<WrittenMove> parse_written_move(std::string_view word) {
    if (word.size() < 5 || word.size() % 3 != 2) {
        return std::nullopt;
    }
    WrittenMove written;
    written.capture = word[2] == 'x';
    for (std::size_t i = 0; i < word.size(); i += 3) {
        const std::optional<int> square = parse_square(word[i], word[i + 1]);
        const bool joint_ok = i == 0 || word[i - 1] == (written.capture ? 'x' : '-');
        if (!square || !joint_ok || !written.path.push(*square)) {
            return std::nullopt;
        }
    }
    return written;
}

// The variant a GameType names, or the reason it names none Zarvo plays.
std::variant<Variant, Message> variant_of_game_type(std::optional<std::string_view> value) {
    if (!value) {
        return Message(N_("No GameType tag: Zarvo reads GameType 30 (Turkish) and 50 (Greek)"));
    }
    std::vector<std::string_view> fields;
    for (std::string_view rest = *value;;) {
        const std::size_t comma = rest.find(',');
        fields.push_back(trimmed(rest.substr(0, comma)));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    bool known = fields.size() <= 1 + kGameTypeFields.size();
    for (std::size_t i = 1; known && i < fields.size(); ++i) {
        known = fields[i] == kGameTypeFields[i - 1];
    }
    const std::string number(fields[0]);
    if (known && number == std::to_string(kTurkishGameType)) {
        return Variant::Turkish;
    }
    if (known && number == std::to_string(kGreekGameType)) {
        return Variant::Greek;
    }
    return Message(N_("Unknown game type \"{1}\""), {shown(*value)});
}

// Reads the games of a text, one after another; see read_pdn_games.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    PdnReading read_all() {
        PdnReading out;
        while (true) {
            std::optional<Message> error = skip_between_games();
            if (!error && at_end()) {
                break;
            }
            PdnGame game;
            if (!error) {
                error = read_game(game);
            }
            if (error) {
                out.error = PdnError{out.games.size() + 1, std::move(*error)};
                return out;
            }
            out.games.push_back(std::move(game));
        }
        if (out.games.empty()) {
            out.error = PdnError{0, Message(N_("The file holds no game"))};
        }
        return out;
    }

  private:
    bool at_end() const { return at_ >= text_.size(); }
    char peek() const { return text_[at_]; }

    // Skips spaces and comments, which may also stand between games.
    std::optional<Message> skip_between_games() {
        while (!at_end()) {
            if (is_space(peek())) {
                ++at_;
            } else if (peek() == '{' || peek() == ';') {
                if (auto error = skip_comment(false)) {
                    return error;
                }
            } else {
                break;
            }
        }
        return std::nullopt;
    }

    // Skips a comment in braces or one that runs to the end of the line, the cursor on its first
    // character. A fault inside the moves follows the move's number; elsewhere it starts the line.
    std::optional<Message> skip_comment(bool in_moves) {
        const bool braces = peek() == '{';
        const std::size_t end = text_.find(braces ? '}' : '\n', at_);
        if (end == std::string_view::npos) {
            if (braces) {
                return in_moves ? Message(N_("a comment opened with '{' is not closed"))
                                : Message(N_("A comment opened with '{' is not closed"));
            }
            at_ = text_.size();
            return std::nullopt;
        }
        at_ = end + 1;
        return std::nullopt;
    }

    // Skips a variation, which may hold comments and other variations, the cursor on its '('.
    std::optional<Message> skip_variation() {
        int depth = 0;
        while (!at_end()) {
            const char c = peek();
            if (c == '{' || c == ';') {
                if (auto error = skip_comment(true)) {
                    return error;
                }
                continue;
            }
            ++at_;
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            if (depth == 0) {
                return std::nullopt;
            }
        }
        return Message(N_("a variation opened with '(' is not closed"));
    }

    // Reads the tag pairs at the cursor, each [Name "value"].
    std::optional<Message> read_tags(std::vector<PdnTag>& tags) {
        while (!at_end() && peek() == '[') {
            ++at_;
            skip_spaces();
            PdnTag tag;
            while (!at_end() && is_name_char(peek())) {
                tag.name.push_back(text_[at_++]);
            }
            skip_spaces();
            if (tag.name.empty() || at_end() || peek() != '"') {
                return Message(N_("A tag must be written [Name \"value\"]"));
            }
            for (++at_;; ++at_) {
                if (at_end()) {
                    return Message(N_("The value of tag {1} is not closed"), {shown(tag.name)});
                }
                if (peek() == '"') {
                    break;
                }
                if (peek() == '\\' && at_ + 1 < text_.size() &&
                    (text_[at_ + 1] == '"' || text_[at_ + 1] == '\\')) {
                    ++at_;
                }
                tag.value.push_back(peek());
            }
            ++at_;
            skip_spaces();
            if (at_end() || peek() != ']') {
                return Message(N_("A tag must be written [Name \"value\"]"));
            }
            ++at_;
            tags.push_back(std::move(tag));
            if (auto error = skip_between_games()) {
                return error;
            }
        }
        return std::nullopt;
    }

    void skip_spaces() {
        while (!at_end() && is_space(peek())) {
            ++at_;
        }
    }

    // Reads one game: its tags, its set-up and its moves up to the result (or up to the next
    // game's tags, or the end of the text).
    std::optional<Message> read_game(PdnGame& game) {
        if (auto error = read_tags(game.tags)) {
            return error;
        }
        GameRecord& record = game.record;
        const auto variant = variant_of_game_type(game.tag("GameType"));
        if (const auto* why = std::get_if<Message>(&variant)) {
            return *why;
        }
        record.start = starting_position(std::get<Variant>(variant));
        const std::optional<std::string_view> fen = game.tag("FEN");
        const std::optional<std::string_view> set_up = game.tag("SetUp");
        if (set_up == "1" && !fen) {
            return Message(N_("SetUp \"1\" without a FEN tag"));
        }
        if (fen && set_up != "0") {
            const auto read = read_fen(*fen);
            if (const auto* bad = std::get_if<FenError>(&read)) {
                return Message(N_("Bad FEN \"{1}\": {2}"), {shown(*fen), bad->message});
            }
            record.start.squares = std::get<Fen>(read).squares;
            record.first_side = std::get<Fen>(read).side_to_move;
        }
        position_ = record.start;
        side_ = record.first_side;
        number_ = 1;
        pass_if_forced(record);
        const std::optional<std::string_view> result_tag = game.tag("Result");
        record.result = parse_result(result_tag.value_or("*")).value_or(GameResult::Unfinished);
        return read_movetext(record);
    }

    // Reads moves, comments, variations, numbers and annotations up to the game's end.
    std::optional<Message> read_movetext(GameRecord& record) {
        while (!at_end()) {
            const char c = peek();
            if (is_space(c) || c == '!' || c == '?') {
                ++at_;
            } else if (c == '{' || c == ';') {
                if (auto error = skip_comment(true)) {
                    return at_move(*error);
                }
            } else if (c == '(') {
                if (auto error = skip_variation()) {
                    return at_move(*error);
                }
            } else if (c == '[') {
                return std::nullopt;  // the next game's tags: this one had no terminator
            } else if (c == '$') {
                for (++at_; !at_end() && is_digit(peek()); ++at_) {
                }
            } else {
                const std::size_t start = at_;
                while (!at_end() && !ends_word(peek())) {
                    ++at_;
                }
                // A lone '*', or a stray ')', ']', '}' or '"'.
                if (at_ == start) {
                    ++at_;
                }
                bool ended = false;
                if (auto error = read_word(text_.substr(start, at_ - start), record, ended)) {
                    return error;
                }
                if (ended) {
                    return std::nullopt;
                }
            }
        }
        return std::nullopt;
    }

    // Reads one word of movetext: a result (which ends the game), a move number, or a move.
    std::optional<Message> read_word(std::string_view word, GameRecord& record, bool& ended) {
        if (const std::optional<GameResult> result = parse_result(word)) {
            record.result = *result;
            ended = true;
            return std::nullopt;
        }
        if (!word.empty() && is_digit(word[0])) {
            // "12." or "12..." before a move, perhaps with the move right after it.
            std::size_t digits = 0;
            int number = 0;
            while (digits < word.size() && is_digit(word[digits])) {
                number = std::min(number * 10 + (word[digits] - '0'), 1000000);
                ++digits;
            }
            std::size_t dots = digits;
            while (dots < word.size() && word[dots] == '.') {
                ++dots;
            }
            if (dots == digits) {
                return at_move(Message(N_("'{1}' is not a move"), {shown(word)}));
            }
            number_ = number;
            word.remove_prefix(dots);
            if (word.empty()) {
                return std::nullopt;
            }
        }
        if (word.find_first_not_of('.') == std::string_view::npos) {
            return std::nullopt;  // "1. ... c6-c5": the dots that stand for red's move
        }
        const std::optional<WrittenMove> written = parse_written_move(word);
        if (!written) {
            return at_move(Message(N_("'{1}' is not a move"), {shown(word)}));
        }
        return play_written(*written, word, record);
    }

    // Plays a written move if it names exactly one legal move of the side to move.
    std::optional<Message> play_written(const WrittenMove& written, std::string_view word,
                                        GameRecord& record) {
        if (winner_by_pieces(position_.squares)) {
            return at_move(Message(N_("{1} is not a legal move"), {std::string(word)}));
        }
        generate_moves(position_, side_, legal_, Landings::Every);
        const Move* chosen = nullptr;
        for (const Move& move : legal_) {
            if (move == written.path && is_capture(position_, move) == written.capture) {
                chosen = &move;
                break;
            }
        }
        // A capture given by its first and last squares: the captures that start and end there
        // must all come to the same position (a Turkish king's landings between its jumps may
        // differ without changing what it takes).
        if (!chosen && written.capture && written.path.size() == 2) {
            Position first_after;
            for (const Move& move : legal_) {
                if (move.from() != written.path.from() || move.to() != written.path.to() ||
                    !is_capture(position_, move)) {
                    continue;
                }
                Position after = position_;
                play_move(after, move);
                if (!chosen) {
                    chosen = &move;
                    first_after = after;
                } else if (after != first_after) {
                    return at_move(Message(N_("{1} is ambiguous: {2} or {3}"),
                                           {std::string(word), describe_move(position_, *chosen),
                                            describe_move(position_, move)}));
                }
            }
        }
        if (!chosen) {
            return at_move(Message(N_("{1} is not a legal move"), {std::string(word)}));
        }
        play_turn(record, *chosen);
        pass_if_forced(record);
        return std::nullopt;
    }

    // Writes a turn into the record and plays it.
    void play_turn(GameRecord& record, const std::optional<Move>& move) {
        record.turns.push_back({side_, position_, move});
        if (move) {
            play_move(position_, *move);
        }
        if (side_ == Side::Blue) {
            ++number_;
        }
        side_ = opponent(side_);
    }

    // The rules make a side with no legal move pass while the game goes on, and PDN does not
    // write passes, so one is put in wherever the side to move has no move and the other has.
    void pass_if_forced(GameRecord& record) {
        if (winner_by_pieces(position_.squares) ||
            count_legal_moves(position_, side_, Landings::Distinct) != 0 ||
            count_legal_moves(position_, opponent(side_), Landings::Distinct) == 0) {
            return;
        }
        play_turn(record, std::nullopt);
    }

    // A message about the move at hand, after its turn number.
    Message at_move(Message what) const {
        return Message(N_("Move {1}: {2}"), {std::to_string(number_), std::move(what)});
    }

    std::string_view text_;
    std::size_t at_ = 0;
    Position position_;
    Side side_ = Side::Red;
    int number_ = 1;
    MoveList legal_;
};

// A tag value as it may stand between quotes on one line.
std::string escaped_value(std::string_view value) {
    std::string out;
    for (const char ch : value) {
        if (ch == '"' || ch == '\\') {
            out.push_back('\\');
        }
        out.push_back(static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch);
    }
    return out;
}

// The movetext as units that are never split over two lines: "1. c3-c4", "c6-c5", ..., the
// result.
std::vector<std::string> movetext_units(const GameRecord& record) {
    std::vector<std::string> units;
    int number = 1;
    bool red_moved = false;
    for (const PlayedTurn& turn : record.turns) {
        if (turn.move) {
            const std::string move = describe_move(turn.before, *turn.move);
            const std::string n = std::to_string(number);
            units.push_back(turn.side == Side::Red ? n + ". " + move
                            : red_moved            ? move
                                                   : n + "... " + move);
        }
        red_moved = turn.side == Side::Red && turn.move;
        if (turn.side == Side::Blue) {
            ++number;
        }
    }
    units.emplace_back(result_text(record.result));
    return units;
}

}  // namespace

std::optional<std::string_view> PdnGame::tag(std::string_view name) const {
    for (const PdnTag& t : tags) {
        if (t.name == name) {
            return t.value;
        }
    }
    return std::nullopt;
}

std::string PdnError::status_text(Translator translate) const {
    return game > 1 ? Message(N_("Game {1}: {2}"), {std::to_string(game), message}).text(translate)
                    : message.text(translate);
}

PdnReading read_pdn_games(std::string_view text) {
    if (std::optional<Message> why = refuse_text(text)) {
        return {{}, PdnError{0, std::move(*why)}};
    }
    std::string converted;
    if (!is_utf8(text)) {
        converted = latin1_to_utf8(text);
        text = converted;
    }
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return Reader(text).read_all();
}

std::variant<std::vector<PdnGame>, PdnError> read_pdn(std::string_view text) {
    PdnReading reading = read_pdn_games(text);
    if (reading.error) {
        return std::move(*reading.error);
    }
    return std::move(reading.games);
}

std::variant<std::vector<PdnGame>, PdnError> read_pdn_file(const std::filesystem::path& path) {
    const auto bytes = read_file_start(path, kMaxPdnBytes + 1);
    if (!bytes) {
        return PdnError{0, Message(N_("Could not read {1}"), {path.filename().string()})};
    }
    return read_pdn(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::string pdn_date(std::chrono::year_month_day day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d.%02u.%02u", static_cast<int>(day.year()) % 10000,
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

std::string_view result_text(GameResult result) {
    switch (result) {
        case GameResult::RedWins:
            return "1-0";
        case GameResult::BlueWins:
            return "0-1";
        case GameResult::Draw:
            return "1/2-1/2";
        case GameResult::Unfinished:
            break;
    }
    return "*";
}

std::string format_movetext(const GameRecord& record) {
    std::string out;
    for (const std::string& unit : movetext_units(record)) {
        out += out.empty() ? unit : " " + unit;
    }
    return out;
}

std::string write_pdn(const PdnRoster& roster, const GameRecord& record) {
    std::string out;
    // Appended piece by piece: g++ 12 at -O3 misreads "[" + std::string as an overlapping copy.
    const auto tag = [&out](std::string_view name, std::string_view value) {
        out += '[';
        out += name;
        out += " \"";
        out += escaped_value(value);
        out += "\"]\n";
    };
    tag("Event", roster.event);
    tag("Site", roster.site);
    tag("Date", roster.date);
    tag("Round", roster.round);
    tag("White", roster.red_player);
    tag("Black", roster.blue_player);
    tag("Result", result_text(record.result));
    const bool turkish = record.start.variant == Variant::Turkish;
    std::string game_type = std::to_string(turkish ? kTurkishGameType : kGreekGameType);
    for (const std::string_view field : kGameTypeFields) {
        game_type += ',';
        game_type += field;
    }
    tag("GameType", game_type);
    if (!turkish) {
        tag("Variant", "Greek");
    }
    if (record.start.squares != starting_board() || record.first_side != Side::Red) {
        tag("SetUp", "1");
        tag("FEN", format_fen(record.start.squares, record.first_side));
    }
    out.push_back('\n');
    std::size_t column = 0;
    for (const std::string& unit : movetext_units(record)) {
        if (column > 0 && column + 1 + unit.size() > kLineWidth) {
            out.push_back('\n');
            column = 0;
        } else if (column > 0) {
            out.push_back(' ');
            ++column;
        }
        out += unit;
        column += unit.size();
    }
    out += "\n";
    return out;
}

bool write_pdn_text(const std::filesystem::path& path, std::string_view text) {
    return replace_file(
        path, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

bool write_pdn_file(const std::filesystem::path& path, const PdnRoster& roster,
                    const GameRecord& record) {
    return write_pdn_text(path, write_pdn(roster, record));
}

}  // namespace zarvo
