# Helpers shared by the scripts in this folder; source it, it only defines things.

SB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Everything a build, the tests and the demo need, as Debian packages.
SB_PACKAGES=(
    cmake ninja-build g++ clang libgtest-dev libgmock-dev googletest
    g++-mingw-w64-x86-64-posix wine64 xvfb fonts-ipafont-gothic fonts-wine imagemagick
    clang-format clang-tidy libclang-rt-14-dev
)

sb_log() { printf '== %s\n' "$*" >&2; }

# sb_install_missing [pkg...]: install those of the packages (default: SB_PACKAGES) that
# are not installed yet. Asks apt for nothing when all are there.
sb_install_missing() {
    local pkgs=("$@") missing=() p
    ((${#pkgs[@]})) || pkgs=("${SB_PACKAGES[@]}")
    for p in "${pkgs[@]}"; do
        if [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null) != ii* ]]; then
            missing+=("$p")
        fi
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null || {
            sb_log "missing packages ${missing[*]}, and not root: install them first"
            return 1
        }
        sudo=(sudo)
    fi
    sb_log "installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null || return 1
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" \
        </dev/null || return 1
}

SB_WINE=/usr/lib/wine/wine64
# Debian's wine32 (i386): the loader of 32-bit programs. The 64-bit server serves both.
SB_WINE32=/usr/lib/wine/wine
SB_WINESERVER=/usr/lib/wine/wineserver64

# sb_pe_arch FILE: win32 or win64 for a Windows program of that machine type, else nothing.
sb_pe_arch() {
    local offset machine
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [[ $offset =~ ^[0-9]+$ && $(head -c2 "$1") == MZ ]] || return 0
    machine=$(od -An -tx1 -j"$((offset + 4))" -N2 "$1" | tr -d ' ')
    case $machine in
    4c01) echo win32 ;;
    6486) echo win64 ;;
    esac
}

# sb_start_xvfb LOG: starts an Xvfb of its own on a free display, for Wine's x11 driver.
# Sets SB_XVFB_PID and SB_XVFB_DISPLAY (":N"); the caller stops it by that pid.
sb_start_xvfb() {
    local log=$1 numfile num _
    command -v Xvfb >/dev/null || return 1
    numfile=$(mktemp) || return 1
    # Xvfb picks a free display itself and writes its number once it takes connections.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$numfile" >>"$log" 2>&1 </dev/null &
    SB_XVFB_PID=$!
    for _ in $(seq 100); do
        [[ -s $numfile ]] && break
        kill -0 "$SB_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    num=$(<"$numfile")
    rm -f "$numfile"
    if [[ -z $num ]]; then
        kill "$SB_XVFB_PID" 2>/dev/null
        return 1
    fi
    SB_XVFB_DISPLAY=:$num
}
