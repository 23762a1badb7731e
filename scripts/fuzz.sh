#!/usr/bin/env bash
# Builds every fuzz harness with clang, libFuzzer, ASan and UBSan (the
# libraries they link instrumented too) in a build folder of its own, then
# runs each harness for SECONDS (default 600) on a copy of its seeds with its
# dictionary. Findings land in <build>/findings/; a summary line per harness
# (executions, coverage, findings) is printed at the end. Exit status 1 when
# any harness found something.
#   scripts/fuzz.sh [SECONDS]      FUZZ_BUILD_DIR (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DLUMITAG_FUZZ=ON -DLUMITAG_BUILD_TESTS=OFF -DLUMITAG_BUILD_BENCH=OFF -DLUMITAG_BUILD_GUI=OFF \
  "${launcher[@]}" >/dev/null
mapfile -t harnesses < <(cut -f1 "$build/fuzz/harnesses.txt")
cmake --build "$build" --target "${harnesses[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings" "$build/corpus" "$build/logs"
summary=()
failed=0
while IFS=$'\t' read -r name seeds dict; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/findings/$name-")
  [ -n "$dict" ] && options+=(-dict="$dict")
  log="$build/logs/$name.log"
  echo "== $name: ${seconds}s"
  status=0
  # The growing corpus comes first, so new inputs are kept there and the
  # committed seeds stay as they are.
  "$build/fuzz/$name" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  cov=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
  findings=$(find "$build/findings" -name "$name-*" | wc -l)
  if [ "$status" -ne 0 ]; then
    failed=1
    tail -40 "$log"
  fi
  summary+=("$name: ${runs:-?} executions, ${cov:-no coverage line}, $findings findings, exit $status")
done <"$build/fuzz/harnesses.txt"

printf '%s\n' "${summary[@]}"
exit "$failed"
