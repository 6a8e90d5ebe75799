#!/usr/bin/env bash
# The main job: set up the machine, build every plug-in format, install the plug-ins and the
# factory presets for this user, and report where everything went.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
configure
cmake --build "$BUILD_DIR" -j "$JOBS" --target Wendrel_VST3 Wendrel_LV2 Wendrel_Standalone

artefacts="$BUILD_DIR/Wendrel_artefacts/Release"
factory="$HOME/.local/share/Quentara_Audio/Wendrel/Presets"

install_bundle() {
    local from="$1" to="$2"
    mkdir -p "$to"
    rm -rf "$to/$(basename "$from")"
    cp -R "$from" "$to/"
}

install_bundle "$artefacts/VST3/Wendrel.vst3" "$HOME/.vst3"
install_bundle "$artefacts/LV2/Wendrel.lv2" "$HOME/.lv2"
mkdir -p "$factory"
cp -R "$ROOT/presets/factory/." "$factory/"

echo
echo "Built:"
echo "  VST3:       $artefacts/VST3/Wendrel.vst3"
echo "  LV2:        $artefacts/LV2/Wendrel.lv2"
echo "  Standalone: $artefacts/Standalone/Wendrel"
echo "Installed:"
echo "  $HOME/.vst3/Wendrel.vst3"
echo "  $HOME/.lv2/Wendrel.lv2"
echo "  factory presets: $factory ($(find "$factory" -name '*.tappreset' | wc -l) presets)"
