# Helpers for running Quellix and its test programs under Wine on Xvfb.
# Source this file from bash; every helper starts with qx_.
#
#   qx_xvfb_start              start Xvfb on a free display, export DISPLAY
#   qx_template                create the template prefix once (build/wine/template)
#   qx_prefix NAME             clone the template into build/wine/NAME, export WINEPREFIX
#   qx_set_dpi N               the resolution of $WINEPREFIX, from its next server on
#   qx_server_start            persistent wineserver for $WINEPREFIX, services warmed up
#   qx_wine SECONDS LOG ARGS   run `wine ARGS` with a time-out, all output to LOG
#   qx_cleanup                 stop every server and X server started here
#   qx_cleanup_on_exit         qx_cleanup when the script ends or is stopped
#   qx_session NAME            Xvfb, prefix NAME and server, cleaned up on exit
#   qx_need_files TOOL HINT FILE...  fail, naming the first missing FILE
#
# Bitness: where this machine runs 32-bit code, the 32-bit Wine runs the i686
# build (build/win) in 32-bit prefixes (build/wine). Where it cannot (a kernel
# without 32-bit support: "Exec format error"), the 64-bit Wine runs an x86_64
# build of the same sources (build/win64) in 64-bit prefixes (build/wine64).
# QX_WINE_BITS=32 or 64 forces one. Sourcing sets:
#   QX_WINE_BITS        32 or 64
#   QX_WINE_BITS_WHY    one phrase saying why
#   QX_WIN_BUILD        the cross build directory the tools run (build/win or build/win64)
#   QX_WIN_ARCH         its target, for tools/build-win.sh --arch (i686 or x86_64)
#
# Wine's own output always goes to files: with a persistent server, background
# services inherit the standard output of the wine that started them, and a
# pipe would never close.

QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QX_WINE32_LOADER=/usr/lib/wine/wine
QX_WINE64_LOADER=/usr/lib/wine/wine64

# Sets QX_WINE_BITS and QX_WINE_BITS_WHY: can this machine start the 32-bit
# Wine loader?
qx_detect_bits() {
    local error
    if [[ ${QX_WINE_BITS:-} == 32 || ${QX_WINE_BITS:-} == 64 ]]; then
        QX_WINE_BITS_WHY=${QX_WINE_BITS_WHY:-"QX_WINE_BITS=$QX_WINE_BITS was given"}
    elif [[ ! -e $QX_WINE32_LOADER && -x $QX_WINE64_LOADER ]]; then
        QX_WINE_BITS=64
        QX_WINE_BITS_WHY="the 32-bit Wine ($QX_WINE32_LOADER) is not installed"
    elif error=$("$QX_WINE32_LOADER" --version 2>&1 >/dev/null); then
        QX_WINE_BITS=32
        QX_WINE_BITS_WHY="this machine runs 32-bit code"
    else
        QX_WINE_BITS=64
        error=${error##*: }
        QX_WINE_BITS_WHY="this machine cannot run 32-bit code ($QX_WINE32_LOADER: ${error:-does not start})"
    fi
}
qx_detect_bits
if [[ $QX_WINE_BITS == 64 ]]; then
    QX_WIN_BUILD=${QX_WIN_BUILD:-$QX_ROOT/build/win64}
    QX_WIN_ARCH=x86_64
    QX_WINE_DIR=${QX_WINE_DIR:-$QX_ROOT/build/wine64}
    export WINEARCH=win64
    # Wine's scripts (wine, wineboot, ...) pick the 32-bit loader whenever it
    # is installed, even where it cannot start; the shim on PATH (see
    # qx_wine64_shim) and WINELOADER, which Wine uses to start child
    # processes, name the 64-bit one.
    export WINELOADER=$QX_WINE64_LOADER
else
    QX_WIN_BUILD=${QX_WIN_BUILD:-$QX_ROOT/build/win}
    QX_WIN_ARCH=i686
    QX_WINE_DIR=${QX_WINE_DIR:-$QX_ROOT/build/wine}
    export WINEARCH=win32
fi
export QX_WINE_BITS QX_WINE_BITS_WHY
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs when a prefix is created.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The templates's layout version: bump it when qx_template changes. The
# bitness is part of it, so a prefix of one kind is never taken for the other.
QX_TEMPLATE_STAMP="quellix-template-4-$WINEARCH"

# Puts `wine`, `wine-stable` and `wine64` scripts that start the 64-bit loader
# first on PATH ($QX_WINE_DIR/bin).
qx_wine64_shim() {
    local bin=$QX_WINE_DIR/bin name
    mkdir -p "$bin" || return 1
    for name in wine wine-stable wine64; do
        if [[ ! -x $bin/$name ]]; then
            printf '#!/bin/sh\nexec %s "$@"\n' "$QX_WINE64_LOADER" >"$bin/$name.$$" &&
                chmod +x "$bin/$name.$$" && mv -f "$bin/$name.$$" "$bin/$name" || return 1
        fi
    done
    case ":$PATH:" in
    *":$bin:"*) ;;
    *) export PATH=$bin:$PATH ;;
    esac
}
if [[ $QX_WINE_BITS == 64 ]]; then
    qx_wine64_shim || echo "wine-env: could not write the wine64 shim in $QX_WINE_DIR/bin" >&2
fi

QX_STARTED_XVFB=()
QX_STARTED_SERVERS=()

qx_die() {
    echo "wine-env: $*" >&2
    return 1
}

# Starts Xvfb on the first free display and exports DISPLAY. Xvfb picks the
# number itself (-displayfd) and reports it once it accepts connections.
qx_xvfb_start() {
    local fifo pid display
    fifo=$(mktemp -u /tmp/quellix-xvfb.XXXXXX)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    pid=$!
    display=$(timeout 20 head -n 1 <"$fifo" || true)
    rm -f "$fifo"
    if [[ -z $display ]]; then
        kill "$pid" 2>/dev/null
        qx_die "Xvfb did not start within 20 s"
        return 1
    fi
    QX_STARTED_XVFB+=("$pid")
    export DISPLAY=":$display"
}

# Creates the template prefix once: a prefix of $WINEARCH made by wineboot, with
# Wine's virtual desktop "shell" (task bar and notification area, 1024x768)
# for every program, and Wine's own fonts (fonts-wine: Tahoma, Marlett for the
# caption buttons, ...) in C:\windows\Fonts, where this Wine build looks for
# them. A crashing program gets no crash dialog (its backtrace goes to the
# log). Safe to call from several processes at once.
qx_template() {
    local template=$QX_WINE_DIR/template
    mkdir -p "$QX_WINE_DIR"
    (
        flock -w 300 9 || qx_die "timed out waiting for the template lock" || exit 1
        [[ -f $template/.stamp && $(cat "$template/.stamp") == "$QX_TEMPLATE_STAMP"* ]] && exit 0
        rm -rf "$template" "$template.tmp"
        local log=$QX_WINE_DIR/template.log
        : >"$log"
        export WINEPREFIX=$template.tmp
        {
            timeout -k 5 180 wineboot --init &&
            timeout -k 5 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f &&
            timeout -k 5 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f &&
            timeout -k 5 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
            timeout -k 5 60 wineserver -w &&
            cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
        } >>"$log" 2>&1 </dev/null || {
            timeout 10 wineserver -k >/dev/null 2>&1
            qx_die "creating the Wine prefix failed; see $log"
            exit 1
        }
        echo "$QX_TEMPLATE_STAMP $(date +%s%N)" >"$WINEPREFIX/.stamp"
        mv "$WINEPREFIX" "$template"
    ) 9>"$QX_WINE_DIR/.template.lock"
}

# Makes build/wine/NAME a copy of the template (unless it is one already) and
# exports WINEPREFIX. Prefixes are reused between runs; the tests reset the
# registry key they use.
qx_prefix() {
    local name=$1 prefix=$QX_WINE_DIR/$1
    qx_template || return 1
    if ! cmp -s "$QX_WINE_DIR/template/.stamp" "$prefix/.stamp" 2>/dev/null; then
        [[ -e $prefix ]] && { WINEPREFIX=$prefix timeout 10 wineserver -k >/dev/null 2>&1; rm -rf "$prefix"; }
        cp -a "$QX_WINE_DIR/template" "$prefix.tmp" && mv "$prefix.tmp" "$prefix" ||
            { qx_die "could not copy the template to $prefix"; return 1; }
    fi
    export WINEPREFIX=$prefix
}

# Starts a persistent wineserver for $WINEPREFIX and warms the prefix up
# (services, virtual desktop), so test programs start in a fraction of a second.
# The server ends by itself 30 s after its last client, should clean-up be skipped.
qx_server_start() {
    [[ -n ${WINEPREFIX:-} ]] || { qx_die "qx_server_start: WINEPREFIX is not set"; return 1; }
    [[ -n ${DISPLAY:-} ]] || { qx_die "qx_server_start: DISPLAY is not set"; return 1; }
    timeout 20 wineserver -p30 >/dev/null 2>&1 || { qx_die "wineserver did not start"; return 1; }
    QX_STARTED_SERVERS+=("$WINEPREFIX")
    timeout -k 5 60 wine cmd /c exit >"$WINEPREFIX/warmup.log" 2>&1 </dev/null ||
        { qx_die "warming up $WINEPREFIX failed; see $WINEPREFIX/warmup.log"; return 1; }
}

# qx_set_dpi N: Wine reads the resolution (LogPixels) when its server and
# desktop start, so it is written with a server of its own, which then ends.
qx_set_dpi() {
    local dpi=$1 log=$WINEPREFIX/dpi.log key
    : >"$log"
    for key in 'HKCU\Control Panel\Desktop' \
        'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        timeout -k 5 60 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >>"$log" 2>&1 </dev/null ||
            { qx_die "setting LogPixels $dpi failed; see $log"; return 1; }
    done
    timeout 20 wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
    return 0
}

# qx_wine SECONDS LOG ARGS...: `wine ARGS` in $WINEPREFIX with a time-out
# (then killed); standard output and error go to LOG. Returns wine's status
# (124 on time-out).
qx_wine() {
    local seconds=$1 log=$2
    shift 2
    timeout -k 5 "$seconds" wine "$@" >"$log" 2>&1 </dev/null
}

# Stops every wineserver (and so every Windows process in its prefix) and
# every Xvfb started by these helpers in this shell.
qx_cleanup() {
    local prefix pid
    for prefix in "${QX_STARTED_SERVERS[@]}"; do
        WINEPREFIX=$prefix timeout 10 wineserver -k >/dev/null 2>&1
    done
    QX_STARTED_SERVERS=()
    for pid in "${QX_STARTED_XVFB[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    QX_STARTED_XVFB=()
    return 0
}

# Runs qx_cleanup when the script ends, also when it is stopped.
qx_cleanup_on_exit() {
    trap qx_cleanup EXIT
    trap 'exit 143' TERM INT
}

# qx_session NAME: what a tool needs to run Windows programs on its own: a
# private Xvfb display, the prefix NAME and a warm wineserver, all stopped when
# the script ends.
qx_session() {
    qx_cleanup_on_exit
    qx_xvfb_start && qx_prefix "$1" && qx_server_start
}

# qx_need_files TOOL HINT FILE...: fails, saying "TOOL: FILE is missing: HINT",
# unless every FILE exists.
qx_need_files() {
    local tool=$1 hint=$2 file
    shift 2
    for file in "$@"; do
        [[ -f $file ]] || { echo "$tool: $file is missing: $hint" >&2; return 1; }
    done
}

# Linux path -> the path a Windows program sees (drive Z: is the root).
qx_winpath() {
    local p
    p=$(realpath -m "$1")
    echo "Z:${p//\//\\}"
}
