#!/usr/bin/env bash
# Installs what is needed, builds Zarvo and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j 2 --target zarvo zarvo-cli translations
exec build/ui/zarvo "$@"
