// Tuning figures on standard error, printed only when ZARVO_FIGURES is set.
#include "ui/figures.h"

#include <time.h>

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

}  // namespace

void program_started() {
    started_ns = now_ns();
}

void board_painted() {
    if (!kEnabled || painted) {
        return;
    }
    painted = true;
    const std::int64_t now = now_ns();
    std::fprintf(stderr, "figures: first-frame monotonic-ns %lld since-main-ms %.1f\n",
                 static_cast<long long>(now), static_cast<double>(now - started_ns) / 1e6);
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
