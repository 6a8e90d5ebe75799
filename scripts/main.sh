#!/usr/bin/env bash
# The main job: set up the machine, build every plug-in format, install the plug-ins and the
# factory presets for this user, and report where everything went.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
configure
cmake --build "$BUILD_DIR" -j "$JOBS" --target Wendrel_VST3 Wendrel_LV2 Wendrel_Standalone wendrel-render

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

# A short test signal through a patch of a few taps, to a 7.1.4 file.
demo="$BUILD_DIR/render"
mkdir -p "$demo"
python3 "$ROOT/scripts/make-test-signal.py" "$demo/test-signal.wav"
"$BUILD_DIR/tools/wendrel-render" --layout 7.1.4 --tail 4 \
    --preset "$ROOT/presets/factory/Space/Rising Spiral.tappreset" \
    "$demo/test-signal.wav" "$demo/wendrel-demo-7.1.4.wav"

echo
echo "Built:"
echo "  VST3:       $artefacts/VST3/Wendrel.vst3"
echo "  LV2:        $artefacts/LV2/Wendrel.lv2"
echo "  Standalone: $artefacts/Standalone/Wendrel"
echo "Installed:"
echo "  $HOME/.vst3/Wendrel.vst3"
echo "  $HOME/.lv2/Wendrel.lv2"
echo "  factory presets: $factory ($(find "$factory" -name '*.tappreset' | wc -l) presets)"
echo "Rendered the test signal through \"Rising Spiral\" to:"
echo "  $demo/wendrel-demo-7.1.4.wav (channel peaks above)"
