#!/usr/bin/env bash
# Timer benchmark under Wine: how punctually an "at" countdown ends, and how
# far the remaining-time text lags the true time left in its last seconds.
#   bash tools/bench-timer.sh [--build DIR] [RUNS]
# Starts "at" countdowns of 10 s (RUNS times, default 5) and of 120 s (once)
# in test/Quellix.exe (the build that makes no real request; the question is
# answered No anyway) and prints, per lead time, the time from the target
# instant to the expiry question and the text's lag (shown seconds minus true
# seconds left). Goal: the question within 50 ms of the target. Runs in a warm
# Wine prefix of its own (build/wine/bench-timer) on a private Xvfb display.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-tool.sh
source "$ROOT/tools/wine-tool.sh"
qx_built_session bench-timer TimerProbe "$@" || exit 1
runs=${QX_ARGS[0]:-5}

# measure LEAD RUNS: the probe's lines go to $WINEPREFIX/timer-LEAD.txt.
measure() {
    local lead=$1 count=$2 out=$WINEPREFIX/timer-$1.txt
    qx_wine $((60 + count * (lead + 15))) "$out" "$build/bench/TimerProbe.exe" "$build/test/Quellix.exe" "$lead" "$count" || {
        cat "$out" >&2
        echo "bench-timer: the $lead s countdowns failed" >&2
        exit 1
    }
}
measure 10 "$runs"
measure 120 1

# field FILE NAME: the values after the word NAME on the probe's run lines.
field() { tr -d '\r' <"$1" | awk -v f="$2" '$1 == "run" { for (i = 1; i < NF; i++) if ($i == f) print $(i + 1) }'; }
# stats: "median (min .. max)" of the numbers on standard input.
stats() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "-"; exit }
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%g (%g .. %g)", m, v[1], v[NR] }'
}

echo "\"at\" countdowns under Wine $(wine --version 2>/dev/null): median (min .. max) over the runs, in ms"
row() { printf '%-6s %-5s %-22s %-22s %-22s %-22s\n' "$@"; }
row "lead" "runs" "question shown" "\"Timer expired\" read" "text lag, least" "text lag, most"
for lead in 10 120; do
    f=$WINEPREFIX/timer-$lead.txt
    row "${lead} s" "$(field "$f" run | wc -l)" "$(field "$f" expiry_ms | stats)" \
        "$(field "$f" text_expired_ms | grep -vx -- - | stats)" "$(field "$f" lag_min_ms | stats)" "$(field "$f" lag_max_ms | stats)"
done
echo "(times after the target instant; text lag: seconds shown minus true seconds left, over the last 5 s;"
echo " run details in $WINEPREFIX/timer-*.txt)"
