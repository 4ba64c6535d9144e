#!/usr/bin/env bash
# Start-up benchmark under Wine: the time from process start to the visible
# dialog, and the working set of the idle program (Wine takes it from the
# Linux process's resident set), for Quellix.exe and for a bare
# dialog program built the same way, with the same manifest
# (tests/e2e/bench/BareDialog.cpp).
#   bash tools/bench-startup.sh [RUNS]     (default 7 runs each)
# The programs start in turn, one run of each after the other, so that a
# change in the machine's load falls on all alike. Prints the median of each
# and Quellix's ratio to the bare dialog. A third program, the bare dialog's
# code showing Quellix's dialog template (TemplateDialog.exe), gives the part
# of Quellix's time that its controls alone take. Runs in a warm Wine prefix
# of its own (build/wine/bench) on a private Xvfb display.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-7}

bash "$ROOT/tools/setup.sh" || exit 1
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
build=$QX_WIN_BUILD
bash "$ROOT/tools/build-win.sh" --arch "$QX_WIN_ARCH" "$build" Quellix BareDialog TemplateDialog StartupProbe || exit 1

qx_session bench || exit 1
qx_wine 30 "$WINEPREFIX/reg.log" reg delete 'HKCU\Software\Quellix' /f

# measure NAME EXE CAPTION: one start; appends its line
# "run 1 visible_ms T working_set_kb W" to $WINEPREFIX/NAME.txt.
measure() {
    local name=$1 exe=$2 caption=$3 out=$WINEPREFIX/run.txt
    qx_wine 60 "$out" "$build/bench/StartupProbe.exe" "$exe" "$caption" 1 || {
        cat "$out" >&2
        echo "bench-startup: measuring $name failed" >&2
        exit 1
    }
    grep '^run ' "$out" >>"$WINEPREFIX/$name.txt"
}
programs=(quellix bare template)
for ((run = 0; run <= runs; run++)); do
    if ((run <= 1)); then  # the warm-up round is not counted
        for name in "${programs[@]}"; do : >"$WINEPREFIX/$name.txt"; done
    fi
    measure quellix "$build/Quellix.exe" "Quellix..."
    measure bare "$build/bench/BareDialog.exe" "Bare dialog"
    measure template "$build/bench/TemplateDialog.exe" "Quellix..."
done

# median FILE FIELD: the median of the value after the word FIELD.
median() {
    tr -d '\r' <"$1" | awk -v f="$2" '$1 == "run" { for (i = 1; i < NF; i++) if ($i == f) print $(i + 1) }' |
        sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
echo "Start-up under Wine $(wine --version 2>/dev/null), $runs runs each (medians):"
ratio() { awk -v q="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", q / b; else print "-" }'; }
printf '%-28s %12s %12s %8s %14s %8s\n' "" "Quellix" "bare dialog" "ratio" "template only" "ratio"
for field in visible_ms working_set_kb; do
    q=$(median "$WINEPREFIX/quellix.txt" "$field")
    b=$(median "$WINEPREFIX/bare.txt" "$field")
    t=$(median "$WINEPREFIX/template.txt" "$field")
    label=$field
    case $field in
    visible_ms) label="start to visible dialog, ms" ;;
    working_set_kb) label="idle working set, KiB" ;;
    esac
    printf '%-28s %12s %12s %8s %14s %8s\n' "$label" "$q" "$b" "$(ratio "$q" "$b")" "$t" "$(ratio "$t" "$b")"
done
