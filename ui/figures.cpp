// Tuning figures on standard error, printed only when ZARVO_FIGURES is set.
#include "ui/figures.h"

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zarvo::figures {
namespace {

// CLOCK_MONOTONIC in nanoseconds, the clock other programs can compare with.
std::int64_t now_ns() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

const bool kEnabled = std::getenv("ZARVO_FIGURES") != nullptr;
// When main() began, and whether the board has been painted yet.
std::int64_t started_ns = 0;
bool painted = false;

// While a move travels: the frames painted, the longest paint, the last paint's end and the
// longest gap between two paints.
bool animating = false;
int frames = 0;
std::int64_t longest_paint_us = 0;
std::int64_t last_paint_ns = 0;
std::int64_t longest_gap_ns = 0;

}  // namespace

void program_started() {
    started_ns = now_ns();
}

void board_painted(std::int64_t draw_us) {
    if (!kEnabled) {
        return;
    }
    const std::int64_t now = now_ns();
    if (animating) {
        ++frames;
        longest_paint_us = std::max(longest_paint_us, draw_us);
        if (last_paint_ns != 0) {
            longest_gap_ns = std::max(longest_gap_ns, now - last_paint_ns);
        }
        last_paint_ns = now;
    }
    if (painted) {
        return;
    }
    painted = true;
    std::fprintf(stderr, "figures: first-frame monotonic-ns %lld since-main-ms %.1f\n",
                 static_cast<long long>(now), static_cast<double>(now - started_ns) / 1e6);
}

void animation_started() {
    animating = true;
    frames = 0;
    longest_paint_us = 0;
    last_paint_ns = 0;
    longest_gap_ns = 0;
}

void animation_ended() {
    if (!kEnabled || !animating) {
        return;
    }
    animating = false;
    std::fprintf(stderr, "figures: animation frames %d longest-paint-us %lld longest-gap-us %lld\n",
                 frames, static_cast<long long>(longest_paint_us),
                 static_cast<long long>(longest_gap_ns / 1000));
}

void quit_requested(bool computer_thinking) {
    if (kEnabled) {
        std::fprintf(stderr, "figures: quit-requested monotonic-ns %lld thinking %d\n",
                     static_cast<long long>(now_ns()), computer_thinking ? 1 : 0);
    }
}

void program_ending() {
    if (kEnabled) {
        std::fprintf(stderr, "figures: exit monotonic-ns %lld\n", static_cast<long long>(now_ns()));
    }
}

}  // namespace zarvo::figures
