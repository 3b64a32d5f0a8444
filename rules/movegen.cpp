#include "rules/movegen.h"

#include <algorithm>

#include "rules/piece_bits.h"

namespace zarvo {

namespace {

// Writes each capture path into a move list as it is found: all of them in the Greek variant,
// the greatest so far in the Turkish.
class ListSink {
  public:
    ListSink(MoveList& list, Variant variant)
        : list_(list), base_(list.size()), turkish_(variant == Variant::Turkish) {}

    // Starts on the paths of the piece on `square`.
    void start(int square) {
        path_.clear();
        path_.push(square);
    }
    void found(int landing, int, char) {
        if (turkish_) {
            switch (greatest_.judge(path_.size())) {
                case GreatestCapture::Verdict::Shorter:
                    return;
                case GreatestCapture::Verdict::Longer:
                    list_.truncate(base_);
                    break;
                case GreatestCapture::Verdict::AsLong:
                    break;
            }
        }
        list_.push_extended(path_, landing);
    }
    bool enter(int landing, int, char) {
        // Every jump captures a piece, so a path outgrows its storage only on boards that no game
        // can reach; it is then not continued.
        return path_.size() + 1 < kMaxPathSquares && path_.push(landing);
    }
    void leave() { path_.pop(); }

  private:
    MoveList& list_;
    std::size_t base_;
    bool turkish_;
    GreatestCapture greatest_;
    Move path_;
};

// Counts capture chains as they are found: every chain in the Greek variant, and in the Turkish
// only those as long as the greatest found so far (a longer one starts the count afresh).
class ChainTally {
  public:
    explicit ChainTally(Variant variant) : turkish_(variant == Variant::Turkish) {}

    void found(std::size_t captures) {
        if (!turkish_) {
            ++count_;
            return;
        }
        switch (greatest_.judge(captures)) {
            case GreatestCapture::Verdict::Shorter:
                return;
            case GreatestCapture::Verdict::Longer:
                count_ = 1;
                return;
            case GreatestCapture::Verdict::AsLong:
                ++count_;
                return;
        }
    }
    int count() const { return count_; }

  private:
    bool turkish_;
    GreatestCapture greatest_;
    int count_ = 0;
};

// Counts capture paths as the walk finds them, with the tally's rule.
class CountSink {
  public:
    explicit CountSink(Variant variant) : tally_(variant) {}

    void found(int, int, char) { tally_.found(depth_ + 1); }
    bool enter(int, int, char) {
        // The same limit as the list's paths, so the counts agree on every board.
        if (depth_ + 2 >= kMaxPathSquares) {
            return false;
        }
        ++depth_;
        return true;
    }
    void leave() { --depth_; }
    int count() const { return tally_.count(); }

  private:
    ChainTally tally_;
    std::size_t depth_ = 0;
};

// Counts the capture chains of one man from its square, with pieces and empty squares as bits:
// every chain in the Greek variant, the greatest in the Turkish. A man jumps an enemy piece next
// to it (not behind it) onto the empty square beyond, the captured piece leaves at once, and the
// chain ends on its crowning row.
class ManChainCounter {
  public:
    ManChainCounter(char man, std::uint64_t enemy, Variant variant)
        : man_(man), backward_(backward_of(man)), enemy_(enemy), tally_(variant) {}

    void count_from(int square, std::uint64_t empty, std::size_t captured) {
        for (int d = 0; d < 4; ++d) {
            if (d == backward_) {
                continue;
            }
            const int victim = neighbour(square, d);
            if (victim < 0 || (enemy_ & square_bit(victim)) == 0) {
                continue;
            }
            const int landing = neighbour(victim, d);
            if (landing < 0 || (empty & square_bit(landing)) == 0) {
                continue;
            }
            tally_.found(captured + 1);
            if (on_crowning_row(man_, landing) || captured + 2 >= kMaxPathSquares) {
                continue;
            }
            enemy_ &= ~square_bit(victim);
            count_from(landing,
                       (empty | square_bit(victim) | square_bit(square)) & ~square_bit(landing),
                       captured + 1);
            enemy_ |= square_bit(victim);
        }
    }
    int count() const { return tally_.count(); }

  private:
    char man_;
    int backward_;
    // The enemy pieces still on the board along the chain being counted.
    std::uint64_t enemy_;
    ChainTally tally_;
};

}  // namespace

int generate_moves(const Position& position, Side side, MoveList& list, Landings landings) {
    return generate_moves(position, PieceBits::of(position.squares), side, list, landings);
}

int generate_moves(const Position& position, const PieceBits& bits, Side side, MoveList& list,
                   Landings landings) {
    list.clear();
    const Board& board = position.squares;
    const std::uint64_t capturing = capturing_pieces(bits, side);
    // In the Turkish variant a capture replaces every plain move; in the Greek the captures come
    // after every plain move, in the same order of pieces.
    if (capturing == 0 || position.variant == Variant::Greek) {
        visit_plain_moves(board, bits, side, [&](int from, int to) { list.push_step(from, to); });
    }
    if (capturing != 0) {
        ListSink sink(list, position.variant);
        visit_capturing_pieces(board, side, capturing, [&](int square, int reach, int excluded) {
            sink.start(square);
            visit_capture_paths(sink, square, board, position.variant, reach, excluded,
                                kNoDirection, landings);
        });
    }
    return static_cast<int>(list.size());
}

int count_moves_unless_a_king_captures(const PieceBits& bits, Side side, Variant variant) {
    const std::uint64_t men = bits.men(side);
    // The men's plain moves are counted all at once: forward (up the board for red, down for
    // blue) and to either side, each a shift of the whole set.
    const std::uint64_t ahead = side == Side::Red ? men >> 8 : men << 8;
    int plain = count_bits(ahead & bits.empty) +
                count_bits(shifted(men, kTowardFileA) & bits.empty) +
                count_bits(shifted(men, kTowardFileH) & bits.empty);
    for (std::uint64_t kings = bits.kings(side); kings != 0; kings &= kings - 1) {
        const int square = std::countr_zero(kings);
        // A king's capture paths are walked on the board.
        if (king_can_capture(bits, square, side)) {
            return kKingCaptures;
        }
        for (int d = 0; d < 4; ++d) {
            for (int t = neighbour(square, d); t >= 0 && (bits.empty & square_bit(t)) != 0;
                 t = neighbour(t, d)) {
                ++plain;
            }
        }
    }
    const std::uint64_t capturing = capturing_men(bits, side);
    if (capturing == 0) {
        return plain;
    }
    ManChainCounter chains(man_of(side), ~(bits.pieces(side) | bits.empty), variant);
    for (std::uint64_t left = capturing; left != 0; left &= left - 1) {
        const int square = std::countr_zero(left);
        chains.count_from(square, bits.empty | square_bit(square), 0);
    }
    return variant == Variant::Turkish ? chains.count() : plain + chains.count();
}

int count_legal_moves(const Position& position, Side side, Landings landings) {
    const PieceBits bits = PieceBits::of(position.squares);
    if (const int n = count_moves_unless_a_king_captures(bits, side, position.variant);
        n != kKingCaptures) {
        return n;
    }
    const Board& board = position.squares;
    int plain = 0;
    if (position.variant == Variant::Greek) {
        visit_plain_moves(board, bits, side, [&](int, int) { ++plain; });
    }
    CountSink sink(position.variant);
    visit_capturing_pieces(board, side, capturing_pieces(bits, side),
                           [&](int square, int reach, int excluded) {
                               visit_capture_paths(sink, square, board, position.variant, reach,
                                                   excluded, kNoDirection, landings);
                           });
    return plain + sink.count();
}

bool is_legal(const Position& position, Side side, const Move& move) {
    MoveList list;
    generate_moves(position, side, list, Landings::Every);
    return std::find(list.begin(), list.end(), move) != list.end();
}

}  // namespace zarvo
