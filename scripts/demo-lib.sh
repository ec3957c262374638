# Helpers shared by demo, screenshots and bench; source it after lib.sh, it only defines
# things. These scripts build in folders of their own (demo-mingw, demo-native under the build
# root), never in those that scripts/check works in, and build only the targets they run.

SB_DEMO_ROOT=$(realpath -m "${SB_BUILD_ROOT:-$SB_ROOT/build}")
SB_DEMO_MINGW=$SB_DEMO_ROOT/demo-mingw
SB_DEMO_NATIVE=$SB_DEMO_ROOT/demo-native
SB_DRIVER_NAME="VYR Quillstrike 480ZQ9"

# Queue names and window texts are Japanese: Wine reads its command line in the locale's
# character set, so it has to be UTF-8.
export LC_ALL=C.UTF-8

# sb_demo_build_mingw TARGET...: the Windows targets, Release, in demo-mingw.
sb_demo_build_mingw() {
    cmake --preset mingw -B "$SB_DEMO_MINGW" >/dev/null &&
        cmake --build "$SB_DEMO_MINGW" -j"${SB_JOBS:-2}" --target "$@"
}

# sb_demo_build_native TARGET...: native targets (the printer emulator) in demo-native.
sb_demo_build_native() {
    cmake --preset native -B "$SB_DEMO_NATIVE" >/dev/null &&
        cmake --build "$SB_DEMO_NATIVE" -j"${SB_JOBS:-2}" --target "$@"
}

# sb_demo_queue WINE_RUN_ARGS... -- NAME PORT: makes the queue NAME with the printer's driver
# on PORT, replacing one of that name, in the prefix that the wine-run arguments select.
sb_demo_queue() {
    local args=()
    while [[ $1 != -- ]]; do
        args+=("$1")
        shift
    done
    shift
    local sbqueue=$SB_DEMO_MINGW/tools/sbqueue.exe
    "$SB_ROOT/scripts/wine-run" "${args[@]}" "$sbqueue" remove "$1" >/dev/null 2>&1
    "$SB_ROOT/scripts/wine-run" "${args[@]}" "$sbqueue" add "$1" --driver "$SB_DRIVER_NAME" \
        --port "$2"
}
