#!/usr/bin/env bash
# Builds the desktop program and starts it. The program folder is the build's
# bin/ folder (Data/ is laid there by the build; WorkData/ and Image/ are
# written there); pass --home DIR to use another one.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${BUILD_DIR:-build}"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The picture editor of Tools/ is what the "Bmp editor" button starts.
cmake --build "$build" --target lumitag lumitag_data imagedit

bin="$(cd "$build" && pwd)/bin"
exec "$bin/lumitag" "$@"
