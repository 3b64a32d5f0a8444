// A move as the squares its piece stands on, and a list of moves in the generator's order.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>

#include "rules/board.h"

namespace zarvo {

// The most squares a path can name: the start and one landing per captured piece, and a side
// can capture at most 63 pieces.
inline constexpr std::size_t kMaxPathSquares = 64;

// A move: the start square, then each square the piece lands on. A plain move has one step;
// a capture path has one step per captured piece. Also used for paths that are not (yet)
// moves: the squares a player has clicked so far. Pushing past capacity is refused.
class Move {
  public:
    constexpr Move() = default;
    constexpr Move(std::initializer_list<int> squares) {
        for (int square : squares) {
            push(square);
        }
    }

    // The path from `from` to `to` in one step.
    static constexpr Move step(int from, int to) {
        Move m;
        m.squares_[0] = static_cast<std::uint8_t>(from);
        m.squares_[1] = static_cast<std::uint8_t>(to);
        m.size_ = 2;
        return m;
    }

    constexpr std::size_t size() const { return size_; }
    constexpr bool empty() const { return size_ == 0; }
    constexpr int operator[](std::size_t i) const { return squares_[i]; }
    constexpr int from() const { return squares_[0]; }
    constexpr int to() const { return squares_[size_ - 1]; }
    // The number of steps: one per captured piece in a capture path.
    constexpr std::size_t steps() const { return size_ == 0 ? 0 : size_ - 1u; }
    constexpr std::span<const std::uint8_t> squares() const { return {squares_.data(), size_}; }

    // Appends a square; false when the path is already at its longest.
    constexpr bool push(int square) {
        if (size_ >= kMaxPathSquares) {
            return false;
        }
        squares_[size_] = static_cast<std::uint8_t>(square);
        size_ = static_cast<std::uint8_t>(size_ + 1);
        return true;
    }
    // Removes the last square, if any.
    constexpr void pop() {
        if (size_ > 0) {
            --size_;
        }
    }
    constexpr void clear() { size_ = 0; }

    constexpr bool contains(int square) const {
        return std::find(squares_.begin(), squares_.begin() + size_, square) !=
               squares_.begin() + size_;
    }
    // Whether this path begins with every square of `prefix`, in order.
    constexpr bool starts_with(const Move& prefix) const {
        return prefix.size_ <= size_ &&
               std::equal(prefix.squares_.begin(), prefix.squares_.begin() + prefix.size_,
                          squares_.begin());
    }

    friend constexpr bool operator==(const Move& a, const Move& b) {
        return a.size_ == b.size_ &&
               std::equal(a.squares_.begin(), a.squares_.begin() + a.size_, b.squares_.begin());
    }

  private:
    friend class MoveList;
    std::uint8_t size_ = 0;
    std::array<std::uint8_t, kMaxPathSquares> squares_{};
};

// Whether a path is a well-formed move: at least two squares, each step along one rank or one
// file onto another square. Every move the generator lists is one.
constexpr bool is_well_formed(const Move& move) {
    if (move.size() < 2) {
        return false;
    }
    for (std::size_t i = 1; i < move.size(); ++i) {
        const int a = move[i - 1];
        const int b = move[i];
        if (a == b || (row_of(a) != row_of(b) && column_of(a) != column_of(b))) {
            return false;
        }
    }
    return true;
}

// The legal moves of a side in the generator's order. Storage starts large enough for the
// lists of real games and grows when a list outgrows it, so a list is never cut short and a
// list that has reached its size takes nothing more from the heap.
class MoveList {
  public:
    static constexpr std::size_t kInitialCapacity = 512;

    MoveList() : moves_(new Move[kInitialCapacity]), capacity_(kInitialCapacity) {}
    MoveList(MoveList&&) noexcept = default;
    MoveList& operator=(MoveList&&) noexcept = default;
    MoveList(const MoveList&) = delete;
    MoveList& operator=(const MoveList&) = delete;
    ~MoveList() = default;

    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    std::size_t capacity() const noexcept { return capacity_; }
    const Move& operator[](std::size_t i) const noexcept { return moves_[i]; }
    const Move* begin() const noexcept { return moves_.get(); }
    const Move* end() const noexcept { return moves_.get() + size_; }

    void clear() noexcept { size_ = 0; }
    // Keeps the first `size` moves.
    void truncate(std::size_t size) noexcept { size_ = std::min(size, size_); }

    void push_back(const Move& move) { next() = move; }

    // Appends a one-step move.
    void push_step(int from, int to) {
        Move& m = next();
        m.squares_[0] = static_cast<std::uint8_t>(from);
        m.squares_[1] = static_cast<std::uint8_t>(to);
        m.size_ = 2;
    }

    // Appends `path` followed by one more square (a capture path ending with this landing).
    // The caller keeps paths short enough for the landing to fit.
    void push_extended(const Move& path, int landing) {
        Move& m = next();
        std::copy_n(path.squares_.begin(), path.size_, m.squares_.begin());
        m.squares_[path.size_] = static_cast<std::uint8_t>(landing);
        m.size_ = static_cast<std::uint8_t>(path.size_ + 1);
    }

  private:
    // The slot for one more move, growing the storage by doubling when it is full.
    Move& next() {
        if (size_ == capacity_) {
            std::unique_ptr<Move[]> bigger(new Move[capacity_ * 2]);
            std::copy_n(moves_.get(), size_, bigger.get());
            moves_ = std::move(bigger);
            capacity_ *= 2;
        }
        return moves_[size_++];
    }

    std::unique_ptr<Move[]> moves_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace zarvo
