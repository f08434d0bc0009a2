#!/usr/bin/env bash
# Holds a buzzer key in the real quiz window as clubs do, under Xvfb while another process loads
# the CPU, then reads the saved log: every hold must be one buzz where the key was let go.
# Run by hand after a build (needs xvfb, xdotool: ZN_DEV_TOOLS=1 scripts/install-deps):
#   bench/held_keys.sh [build folder] [display] [holds] [hold seconds] [way]
# The way of playing each question:
#   hold   wait 1 s, hold X for the hold time and let go (the buzz), wait out the answer count
#          (a time over, ×), hold X again in the judge wait and let go (the next question).
#          A fake release shows as ○ (the second release opened the answer), a buzz far earlier
#          than the release, or a question skipped before its key was let go.
#   popup  buzz and open the answer with two taps of X, hold X, judge ○ in the right-click
#          pop-up (by keys on odd questions, by the mouse on even ones) and let X go: that
#          release starts the next question. A lost release leaves the run a question behind.
#   menu   hold X in the reveal while the operator opens the file menu and closes it with Esc,
#          let go (the buzz), tap X (the answer), judge ○ with F1, tap X (the next question).
#          The buzz must come where X was let go, after the menu closed.
#   match  a match of X and M set up in the settings dialog by mouse: X buzzes and opens the
#          answer, the operator opens the judge pop-up, M (the other player) is pressed while
#          it is open, ○ is clicked, and M's release starts the next question.
set -euo pipefail

build=$(realpath "${1:-build}")
display=${2:-:97}
holds=${3:-10}
hold=${4:-3}
way=${5:-hold}
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

cp "$build/zn" "$build/libzn_sound.so" "$work/"
# Speed 3 (110 ms a character), no sounds, file order, reveal on, time over ×.
printf 'OFF3OFF2ON OFFON X\r\n' >"$work/ZN.INI"
kana=あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ
for ((i = 1; i <= holds; ++i)); do
    q=""
    for ((j = 0; j < 110; ++j)); do q+=${kana:$(((i * 7 + j * 3) % ${#kana})):1}; done
    printf '問%d%s\t答%d\t1\n' "$i" "$q" "$i"
done >"$work/q.txt"
"$build/Pomvex" -f "$work/q.txt" "$work/q.znd" >/dev/null 2>&1

# A private runtime folder: another copy of the program running elsewhere must not make this one
# refuse to start as a second copy.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
pids+=($!)
sleep 1
export DISPLAY=$display
yes >/dev/null &
pids+=($!)
# A match is set up before its question file is read, so that one starts with the opening.
if [[ $way == match ]]; then
    (cd "$work" && exec ./zn) >/dev/null 2>&1 &
    pids+=($!)
    sleep 9
else
    (cd "$work" && exec ./zn q.znd) >/dev/null 2>&1 &
    pids+=($!)
    sleep 3
fi
if ! window=$(timeout 20 xdotool search --sync --name "ZE Zir" | head -1); then
    echo "held_keys: the quiz window did not appear" >&2
    exit 1
fi
xdotool windowfocus "$window" 2>/dev/null || true # without a window manager the focus may stay
eval "$(xdotool getwindowgeometry --shell "$window")"
# Clicks at a place in the quiz window's client area (the settings dialog opens centred on it).
at() { xdotool mousemove $((X + $1)) $((Y + $2)) click "${3:-1}"; sleep "${4:-0.6}"; }
if [[ $way == match ]]; then
    at 86 8 && at 121 30 1 1.2                      # 編集 > ｵﾌﾟｼｮﾝ
    at 429 328                                      # 対戦 >>
    at 178 416 && xdotool type Xsan && at 268 416 && xdotool key x Return
    at 350 416 && xdotool type Msan && at 439 416 && xdotool key m Return
    at 173 328 1 1                                  # OK
    at 26 8 && at 56 53 1 1.2                       # ﾌｧｲﾙ > 問題読込
    xdotool type --delay 20 "$work/q.znd"
    xdotool key Return
    sleep 1.5
    at 26 8 && at 46 31                             # ﾌｧｲﾙ > 開始
fi

start=$(date +%s.%N)
centre=($((X + WIDTH / 2)) $((Y + HEIGHT / 2)))
for ((i = 1; i <= holds; ++i)); do
    sleep 1
    case $way in
    hold)
        xdotool keydown x
        sleep "$hold"
        xdotool keyup x
        sleep 8 # the answer count runs out: a time over
        xdotool keydown x
        sleep "$hold"
        xdotool keyup x
        ;;
    popup)
        xdotool key x
        sleep 0.5
        xdotool key x
        sleep 0.5
        xdotool keydown x
        sleep 0.3
        xdotool mousemove "${centre[@]}" click 3
        sleep 0.7
        if ((i % 2)); then
            xdotool key Down Return
        else
            xdotool mousemove_relative 30 12 click 1
        fi
        sleep "$hold"
        xdotool keyup x
        ;;
    match)
        xdotool key x
        sleep 0.5
        xdotool key x
        sleep 0.5
        xdotool mousemove "${centre[@]}" click 3
        sleep 0.7
        xdotool keydown m
        sleep 0.3
        xdotool mousemove_relative 30 12 click 1
        sleep "$hold"
        xdotool keyup m
        ;;
    menu)
        xdotool keydown x
        sleep 0.5
        xdotool key alt+f
        sleep 0.7
        xdotool key Escape
        sleep 0.3
        xdotool key Escape # the first Esc may only leave the menu bar
        sleep 0.5
        xdotool keyup x
        sleep 0.5
        xdotool key x
        sleep 0.5
        xdotool key F1
        sleep 0.3
        xdotool key x
        ;;
    *)
        echo "held_keys: unknown way '$way'" >&2
        exit 1
        ;;
    esac
done
echo "holds done in $(echo "$(date +%s.%N) - $start" | bc) s"
sleep 1
xdotool key Return # the end of the run is announced in a message box
sleep 1
# ファイル > ログ保存(&V), confirmed, into log.csv.
xdotool key alt+f
sleep 0.5
xdotool key v
sleep 1
xdotool key Return
sleep 1.5
xdotool type --delay 30 "$work/log.csv"
xdotool key Return
sleep 1.5
if [[ ! -f "$work/log.csv" ]]; then
    import -window root /tmp/held_keys_failed.png 2>/dev/null || true
    echo "held_keys: no log was saved (screen: /tmp/held_keys_failed.png)" >&2
    exit 1
fi
python3 - "$work/log.csv" "$way" "$holds" <<'PY'
import sys
header, *lines = open(sys.argv[1], encoding="cp932").read().splitlines()
circles = 0
for n, line in enumerate(lines, 1):
    fields = line.split('","')
    question, mark = fields[0].lstrip('"'), fields[3].rstrip('"')
    # The question is logged with "/" where the first buzz came; it begins with 問<n>.
    at = question.find("/") - len(f"問{n}")
    circles += mark == "○"
    print(f"question {n:2d}: buzzed {at:3d} characters in ({at * 0.11:4.1f} s), {mark}")
way, holds = sys.argv[2], int(sys.argv[3])
print(f"{len(lines)} questions, {circles} judged ○")
# Held: a ○ is a fake second release. Pop-up and menu: every question is judged ○, and a lost
# release shows as fewer questions or a ×.
ok = len(lines) == holds and circles == (0 if way == "hold" else holds)
# The log's first line says whether the run was a match.
ok = ok and (way == "match") == ("VS" in header)
print("all holds acted as single presses and releases" if ok else "FAULT: see the questions above")
sys.exit(0 if ok else 1)
PY
