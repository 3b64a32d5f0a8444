#!/usr/bin/env bash
# Installs what is needed, builds Zarvo five ways, each stopping on any compiler warning, and runs
# every test: unit, command-line and window tests on a Release build made with Debian's packaging
# flags, then its installed files and Debian package checked and both programs run from the
# unpacked package; both programs built in Release with clang++; the unit, command-line and window
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, with a minute of random input
# to the window there; the threaded searches under ThreadSanitizer; and each fuzz target for a
# fixed number of runs.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

passed=0
failed=0

# Runs ctest with the given arguments and adds its counts to the totals.
run_ctest() {
    local log
    log=$(mktemp)
    ctest "$@" --output-on-failure 2>&1 | tee "$log"
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        echo "ctest $* ran no test or did not finish"
        failed=$((failed + 1))
    else
        local bad total
        bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    rm -f "$log"
}

# Builds a configuration (every target, or those after --target), or counts the whole step as
# one failure.
build() {
    local dir=$1
    shift
    local options=()
    local targets=()
    while [ $# -gt 0 ]; do
        if [ "$1" = "--target" ]; then
            targets+=(--target "$2")
            shift 2
        else
            options+=("$1")
            shift
        fi
    done
    if ! cmake -S . -B "$dir" -G Ninja "${options[@]}" >/dev/null ||
        ! cmake --build "$dir" -j 2 "${targets[@]}"; then
        echo "build of $dir failed"
        failed=$((failed + 1))
        return 1
    fi
}

echo "== Formatting"
if git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror; then
    echo "clang-format: every source file is formatted"
    passed=$((passed + 1))
else
    echo "clang-format: the files above need formatting (clang-format -i)"
    failed=$((failed + 1))
fi

# Debian's packaging flags (hardening, fortified sources), as a package of the game is built with.
packaging_cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
packaging_ldflags=$(dpkg-buildflags --get LDFLAGS)

echo "== Release build with the packaging flags: unit, command-line and window tests"
if build build -DCMAKE_BUILD_TYPE=Release -DZARVO_WERROR=ON -DZARVO_GUI=ON -DZARVO_BENCH=ON \
    "-DCMAKE_CXX_FLAGS=$packaging_cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$packaging_ldflags"; then
    run_ctest --test-dir build -LE 'gui|install' -j 2
    # The window tests each start their own X server; one at a time keeps them steady. The
    # random input runs on the sanitizer build below.
    run_ctest --test-dir build -L gui -LE random

    echo "== Installing: the installed files validated, the Debian package built, unpacked and run"
    started=$SECONDS
    run_ctest --test-dir build -L install
    echo "install checks took $((SECONDS - started)) s"
fi

echo "== Release build of both programs with clang++"
if CXX=clang++ build build-clang -DCMAKE_BUILD_TYPE=Release -DZARVO_WERROR=ON -DZARVO_GUI=ON \
    -DZARVO_BENCH=OFF -DBUILD_TESTING=OFF --target zarvo --target zarvo-cli; then
    echo "clang++: zarvo and zarvo-cli built in Release"
    passed=$((passed + 1))
fi

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build, the window included"
if build build-asan -DCMAKE_BUILD_TYPE=Debug -DZARVO_WERROR=ON -DZARVO_SANITIZE=ON -DZARVO_GUI=ON \
    -DZARVO_BENCH=OFF; then
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        run_ctest --test-dir build-asan -LE 'gui|install' -j 2
    # The window tests under the sanitizers, a minute of random input among them.
    run_ctest --test-dir build-asan -L gui
fi

echo "== ThreadSanitizer build: the searches that run on threads of their own"
if build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVO_WERROR=ON -DZARVO_TSAN=ON \
    -DZARVO_GUI=OFF -DZARVO_BENCH=OFF --target ai_thread_tests; then
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_ctest --test-dir build-tsan -L threads
fi

echo "== Fuzz targets"
if CXX=clang++ build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVO_WERROR=ON -DZARVO_FUZZ=ON \
    -DZARVO_GUI=OFF -DZARVO_BENCH=OFF -DBUILD_TESTING=OFF; then
    for fuzzer in build-fuzz/fuzz/*_fuzz; do
        corpus=$(mktemp -d)
        if "$fuzzer" -runs=50000 -seed=1 -max_len=256 -timeout=20 -rss_limit_mb=2048 "$corpus" \
            >"$corpus.log" 2>&1; then
            echo "$(basename "$fuzzer"): $(grep -E '^Done' "$corpus.log")"
            passed=$((passed + 1))
        else
            tail -n 40 "$corpus.log"
            echo "$(basename "$fuzzer"): FAILED"
            failed=$((failed + 1))
        fi
        rm -rf "$corpus" "$corpus.log"
    done
fi

echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
