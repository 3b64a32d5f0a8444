#include "ai/transposition_table.h"

#include <algorithm>
#include <bit>

namespace zarvo {

TranspositionTable::TranspositionTable(std::size_t megabytes)
    : buckets_(std::bit_floor(std::max<std::size_t>(1, (megabytes << 20) / sizeof(Bucket)))),
      table_(new Bucket[buckets_]) {}

std::optional<TableEntry> TranspositionTable::probe(std::uint64_t key) const {
    const Bucket& b = bucket_of(key);
    // A key of 0 marks an empty slot; a position whose key is 0 is simply never found.
    if (b.deepest.key == key && key != 0) {
        return b.deepest;
    }
    if (b.latest.key == key && key != 0) {
        return b.latest;
    }
    return std::nullopt;
}

void TranspositionTable::store(const TableEntry& entry) {
    Bucket& b = bucket_of(entry.key);
    TableEntry stored = entry;
    stored.age = age_;
    // A new search of a position already held keeps its best move when it found none of its own.
    for (const TableEntry* old : {&b.deepest, &b.latest}) {
        if (old->key == entry.key && !stored.has_move && old->has_move) {
            stored.has_move = true;
            stored.move_index = old->move_index;
            stored.move_from = old->move_from;
            stored.move_to = old->move_to;
        }
    }
    if (b.deepest.key == entry.key || b.deepest.age != age_ || entry.depth >= b.deepest.depth) {
        // The deepest slot's former holder, if it is another position, moves to the latest slot.
        if (b.deepest.key != entry.key && b.deepest.key != 0) {
            b.latest = b.deepest;
        }
        b.deepest = stored;
        return;
    }
    b.latest = stored;
}

void TranspositionTable::clear() {
    std::fill(table_.get(), table_.get() + buckets_, Bucket{});
    age_ = 0;
}

}  // namespace zarvo
