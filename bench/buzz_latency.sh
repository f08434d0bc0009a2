#!/usr/bin/env bash
# How late the quiz window's sounds are heard after the key release that triggers them.
#
# Run from the repository root after a build (not part of `make test` or `make bench`):
#     bench/buzz_latency.sh [questions]          (default 10 questions, about 3 s each)
# Needs: pulseaudio, pulseaudio-utils (pacat, parec), xvfb, xdotool, mawk or gawk, od
# (ZN_DEV_TOOLS=1 scripts/install-deps). Environment: ZN_BENCH_DISPLAY (default :96),
# ZN_BUILD (default build), ZN_BENCH_KEEP=1 keeps the scratch folder (recording, logs).
#
# It starts a private PulseAudio (user mode, one null sink, its own runtime folder and socket, so
# a running sound server is left alone), a private Xvfb and a copy of build/zn in a scratch folder
# (fresh ZN.INI: sounds on), opened on samples/sample.znd. For every question it releases a key
# three times: in the judge wait for the next question (sound 11), during the reveal for the buzz
# (12) and the same key again for the answer (14). At each release a reference click is written
# to a pacat stream with 10 ms of latency that waits, open and idle, on the same sink. parec records the sink's
# monitor in stereo: the program's mono sounds land on both channels, the click only on the left,
# so left minus right is the click alone. The extra delay of a sound is its onset minus the
# click's onset. It prints the median and maximum per sound and always exits 0.
set -u

questions=${1:-10}
((questions > 70)) && questions=70 # the sample file has 74 questions; the run must not end
display=${ZN_BENCH_DISPLAY:-:96}
build=${ZN_BUILD:-build}
rate=48000

say() { echo "buzz_latency: $*"; }

for tool in pulseaudio pactl pacat parec Xvfb xdotool od awk; do
    if ! command -v "$tool" >/dev/null; then
        say "$tool is missing (ZN_DEV_TOOLS=1 scripts/install-deps); nothing measured"
        exit 0
    fi
done
if [[ ! -x $build/zn || ! -f samples/sample.znd ]]; then
    say "run from the repository root after building $build/zn; nothing measured"
    exit 0
fi

work=$(mktemp -d /tmp/zn-buzz-XXXXXX)
zn_pid='' ref_pid='' rec_pid='' x_pid='' pa_pid=''
# Ends what this script started, the program first and the sound server and display last;
# SIGINT lets parec write out what it has.
finish() {
    local pid
    for pid in "$@"; do
        [[ -n $pid ]] || continue
        kill -INT "$pid" 2>/dev/null
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
}
cleanup() {
    exec 3>&- 2>/dev/null
    finish "$zn_pid" "$ref_pid" "$rec_pid" "$x_pid" "$pa_pid"
    [[ ${ZN_BENCH_KEEP:-0} == 1 ]] && say "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap '' PIPE # a reference stream that died makes its writes fail, not this script

# --- private sound server ------------------------------------------------------------------
mkdir -p "$work/run" "$work/home" "$work/app"
chmod 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run PULSE_RUNTIME_PATH=$work/run/pulse PULSE_STATE_PATH=$work/state
export HOME=$work/home PULSE_SERVER=unix:$work/run/native PULSE_CLIENTCONFIG=$work/client.conf
echo "autospawn = no" >"$work/client.conf"
cat >"$work/server.pa" <<EOF
load-module module-null-sink sink_name=znbench rate=$rate channels=2
load-module module-native-protocol-unix socket=$work/run/native auth-anonymous=1
set-default-sink znbench
EOF
pulseaudio -n -F "$work/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --log-target=file:"$work/pulseaudio.log" 2>/dev/null &
pa_pid=$!
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
    say "PulseAudio did not start (see $work/pulseaudio.log); nothing measured"
    ZN_BENCH_KEEP=1
    exit 0
fi

# --- recorder and reference stream ---------------------------------------------------------
parec -d znbench.monitor --raw --format=s16le --rate=$rate --channels=2 --latency-msec=5 \
    >"$work/record.raw" &
rec_pid=$!
mkfifo "$work/reference"
pacat --playback -d znbench --raw --format=s16le --rate=$rate --channels=2 --latency-msec=10 \
    <"$work/reference" &
ref_pid=$!
exec 3>"$work/reference"
# 20 ms of a loud step on the left channel only, longer than the stream's 10 ms prebuffer, so
# the idle stream starts at once.
click=$(printf '\\x00\\x40\\x00\\x00%.0s' $(seq $((rate / 50))))

# --- display and program -------------------------------------------------------------------
if ! DISPLAY=$display xdotool getmouselocation >/dev/null 2>&1; then
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
    x_pid=$!
    sleep 1
fi
export DISPLAY=$display
cp "$build/zn" "$build/libzn_sound.so" "$work/app/" # the sounds play through the module
[[ -f $build/zn.hlp ]] && cp "$build/zn.hlp" "$work/app/"
# A run starts at once when a question file is given.
(cd "$work/app" && exec ./zn "$OLDPWD/samples/sample.znd") >"$work/zn.log" 2>&1 &
zn_pid=$!
window=$(xdotool search --sync --limit 1 --name 'ZE Zir Uduzedu' 2>/dev/null | head -n 1)
if [[ -z $window ]]; then
    say "the quiz window did not appear (see $work/zn.log); nothing measured"
    ZN_BENCH_KEEP=1
    exit 0
fi
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 2 # the first question's sound (the sound server is set up then) and its first characters

# Releases the key and, unless warming up, feeds the reference click right after it (xdotool
# returns within about a millisecond of sending the release, so the figures may be that much
# low). The press comes a little earlier, as a finger's would.
release() {
    xdotool keydown --delay 0 a
    sleep 0.06
    xdotool keyup --delay 0 a
    [[ $1 == warm-up ]] && return
    printf "$click" >&3
    echo "$1 $EPOCHREALTIME" >>"$work/events"
}
# The first buzz and answer are not measured: the first sounds of a run load and convert them.
release warm-up
sleep 0.9
release warm-up
sleep 1.0
for ((q = 0; q < questions; q++)); do
    release next
    sleep 1.2 # every question has more than 20 characters: the reveal is still running
    release buzz
    sleep 0.9 # within the answer count
    release correct
    sleep 1.0 # the judge wait
done
sleep 0.5
finish "$zn_pid" "$rec_pid"
zn_pid='' rec_pid=''

# --- analysis ------------------------------------------------------------------------------
od -An -v -td2 -w4 "$work/record.raw" |
    awk -v rate=$rate -v events="$work/events" '
    BEGIN {
        threshold = 1500   # about 5 % of full scale; the sounds reach that within 1 ms
        while ((getline line < events) > 0) { split(line, f, " "); labels[++nlabels] = f[1] }
        lastRef = -rate
    }
    {
        d = $1 - $2; if (d < 0) d = -d
        p = $2; if (p < 0) p = -p
        if (d > threshold) {
            if (NR - 1 - lastRef > rate / 5) refs[++nrefs] = NR - 1
            lastRef = NR - 1
        }
        if (p > threshold) {
            if (NR - 1 - lastSound > rate / 10 || nsounds == 0) sounds[++nsounds] = NR - 1
            lastSound = NR - 1
        }
    }
    END {
        if (nrefs != nlabels)
            printf "buzz_latency: %d key releases, %d reference clicks heard\n", nlabels, nrefs
        s = 1
        for (i = 1; i <= nrefs; i++) {
            # the first sound starting from 100 ms before the click to 500 ms after it
            while (s <= nsounds && sounds[s] < refs[i] - rate / 10) s++
            label = labels[i]
            if (s > nsounds || sounds[s] > refs[i] + rate / 2) { missed[label]++; continue }
            delay = (sounds[s] - refs[i]) * 1000.0 / rate
            values[label, ++count[label]] = delay
            s++
        }
        split("buzz correct next", order, " ")
        printf "extra delay of each sound after the reference click (%d questions)\n", nlabels / 3
        printf "%-8s %6s %10s %8s %7s\n", "sound", "heard", "median ms", "max ms", "missed"
        for (k = 1; k <= 3; k++) {
            label = order[k]; n = count[label] + 0
            for (i = 1; i <= n; i++) v[i] = values[label, i]
            for (i = 2; i <= n; i++) {   # insertion sort, n is small
                x = v[i]
                for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]
                v[j + 1] = x
            }
            median = n == 0 ? 0 : (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2)
            printf "%-8s %6d %10.1f %8.1f %7d\n", label, n, median, n ? v[n] : 0, missed[label]
        }
    }'
exit 0
