#!/usr/bin/env bash
# Builds the desktop program and starts it. The program folder is the build's
# bin/ folder (Data/ is laid there by the build; WorkData/ and Image/ are
# written there); pass --home DIR to use another one.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${BUILD_DIR:-build}"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target lumitag lumitag_data

bin="$(cd "$build" && pwd)/bin"
exec "$bin/lumitag" "$@"
