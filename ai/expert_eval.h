// The Expert's judgement of a quiet position: material with a king worth several men, how far the
// men have come and who wins the race to crown, the guard of the home rank, mobility, and the
// freedom of the kings in endings. In hundredths of a man, from the side to move's view.
#pragma once

#include <array>
#include <cstdint>

#include "rules/board.h"
#include "rules/piece_bits.h"

namespace zarvo {

// The weights of the Expert's evaluation, in hundredths of a man (a man is 100). They were tuned
// by self-play: each was moved up and down in short matches against these values (zarvo-cli
// match --tune), and none of the trials beat them by more than the noise; mobility lost clearly
// either way (the trials are listed in the README's section on the Expert).
struct ExpertWeights {
    // A king, in each variant: a Turkish king lands anywhere behind its capture and is worth more.
    int greek_king = 250;
    int turkish_king = 300;
    // A man by the ranks it has come from its home rank (index 0: rank 1 for red, never held;
    // 1: the home rank, rank 2 for red; up to 6: one step from crowning), with many pieces on
    // the board and with few; positions in between are blended by the number of pieces.
    std::array<int, 8> advance_opening{0, 0, 0, 2, 5, 10, 20, 0};
    std::array<int, 8> advance_ending{0, 0, 6, 14, 24, 38, 56, 0};
    // A man on its home rank while the opponent still has men that could crown there.
    int home_guard = 6;
    // A man whose path to the crowning row is free (no piece on its file ahead and no enemy man on
    // the neighbouring files ahead): this much when one step away, less the further it has to go.
    // Halved while the opponent has a king, which can still stop it.
    int free_path = 70;
    // Each plain move a side has.
    int mobility = 2;
    // Each square a king can reach, with few pieces on the board.
    int king_freedom = 4;
    // A king that cannot move at all.
    int boxed_king = 40;
    // Trading down when ahead: the lead grows by this percentage of itself over the pieces left.
    int trade_down = 300;
};

// The weights the Expert plays with.
inline constexpr ExpertWeights kExpertWeights{};

// The evaluation with its weights, laid out as tables by square for the search's many calls.
class ExpertEval {
  public:
    explicit ExpertEval(const ExpertWeights& weights = kExpertWeights);

    // The score of a position for `to_move`, from its pieces as bits.
    int evaluate(const PieceBits& bits, Side to_move, Variant variant) const;

    const ExpertWeights& weights() const { return weights_; }

  private:
    // Red's part of the score less blue's.
    int red_lead(const PieceBits& bits, Variant variant) const;

    ExpertWeights weights_;
    // A red man's worth on each square with a full board and with an empty one (a blue man's is
    // the mirror image).
    std::array<int, 64> red_man_opening_{};
    std::array<int, 64> red_man_ending_{};
    // For a red man on each square: the squares ahead on its file, and those on its file and the
    // neighbouring files ahead (a blue man's are the mirror image).
    std::array<std::uint64_t, 64> red_file_ahead_{};
    std::array<std::uint64_t, 64> red_corridor_{};
    std::array<std::uint64_t, 64> blue_file_ahead_{};
    std::array<std::uint64_t, 64> blue_corridor_{};
};

}  // namespace zarvo
