#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (or $BUILD).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
