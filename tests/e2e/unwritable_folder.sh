#!/usr/bin/env bash
# Runs end-to-end scenarios with the program in a folder this user cannot add a file to, as
# Program Files is for a standard user. Under Wine as root a folder's mode refuses nothing, so
# the program is copied into a folder that is then bind-mounted read-only, in a mount
# namespace of this run's own (a user namespace too when not root): nothing outside sees it.
#
#   tests/e2e/unwritable_folder.sh E2E_TESTS.exe [GTEST ARGS...]
#
# SB_E2E_APP, SB_E2E_WORK and SB_WINEPREFIX as for the other scenarios; SB_E2E_APP is moved
# to the copy.

set -eu
if [[ -z ${SB_UNWRITABLE_NS:-} ]]; then
    root=()
    (($(id -u) == 0)) || root=(--map-root-user)
    SB_UNWRITABLE_NS=1 exec unshare --mount --propagation private "${root[@]}" "$0" "$@"
fi
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../../scripts/lib.sh"

folder=$SB_E2E_WORK/unwritable-program
mkdir -p "$folder"
cp "$SB_E2E_APP" "$folder/"
mount --bind "$folder" "$folder"
mount -o remount,bind,ro "$folder"
export SB_E2E_APP=$folder/$(basename "$SB_E2E_APP")

# Wine's server opens the files for its programs: one started outside this namespace would
# not see the mount, so it must have ended first, and this one ends before the namespace.
# wine-run waits on the prefix that its Wine takes (Wine 10 has its own, in its chroot).
wine_run=$here/../../scripts/wine-run
"$wine_run" --prefix "$SB_WINEPREFIX" --wait
status=0
"$wine_run" "$@" || status=$?
"$wine_run" --prefix "$SB_WINEPREFIX" --wait
exit "$status"
