#!/usr/bin/env bash
# A first look at Lumitag without a sign: on a temporary program folder,
# compose a small program, paint its preview into a PNG and write the frames
# of one send to a file, all from the built-in defaults.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${BUILD_DIR:-build}"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target lumitag-cli lumitag_data

# BUILD_DIR may be relative to the source tree or absolute.
bin="$(cd "$build" && pwd)/bin"
home="$(mktemp -d "${TMPDIR:-/tmp}/lumitag-demo.XXXXXX")"
# The glyph and animation bitmaps are read from the program folder.
ln -s "$bin/Data" "$home/Data"
cli() { "$bin/lumitag-cli" --home "$home" "$@"; }

cli set-model Q30 >/dev/null
cli text 1 "Hello " --colour red --bold --symbol 3 >/dev/null
cli slot 1 --effect Left --speed 5
cli date 2 "Time " --time --seconds --colour green >/dev/null
cli text 3 "Lumitag" --colour green-yellow-red >/dev/null
cli slot 3 --effect Snow --blink on
cli show
cli preview --png "$home/preview.png" --scale 2
cli send --output "$home/frames.bin"

echo
echo "Program folder: $home"
echo "  preview:   $home/preview.png"
echo "  frames:    $home/frames.bin"
echo "  work file: $home/WorkData/0.led"
echo "  frame log: $home/Debug.Log"
