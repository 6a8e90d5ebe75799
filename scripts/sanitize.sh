#!/usr/bin/env bash
# Builds the library and the tests with sanitizers and runs the suite.
#   scripts/sanitize.sh address   AddressSanitizer + UndefinedBehaviorSanitizer, every test
#   scripts/sanitize.sh thread    ThreadSanitizer, the tests that run threads
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:-address}"
JOBS="${WENDREL_JOBS:-$(nproc)}"

case "$kind" in
    address) sanitizers="address,undefined"; filter="" ;;
    thread)  sanitizers="thread"; filter="${WENDREL_TSAN_FILTER:-Concurrency|Stress|TapSceneObject|Scene}" ;;
    *) echo "usage: $0 address|thread" >&2; exit 2 ;;
esac

build="$ROOT/build-$kind"
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S "$ROOT" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DWENDREL_SANITIZE="$sanitizers" -DWENDREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$JOBS" --target wendrel_tests

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitizers/lsan.supp"
export TSAN_OPTIONS="halt_on_error=1:suppressions=$ROOT/scripts/sanitizers/tsan.supp"

# The external-host tests load the instrumented bundle into uninstrumented hosts: left out.
args=(--test-dir "$build" --output-on-failure -j "$JOBS" -E "JalvHost")
[ -n "$filter" ] && args+=(-R "$filter")
ctest "${args[@]}"
