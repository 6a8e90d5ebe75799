#!/usr/bin/env bash
# Builds the Standalone, runs it on a virtual display without a sound card and saves PNG
# screenshots of its window into build/screenshots/: the default window, each view mode,
# a dragged tap and another tap's Feedback tab.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

#===================================================================================================
# Inside the virtual display: start the app, drive it with xdotool, photograph it.
shoot() {
    local app="$1" out="$2"
    "$app" >"$out/standalone.log" 2>&1 &
    local pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT

    local window=""
    for _ in $(seq 1 40); do
        window="$(xdotool search --onlyvisible --name '^Wendrel' 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] && break
        sleep 0.5
    done
    if [ -z "$window" ]; then
        echo "screenshots: the Standalone window did not appear" >&2
        return 1
    fi
    sleep 3 # the first messages open the Top view

    snap() {
        sleep 1
        import -window root "$out/$1.png"
        echo "screenshots: $out/$1.png"
    }

    # Positions inside the plug-in editor; its top-left corner is found from the window.
    local origin_x origin_y
    read -r origin_x origin_y < <(editor_origin "$window")
    click() {
        xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) click 1
    }

    snap default

    # The view buttons around the middle of the 560-pixel room view.
    click 320 65; snap view-rear
    click 235 65; snap view-side
    click 397 65; snap view-orbit
    click 150 65

    # Tap A (on top of all the others at the room's centre) dragged to the front right,
    # then tap B towards the rear left.
    drag() {
        xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) mousedown 1
        local step
        for step in 1 2 3 4 5 6 7 8; do
            xdotool mousemove $((origin_x + $1 + ($3 - $1) * step / 8)) $((origin_y + $2 + ($4 - $2) * step / 8))
            sleep 0.05
        done
        xdotool mouseup 1
    }
    drag 280 349 390 230
    drag 280 349 180 440
    snap tap-dragged
    click 397 65; snap tap-dragged-orbit
    click 150 65

    # Tap C's row (third of the list), then the Feedback tab.
    click 575 148
    click 778 424
    snap feedback-tap-c

    # The preset box's menu with the factory bank.
    click 700 24
    xdotool mousemove $((origin_x + 640)) $((origin_y + 52)) # over "Factory": its submenu opens
    sleep 1
    xdotool mousemove $((origin_x + 960)) $((origin_y + 52)) # along it, into the submenu
    snap preset-menu
    xdotool key Escape

    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    trap - EXIT
}

# The editor fills the window's content area: its top-left corner is the window's bottom-left
# corner minus the editor's height of 650 pixels.
editor_origin() {
    local geometry x y height
    geometry="$(xdotool getwindowgeometry --shell "$1")"
    x="$(echo "$geometry" | sed -n 's/^X=//p')"
    y="$(echo "$geometry" | sed -n 's/^Y=//p')"
    height="$(echo "$geometry" | sed -n 's/^HEIGHT=//p')"
    echo "$x $((y + height - 650))"
}

if [ "${1:-}" = "--inside" ]; then
    shoot "$2" "$3"
    exit 0
fi

#===================================================================================================
configure
cmake --build "$BUILD_DIR" -j "$JOBS" --target Wendrel_Standalone

app="$BUILD_DIR/Wendrel_artefacts/Release/Standalone/Wendrel"
out="$BUILD_DIR/screenshots"
mkdir -p "$out"

# A home of its own: the Standalone's settings there keep the input unmuted, so no banner
# covers the editor, and the real settings stay untouched.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config"
cat >"$home/.config/Wendrel.settings" <<'SETTINGS'
<?xml version="1.0" encoding="UTF-8"?>

<PROPERTIES>
  <VALUE name="shouldMuteInput" val="0"/>
</PROPERTIES>
SETTINGS

# The factory bank where the plug-in looks for it.
mkdir -p "$home/.local/share/Quentara_Audio/Wendrel/Presets"
cp -R "$ROOT/presets/factory/." "$home/.local/share/Quentara_Audio/Wendrel/Presets/"

HOME="$home" xvfb-run -a -s "-screen 0 1280x800x24" bash "${BASH_SOURCE[0]}" --inside "$app" "$out"
