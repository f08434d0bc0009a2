#!/usr/bin/env bash
# Start-up time of zn against a bare Qt window built alongside it: for each, the time from exec
# to its first mapped top-level window, 10 runs each, taken in turns so all see the same
# machine; prints the medians and their ratio (the goal is at most 1.25). The processor time
# each had used by then is shown too: on a busy machine it varies much less than the clock.
# A second yardstick is the bare window with a menu bar and a line of Japanese text: the fonts
# it loads are a part of the start no program that shows Japanese can skip.
#   bench/startup.sh [build folder] [question file]
# Uses the X server of DISPLAY, or starts a private Xvfb when there is none.
set -euo pipefail
build=${1:-build}
file=${2:-$(dirname "$0")/../samples/sample.znd}
runs=${RUNS:-10}
for program in "$build/zn" "$build/bench/bare_window" "$build/bench/map_timer"; do
    [[ -x $program ]] || { echo "startup.sh: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
if [[ -z ${DISPLAY:-} ]]; then
    command -v Xvfb >/dev/null || { echo "startup.sh: no DISPLAY and no Xvfb" >&2; exit 1; }
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null &
    xvfb=$!
    read -r -t 10 -u "$fd" number || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$number
fi
# Each program starts as a user would, but with its own settings and runtime folders.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

measure() { "$build/bench/map_timer" "$@"; }
# One untimed run of each first: the files are then in the page cache for both alike.
measure "$build/zn" "$file" >/dev/null
measure "$build/bench/bare_window" >/dev/null
measure "$build/bench/bare_window" text >/dev/null
zn_wall=() zn_cpu=() bare_wall=() bare_cpu=() text_wall=() text_cpu=()
for ((i = 0; i < runs; i++)); do
    read -r wall cpu < <(measure "$build/zn" "$file")
    zn_wall+=("$wall") zn_cpu+=("$cpu")
    read -r wall cpu < <(measure "$build/bench/bare_window")
    bare_wall+=("$wall") bare_cpu+=("$cpu")
    read -r wall cpu < <(measure "$build/bench/bare_window" text)
    text_wall+=("$wall") text_cpu+=("$cpu")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "zn, exec to window:          ${zn_wall[*]} ms"
echo "bare window, exec to window: ${bare_wall[*]} ms"
echo "zn, processor time:          ${zn_cpu[*]} ms"
echo "bare window, processor time: ${bare_cpu[*]} ms"
echo "window with text, exec to window: ${text_wall[*]} ms"
echo "window with text, processor time: ${text_cpu[*]} ms"
awk -v zn="$(median "${zn_cpu[@]}")" -v bare="$(median "${bare_cpu[@]}")" 'BEGIN {
    printf "median processor time: zn %.1f ms, bare Qt window %.1f ms, ratio %.2f\n", zn, bare, zn / bare }'
awk -v zn="$(median "${zn_wall[@]}")" -v bare="$(median "${bare_wall[@]}")" 'BEGIN {
    printf "median exec to mapped window: zn %.1f ms, bare Qt window %.1f ms, ratio %.2f (goal <= 1.25)\n", zn, bare, zn / bare }'
awk -v zn="$(median "${zn_wall[@]}")" -v text="$(median "${text_wall[@]}")" 'BEGIN {
    printf "median exec to mapped window: zn %.1f ms, window with menus and Japanese text %.1f ms, ratio %.2f\n", zn, text, zn / text }'
