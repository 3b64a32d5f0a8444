// Square names, move strings, move lists and the one-line position text (POS).
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "rules/board.h"

namespace zarvo {

// A square's two-character name, file letter then rank digit ("e4").
using SquareName = std::array<char, 2>;

// The name of a square index: 36 is "e4".
constexpr SquareName square_name(int square) {
    return {static_cast<char>('a' + column_of(square)), static_cast<char>('8' - row_of(square))};
}

// The index of a named square, or nothing when the two characters name no square.
constexpr std::optional<int> parse_square(char file, char rank) {
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') {
        return std::nullopt;
    }
    return square_index('8' - rank, file - 'a');
}

// The move string at the start of a text: everything up to the first ',' (or the end).
constexpr std::string_view move_at(std::string_view text) {
    const std::size_t end = text.find(',');
    return end == std::string_view::npos ? text : text.substr(0, end);
}

// Whether a move string is well formed: at least two squares, every square on the board and
// every step along one rank or one file onto another square.
constexpr bool is_well_formed_move(std::string_view move) {
    if (move.size() < 4 || move.size() % 2 != 0) {
        return false;
    }
    std::optional<int> from = parse_square(move[0], move[1]);
    if (!from) {
        return false;
    }
    for (std::size_t i = 2; i < move.size(); i += 2) {
        const std::optional<int> to = parse_square(move[i], move[i + 1]);
        if (!to || *to == *from) {
            return false;
        }
        if (row_of(*to) != row_of(*from) && column_of(*to) != column_of(*from)) {
            return false;
        }
        from = to;
    }
    return true;
}

// The most squares a capture path can name: the start and one landing per captured piece.
inline constexpr std::size_t kMaxPathSquares = 64;

// A move string in fixed storage large enough for the longest path on any board; used for the
// pending path, the last move and the computer's choice. Pushing past capacity is refused.
class MoveString {
  public:
    static constexpr std::size_t kCapacity = 2 * kMaxPathSquares;

    constexpr MoveString() = default;

    // A copy of a move string; false-y (empty) when it would not fit.
    static constexpr MoveString from(std::string_view move) {
        MoveString m;
        if (move.size() <= kCapacity) {
            for (char ch : move) {
                m.chars_[m.size_++] = ch;
            }
            m.chars_[m.size_] = '\0';
        }
        return m;
    }

    constexpr std::string_view view() const { return {chars_.data(), size_}; }
    constexpr const char* c_str() const { return chars_.data(); }
    constexpr bool empty() const { return size_ == 0; }
    constexpr std::size_t squares() const { return size_ / 2; }
    constexpr void clear() {
        size_ = 0;
        chars_[0] = '\0';
    }

    // Appends a square; false when the path is already at its longest.
    constexpr bool push_square(int square) {
        if (size_ + 2 > kCapacity) {
            return false;
        }
        const SquareName n = square_name(square);
        chars_[size_++] = n[0];
        chars_[size_++] = n[1];
        chars_[size_] = '\0';
        return true;
    }

    // Removes the last square, if any.
    constexpr void pop_square() {
        if (size_ >= 2) {
            size_ -= 2;
            chars_[size_] = '\0';
        }
    }

    // The index of the i-th square of the path.
    constexpr int square(std::size_t i) const {
        return *parse_square(chars_[2 * i], chars_[2 * i + 1]);
    }

    constexpr bool contains(int square_idx) const {
        for (std::size_t i = 0; i < squares(); ++i) {
            if (square(i) == square_idx) {
                return true;
            }
        }
        return false;
    }

    friend constexpr bool operator==(const MoveString& a, const MoveString& b) {
        return a.view() == b.view();
    }

  private:
    std::array<char, kCapacity + 1> chars_{};
    std::size_t size_ = 0;
};

// The entries of a move list text (",a3a4,b3b4"), walked in order without copying.
class MoveEntries {
  public:
    class iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;

        constexpr iterator() = default;
        constexpr explicit iterator(std::string_view rest) : rest_(rest) { load(); }
        constexpr std::string_view operator*() const { return current_; }
        constexpr iterator& operator++() {
            rest_.remove_prefix(current_.size());
            load();
            return *this;
        }
        constexpr iterator operator++(int) {
            iterator old = *this;
            ++*this;
            return old;
        }
        constexpr bool operator==(const iterator& other) const {
            return rest_.data() == other.rest_.data() && rest_.size() == other.rest_.size();
        }

      private:
        // Steps over the ',' that opens the next entry and frames its move string.
        constexpr void load() {
            if (rest_.empty()) {
                current_ = {};
                return;
            }
            rest_.remove_prefix(1);
            current_ = move_at(rest_);
        }
        std::string_view rest_;
        std::string_view current_;
    };

    constexpr explicit MoveEntries(std::string_view list) : list_(list) {}
    constexpr iterator begin() const { return iterator(list_); }
    constexpr iterator end() const { return iterator(list_.substr(list_.size())); }

  private:
    std::string_view list_;
};

// Counts the entries of a move list text.
constexpr std::size_t count_moves(std::string_view list) {
    std::size_t n = 0;
    for (char ch : list) {
        n += ch == ',' ? 1 : 0;
    }
    return n;
}

// A move list: ',' before every move, in the generator's order. Storage starts large enough for
// the lists of real games and grows when a list outgrows it, so a list is never cut short.
class MoveList {
  public:
    static constexpr std::size_t kInitialCapacity = 84000;

    MoveList() : data_(new char[kInitialCapacity]), capacity_(kInitialCapacity) { data_[0] = '\0'; }
    MoveList(MoveList&&) noexcept = default;
    MoveList& operator=(MoveList&&) noexcept = default;
    MoveList(const MoveList&) = delete;
    MoveList& operator=(const MoveList&) = delete;
    ~MoveList() = default;

    void clear() noexcept { truncate(0); }
    bool empty() const noexcept { return size_ == 0; }
    std::string_view text() const noexcept { return {data_.get(), size_}; }
    const char* c_str() const noexcept { return data_.get(); }
    std::size_t capacity() const noexcept { return capacity_; }
    MoveEntries entries() const noexcept { return MoveEntries(text()); }

    // Appends one entry: the path followed by one more square.
    void append(std::string_view path, int square) {
        const std::size_t size = size_ + 1 + path.size() + 2;
        reserve(size + 1);
        char* p = data_.get() + size_;
        *p++ = ',';
        path.copy(p, path.size());
        p += path.size();
        const SquareName n = square_name(square);
        p[0] = n[0];
        p[1] = n[1];
        p[2] = '\0';
        size_ = size;
    }

    // Appends a one-step move from one square to another.
    void append_step(int from, int to) {
        reserve(size_ + 6);
        const SquareName a = square_name(from);
        const SquareName b = square_name(to);
        char* p = data_.get() + size_;
        p[0] = ',';
        p[1] = a[0];
        p[2] = a[1];
        p[3] = b[0];
        p[4] = b[1];
        p[5] = '\0';
        size_ += 5;
    }

    // Appends text that is itself a move list (or empty), keeping its entries' order.
    void append_list(std::string_view list) {
        reserve(size_ + list.size() + 1);
        list.copy(data_.get() + size_, list.size());
        size_ += list.size();
        data_[size_] = '\0';
    }

    // Replaces the whole list by a move list text.
    void assign(std::string_view list) {
        clear();
        append_list(list);
    }

    // Storage for edits in place that keep the list well formed; see truncate().
    char* data() noexcept { return data_.get(); }

    // Shortens the list to its first `size` characters.
    void truncate(std::size_t size) noexcept {
        if (size < size_) {
            size_ = size;
        }
        data_[size_] = '\0';
    }

  private:
    // Makes room for at least `needed` characters, the NUL included; grows by doubling.
    void reserve(std::size_t needed) {
        if (needed <= capacity_) {
            return;
        }
        std::size_t capacity = capacity_ * 2;
        while (capacity < needed) {
            capacity *= 2;
        }
        std::unique_ptr<char[]> bigger(new char[capacity]);
        text().copy(bigger.get(), size_);
        bigger[size_] = '\0';
        data_ = std::move(bigger);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Parses a position written as eight ranks from 8 down to 1 joined by '/', each rank eight
// characters from file a to h ('o', 'O', 'x', 'X', '.'), or the word "start".
std::optional<Board> parse_pos(std::string_view text);

// Writes a board in the form that parse_pos reads (never "start").
std::string format_pos(const Board& board);

}  // namespace zarvo
