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

// The command under way: how deep commands nest, when it began, when events were last handled,
// the longest stretch without them so far, and how many rounds of events it has handled.
int command_depth = 0;
std::int64_t command_start_ns = 0;
std::int64_t last_handled_ns = 0;
std::int64_t longest_gap_ns = 0;
int event_rounds = 0;

// Keeps the longest stretch since events were last handled.
void note_gap(std::int64_t now) {
    longest_gap_ns = std::max(longest_gap_ns, now - last_handled_ns);
}

}  // namespace

bool enabled() {
    return kEnabled;
}

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

void command_begins() {
    if (!kEnabled || command_depth++ > 0) {
        return;
    }
    command_start_ns = last_handled_ns = now_ns();
    longest_gap_ns = 0;
    event_rounds = 0;
}

void command_ends() {
    if (!kEnabled || --command_depth > 0) {
        return;
    }
    const std::int64_t now = now_ns();
    note_gap(now);
    std::fprintf(stderr,
                 "figures: command ms %.1f event-rounds %d longest-without-events-ms %.1f\n",
                 static_cast<double>(now - command_start_ns) / 1e6, event_rounds,
                 static_cast<double>(longest_gap_ns) / 1e6);
}

void quit_requested() {
    if (kEnabled) {
        std::fprintf(stderr, "figures: quit-requested in-command %d event-round %d\n",
                     command_depth > 0 ? 1 : 0, event_rounds);
    }
}

void events_begin() {
    if (kEnabled && command_depth > 0) {
        note_gap(now_ns());
        ++event_rounds;
    }
}

void events_end() {
    if (kEnabled && command_depth > 0) {
        last_handled_ns = now_ns();
    }
}

}  // namespace zarvo::figures
