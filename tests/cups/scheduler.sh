# The CUPS scheduler that a test or a benchmark runs for itself: cupsd with its configuration,
# state, spool and logs in a folder of the caller's, listening on a unix socket there, and the
# printer emulators its queues lead to. Source this file; it only defines things. Needs
# Debian's cups-daemon and cups-client, and root or the right to run cupsd as oneself.
#
#   sb_cups_start DIR     starts it, exports CUPS_SERVER and sets SB_CUPS_PID; returns once the
#                         scheduler takes administrative requests, not only answers
#   sb_cups_admin ARGS... lpadmin ARGS, tried again for up to 5 s while it is refused
#   sb_printer NAME SBEMU [--dead | --talk | --half-close [N] | ARGS...]
#                         a printer on the loopback address, on a port of its own, in
#                         SB_PORT[NAME]: the printer emulator (SBEMU listen ARGS); with --dead
#                         a port where nobody listens; with --talk or --half-close a printer
#                         that misbehaves so (tests/cups/loopback.py)
#   sb_name_server        the name server of tests/cups/loopback.py on 127.0.0.1:53
#   sb_cups_log           the scheduler's error_log, on stderr
#   sb_cups_stop          stops the printers, the name server and the scheduler by their pids

SB_CUPS_DIR=
SB_CUPS_PID=
declare -A SB_PORT
SB_PRINTER_PIDS=()
SB_LOOPBACK=$(dirname "${BASH_SOURCE[0]}")/loopback.py

sb_cups_log() {
    echo "-- the scheduler's error_log:" >&2
    cat "$SB_CUPS_DIR/cupsd.out" "$SB_CUPS_DIR/log/error_log" >&2 2>/dev/null
}

# sb_cups_lpadmin TRIES ARGS...: lpadmin, tried TRIES times a tenth of a second apart. A
# scheduler that has just started can refuse an administrative request ("Unable to connect
# to server: Bad file descriptor") for a while after it answers others. On a refusal that
# lasts, says so with the scheduler's log.
sb_cups_lpadmin() {
    local tries=$1 try
    shift
    for ((try = 0; try < tries; try++)); do
        lpadmin "$@" 2>"$SB_CUPS_DIR/lpadmin.err" && return 0
        kill -0 "$SB_CUPS_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "cups: lpadmin $* failed:" >&2
    cat "$SB_CUPS_DIR/lpadmin.err" >&2
    sb_cups_log
    return 1
}

sb_cups_admin() { sb_cups_lpadmin 50 "$@"; }

sb_cups_start() {
    SB_CUPS_DIR=$(realpath "$1")
    local user
    # cupsd refuses to run its filters and backends as root; it drops to lp, which must reach
    # the folders it writes and the ones above them.
    user=$(id -un)
    ((EUID == 0)) && user=lp
    chmod 755 "$SB_CUPS_DIR"
    mkdir -p "$SB_CUPS_DIR"/{conf,state,spool/tmp,log,cache}
    [[ $user == lp ]] && chown -R lp:lp "$SB_CUPS_DIR"/{state,spool,log,cache}
    cat >"$SB_CUPS_DIR/conf/cupsd.conf" <<CONF
Listen $SB_CUPS_DIR/cups.sock
LogLevel info
ErrorPolicy stop-printer
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$SB_CUPS_DIR/conf/cups-files.conf" <<CONF
User $user
Group $(id -gn "$user")
ServerRoot $SB_CUPS_DIR/conf
StateDir $SB_CUPS_DIR/state
RequestRoot $SB_CUPS_DIR/spool
TempDir $SB_CUPS_DIR/spool/tmp
CacheDir $SB_CUPS_DIR/cache
AccessLog $SB_CUPS_DIR/log/access_log
ErrorLog $SB_CUPS_DIR/log/error_log
PageLog $SB_CUPS_DIR/log/page_log
Printcap $SB_CUPS_DIR/printcap
CONF
    cupsd -f -c "$SB_CUPS_DIR/conf/cupsd.conf" -s "$SB_CUPS_DIR/conf/cups-files.conf" \
        >"$SB_CUPS_DIR/cupsd.out" 2>&1 &
    SB_CUPS_PID=$!
    export CUPS_SERVER=$SB_CUPS_DIR/cups.sock
    # Answering lpstat is not enough: wait for a queue to be made and removed again.
    sb_cups_lpadmin 100 -p sb-probe -v socket://127.0.0.1:9 -m raw && sb_cups_admin -x sb-probe
}

# sb_listener NAME COMMAND...: COMMAND in the background, once it has printed its port.
sb_listener() {
    local name=$1 _
    shift
    "$@" >"$SB_CUPS_DIR/$name.port" &
    SB_PRINTER_PIDS+=($!)
    for _ in $(seq 50); do
        [[ -s $SB_CUPS_DIR/$name.port ]] && break
        sleep 0.1
    done
    SB_PORT[$name]=$(<"$SB_CUPS_DIR/$name.port")
}

sb_printer() {
    local name=$1 sbemu=$2
    shift 2
    case ${1:-} in
    --talk | --half-close) sb_listener "$name" python3 "$SB_LOOPBACK" "${1#--}" "${@:2}" ;;
    --dead)
        # The emulator's port, taken from it again at once.
        sb_listener "$name" "$sbemu" listen
        kill "${SB_PRINTER_PIDS[-1]}"
        wait "${SB_PRINTER_PIDS[-1]}" 2>/dev/null
        unset 'SB_PRINTER_PIDS[-1]'
        ;;
    *) sb_listener "$name" "$sbemu" listen "$@" ;;
    esac
}

sb_name_server() {
    sb_listener name-server python3 "$SB_LOOPBACK" name-server
}

sb_cups_stop() {
    local pid
    for pid in "${SB_PRINTER_PIDS[@]}" $SB_CUPS_PID; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    SB_PRINTER_PIDS=()
    SB_CUPS_PID=
}
