// The Expert's memory of positions already searched: what each was found to be worth, to what
// depth, and the move that was best there, kept under the position's key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace zarvo {

// What a stored score says of the true score: it is exact, at least it (the search was cut off
// above), or at most it (no move reached it).
enum class Bound : std::uint8_t { Exact, Lower, Upper };

// One remembered search: the depth it went to, its score and bound, and its best move, named by
// its place in the position's move list with its first and last squares to check it by.
struct TableEntry {
    std::uint64_t key = 0;
    std::int16_t score = 0;
    std::uint16_t move_index = 0;
    std::uint8_t move_from = 0;
    std::uint8_t move_to = 0;
    std::int8_t depth = 0;
    Bound bound = Bound::Exact;
    // The search (one per root move chosen) that wrote the entry: older ones are overwritten first.
    std::uint8_t age = 0;
    // Whether the entry names a best move.
    bool has_move = false;
};

// A fixed-size table of entries in buckets of two: one keeps the deepest search of its positions,
// the other the latest. Its memory is taken once, when it is made.
class TranspositionTable {
  public:
    // A table of about `megabytes` (at least one bucket, rounded down to a power of two buckets).
    explicit TranspositionTable(std::size_t megabytes);

    // The entry stored for `key`, if any.
    std::optional<TableEntry> probe(std::uint64_t key) const;

    // Stores a search's outcome for its key.
    void store(const TableEntry& entry);

    // Starts a new search: entries of earlier ones give way to its own.
    void new_search() { ++age_; }
    // Forgets every entry (a new game).
    void clear();

    std::uint8_t age() const { return age_; }
    std::size_t entries() const { return 2 * buckets_; }

  private:
    struct Bucket {
        TableEntry deepest;
        TableEntry latest;
    };

    Bucket& bucket_of(std::uint64_t key) const {
        return table_[static_cast<std::size_t>(key) & (buckets_ - 1)];
    }

    std::size_t buckets_;
    std::unique_ptr<Bucket[]> table_;
    std::uint8_t age_ = 0;
};

}  // namespace zarvo
