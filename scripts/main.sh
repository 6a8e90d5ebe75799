#!/usr/bin/env bash
# The main job: set up the machine, build every plug-in format and report where they are.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
configure
cmake --build "$BUILD_DIR" -j "$JOBS" --target Wendrel_VST3 Wendrel_LV2 Wendrel_Standalone

artefacts="$BUILD_DIR/Wendrel_artefacts/Release"
echo
echo "Built:"
echo "  VST3:       $artefacts/VST3/Wendrel.vst3"
echo "  LV2:        $artefacts/LV2/Wendrel.lv2"
echo "  Standalone: $artefacts/Standalone/Wendrel"
