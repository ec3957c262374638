# Helpers shared by the scripts in this folder; source it, it only defines things.

SB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Everything a build, the tests and the demo need, as Debian packages.
SB_PACKAGES=(
    cmake ninja-build g++ clang libgtest-dev libgmock-dev googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb fonts-ipafont-gothic
    fonts-wine imagemagick clang-format clang-tidy libclang-rt-14-dev wixl msitools unzip
    fp-utils p7zip-full python3 osslsigncode openssl debootstrap
    cups-daemon cups cups-client libcups2-dev debhelper help2man lintian
)

sb_log() { printf '== %s\n' "$*" >&2; }

# sb_apt ARGS...: apt-get as root (through sudo when not root), without questions.
sb_apt() {
    local sudo=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null || {
            sb_log "not root and no sudo: run apt-get $* first"
            return 1
        }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q "$@" </dev/null
}

# sb_apt_update: a failing index (the i386 one of the security suite has been seen stale)
# leaves the others usable, so the install that follows still gets its chance.
sb_apt_update() {
    sb_apt update || sb_log "apt-get update reported errors; going on with the indexes it has"
}

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
    sb_log "installing ${missing[*]}"
    sb_apt_update
    sb_apt install -y "${missing[@]}" && sb_apt_clean
}

# sb_apt_clean: the downloaded packages go once installed (over 1.5 GB for SB_PACKAGES), as
# the builds and the Wine prefixes need the disk.
sb_apt_clean() { sb_apt clean || sb_log "apt-get clean failed; going on"; }

# sb_install_wine32: Wine's 32-bit half (Debian's wine32, i386), which runs the 32-bit
# programs. Its i386 libraries must be the versions of their installed amd64 twins; when
# the i386 index of the security suite is stale they are not, and then the release suite's
# versions of both are taken, the amd64 twin of the GStreamer library taken back to it so
# that wine64 stays. Fails with one line saying why when even that cannot be had; no
# installed package is ever removed for it.
sb_install_wine32() {
    [[ -x $SB_WINE32 ]] && return 0
    local codename gst=libgstreamer-plugins-base1.0-0
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        local sudo=()
        ((EUID == 0)) || sudo=(sudo)
        "${sudo[@]}" dpkg --add-architecture i386 || return 1
    fi
    sb_log "installing wine32:i386"
    sb_apt_update
    # --no-remove: nothing the 64-bit build and tests need is ever given up for it.
    sb_apt install -y --no-remove wine64 wine32:i386 && [[ -x $SB_WINE && -x $SB_WINE32 ]] &&
        sb_apt_clean && return 0
    # apt's resolver gives up on the GStreamer library unless both halves are named.
    [[ -n $codename ]] && sb_apt install -y --no-remove -t "$codename" --allow-downgrades \
        --no-install-recommends wine64 wine32:i386 "$gst:amd64/$codename" "$gst:i386/$codename" &&
        [[ -x $SB_WINE && -x $SB_WINE32 ]] && sb_apt_clean && return 0
    sb_log "32-bit Wine cannot be installed: the i386 package indexes do not match the" \
        "installed amd64 libraries"
    return 1
}

# sb_runs_i386 [DIR]: whether this kernel executes 32-bit x86 Linux programs, such as
# wine32's loader; some 64-bit kernels are built without that. Tries a program of 95 bytes
# made here in DIR (default TMPDIR or /tmp): an ELF header for i386 with its entry at
# 0x08048054, one loadable segment of the whole file, and the code of exit(42).
sb_runs_i386() {
    local probe status
    probe=$(mktemp "${1:-${TMPDIR:-/tmp}}/sb-i386.XXXXXX") || return 1
    {
        printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0'             # 32-bit, little-endian
        printf '\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08'            # executable, i386, entry
        printf '\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\x28\0' # one program header
        printf '\0\0\0\0'
        printf '\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08'    # loaded at 0x08048000
        printf '\x5f\0\0\0\x5f\0\0\0\x05\0\0\0\0\x10\0\0'          # 95 bytes, read and execute
        printf '\xb8\x01\0\0\0\x31\xdb\xb3\x2a\xcd\x80'            # eax=1 (exit), ebx=42, int 80h
    } >"$probe" && chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    ((status == 42))
}

# Debian 13's Wine 10 (scripts/wine-run --wine 10) lives in a chroot of this suite with
# these packages (scripts/debian-chroot).
SB_WINE10_SUITE=trixie
SB_WINE10_PACKAGES=(wine wine64 fonts-wine fonts-ipafont-gothic xvfb)

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

# sb_start_xvfb LOG [WxH]: starts an Xvfb of its own on a free display (1280x1024 unless
# given), for Wine's x11 driver. Sets SB_XVFB_PID and SB_XVFB_DISPLAY (":N"); the caller
# stops it by that pid.
sb_start_xvfb() {
    local log=$1 size=${2:-1280x1024} numfile num _
    command -v Xvfb >/dev/null || return 1
    numfile=$(mktemp) || return 1
    # Xvfb picks a free display itself and writes its number once it takes connections.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 "${size}x24" 3>"$numfile" >>"$log" 2>&1 </dev/null &
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

# sb_check_pe EXE ARCH: what Windows asks of a program of ARCH (win64 or win32) before any of
# it runs, read from its headers without running it: the machine (x64 or x86), a subsystem
# version that Windows 7 takes (6.1 at most), NX compatibility and a dynamic base (ASLR),
# on x64 high-entropy addresses too, and a manifest among its resources that names no other
# architecture for the program (Windows' side-by-side loader refuses that). One line for each
# that is missing; fails when any is.
sb_check_pe() {
    local header rc format major minor flags identity status=0
    header=$(x86_64-w64-mingw32-objdump -p "$1" 2>/dev/null) &&
        rc=$(x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null) || {
        echo "  $1: no Windows program"
        return 1
    }
    format=$(sed -n 's/.*file format //p' <<<"$header")
    major=$(sed -n 's/^MajorSubsystemVersion\t*//p' <<<"$header")
    minor=$(sed -n 's/^MinorSubsystemVersion\t*//p' <<<"$header")
    flags=$((16#$(sed -n 's/^DllCharacteristics\t*//p' <<<"$header")))
    local -A wanted=([win64]=pei-x86-64 [win32]=pei-i386)
    [[ $format == "${wanted[$2]:-?}" ]] || { echo "  $1: $format, not a $2 program"; status=1; }
    ((major * 100 + minor <= 601)) || { echo "  $1: subsystem version $major.$minor, Windows 7 runs 6.1 at most"; status=1; }
    ((flags & 0x100)) || { echo "  $1: not NX compatible"; status=1; }
    ((flags & 0x40)) || { echo "  $1: no dynamic base"; status=1; }
    [[ $2 == win32 ]] || ((flags & 0x20)) || { echo "  $1: no high-entropy addresses"; status=1; }
    local -A machine=([win64]=amd64 [win32]=x86)
    if grep -qE '^[0-9]+ 24 ' <<<"$rc"; then
        # The program's own identity comes first; the common controls' after it.
        identity=$(grep -m1 -o '<assemblyIdentity[^>]*>' <<<"$rc")
        if [[ $identity =~ processorArchitecture=\"\"([^\"]*)\"\" && ${BASH_REMATCH[1]} != "${machine[$2]:-?}" ]]; then
            echo "  $1: its manifest names it ${BASH_REMATCH[1]}"
            status=1
        fi
    else
        echo "  $1: no manifest"
        status=1
    fi
    return "$status"
}

# sb_check_imports EXE: lists the DLLs that the Windows program imports, one a line, and
# fails when one of them may not be a static import. Static are only KnownDLLs, which
# Windows never takes from the program's folder, and comctl32.dll, which the manifest binds
# to the system's side-by-side copy; winspool.drv, comdlg32.dll and hhctrl.ocx are loaded
# from the system folder when first used. The CLI's raw socket sender may import ws2_32.dll
# (a KnownDLL).
sb_check_imports() {
    local allowed=" comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll "
    [[ $(basename "$1") == switchboard-cli.exe ]] && allowed+="ws2_32.dll "
    local dll status=0 found=0
    while read -r dll; do
        found=1
        if [[ $allowed == *" ${dll,,} "* ]]; then
            echo "  $dll"
        else
            echo "  $dll (may not be a static import: load it from the system folder)"
            status=1
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: //p')
    ((found)) || {
        echo "  no imports read from $1"
        return 1
    }
    return "$status"
}
