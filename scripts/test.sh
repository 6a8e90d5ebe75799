#!/usr/bin/env bash
# Sets up the machine, builds everything and runs all tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/check-format.sh"
configure
cmake --build "$BUILD_DIR" -j "$JOBS"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
