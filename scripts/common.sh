# Shared by the build scripts: configure once into build/ (Release, Ninja when present).
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${WENDREL_BUILD_DIR:-$ROOT/build}"
JOBS="${WENDREL_JOBS:-$(nproc)}"

configure() {
    local generator=()
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release "$@"
    else
        cmake -S "$ROOT" -B "$BUILD_DIR" "$@" >/dev/null
    fi
}
