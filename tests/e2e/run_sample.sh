#!/usr/bin/env bash
# Runs one sample program on its own virtual X server and drives it like a player:
#
#   run_sample.sh PROGRAM STEP...
#
# PROGRAM is the built program (it runs in its own folder, next to its pictures). The
# steps run in order; the first that fails ends the test with status 1. Frame regions
# are WxH+X+Y in the program's 640x480 frame.
#
#   caption:TEXT          the window's caption (UTF-8 on the X side) is TEXT
#   not-blank             the window shows more than one flat colour
#   animates              the picture changes
#   shot:NAME             take a screenshot called NAME
#   key:KEY[:TIMES]       press and release KEY (an X key name) TIMES times
#   hold:KEY:SECONDS      hold KEY down for SECONDS
#   sleep:SECONDS         wait
#   differ:A:B:REGION:F   at least the fraction F of REGION's pixels differ between A and B
#   still:NAME:REGION     wait until REGION stands still (two screenshots half a second
#                         apart agree in it); the last screenshot is NAME
#   second-start          a second copy ends by itself (status 0) and the first runs on
#   quits-on:KEY          KEY ends the program with status 0 within a few seconds
#
# Ends with status 77 (skipped) when Xvfb, xdotool or ImageMagick is missing or the
# program is not built yet.
set -u

readonly SKIP=77
readonly STEP_TIMEOUT=10   # seconds a program may take to start or to end
readonly STILL_TIMEOUT=30  # seconds a region may take to come to rest

program=${1:?usage: run_sample.sh PROGRAM STEP...}
shift

for tool in Xvfb xdotool import identify convert compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit $SKIP
    fi
done
if [[ ! -x $program ]]; then
    echo "SKIP: $program is not built yet"
    exit $SKIP
fi

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [[ -s $work/program.log ]]; then
        echo "--- program output"
        cat "$work/program.log"
    fi
    exit 1
}

# ---- the X server ---------------------------------------------------------------------

# Xvfb picks a free display number itself and writes it to the given descriptor.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for ((i = 0; i < STEP_TIMEOUT * 10; i++)); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
    sleep 0.1
done
export DISPLAY=:$(head -n1 "$work/display")
timeout "$STEP_TIMEOUT" bash -c 'until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.1; done' ||
    fail "Xvfb on $DISPLAY accepts no connections"
unset SDL_VIDEODRIVER
# In a sanitizer build, SDL's X11 and D-Bus back ends leave blocks behind at exit in
# libraries that are unloaded before the leak check could name them; the headless
# tests check the SDK's own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# ---- the program ----------------------------------------------------------------------

folder=$(dirname "$program")
start_program() {  # starts a copy in its folder; its pid in $! of the caller's view
    (cd "$folder" && exec "./$(basename "$program")") >>"$work/program.log" 2>&1 &
}

start_program
program_pid=$!
window=$(timeout "$STEP_TIMEOUT" xdotool search --sync --onlyvisible --pid "$program_pid" 2>/dev/null |
    head -n1)
[[ -n $window ]] || fail "no window of $program appeared"
timeout "$STEP_TIMEOUT" xdotool windowfocus --sync "$window" 2>/dev/null ||
    xdotool windowfocus "$window"
sleep 0.5  # the first frames

alive() { kill -0 "$program_pid" 2>/dev/null; }

# Waits up to STEP_TIMEOUT seconds for a child to end and sets exit_status; fails
# (status 1) when it still runs.
wait_exit() {
    local pid=$1
    for ((i = 0; i < STEP_TIMEOUT * 10; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            exit_status=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The window's picture as the program's 640x480 frame. A full-screen program covers the
# whole screen and shows its frame centred, scaled by the largest whole factor that
# fits (or shrunk to fit when none does).
screenshot() {
    alive || fail "the program ended early"
    timeout "$STEP_TIMEOUT" import -window "$window" "$work/raw.png" 2>>"$work/import.log" ||
        fail "no screenshot: $(cat "$work/import.log")"
    local width height factor
    read -r width height < <(identify -format '%w %h' "$work/raw.png")
    factor=$((width / 640 < height / 480 ? width / 640 : height / 480))
    if ((factor >= 1)); then
        convert "$work/raw.png" -crop "$((640 * factor))x$((480 * factor))+$(((width - 640 * factor) / 2))+$(((height - 480 * factor) / 2))" \
            +repage -sample '640x480!' "$work/$1.png"
    else
        convert "$work/raw.png" -resize 640x480 -gravity center -extent 640x480 "$work/$1.png"
    fi
}

# The fraction of REGION's pixels that differ between two screenshots.
difference() {
    local a=$1 b=$2 region=$3 size=${3%%+*} differing
    convert "$work/$a.png" -crop "$region" +repage "$work/region-a.png"
    convert "$work/$b.png" -crop "$region" +repage "$work/region-b.png"
    differing=$(compare -metric AE "$work/region-a.png" "$work/region-b.png" null: 2>&1)
    awk -v d="${differing%% *}" -v w="${size%x*}" -v h="${size#*x}" \
        'BEGIN { printf "%.4f", d / (w * h) }'
}

press() {
    xdotool keydown "$1" && sleep 0.1 && xdotool keyup "$1" && sleep 0.1
}

for step in "$@"; do
    IFS=: read -r -a part <<<"$step"
    echo "step: $step"
    case ${part[0]} in
        caption)
            name=$(xdotool getwindowname "$window")
            [[ $name == "${step#caption:}" ]] || fail "the caption is $name"
            ;;
        not-blank)
            # The first frames may take a moment on a busy machine.
            for ((n = 0; ; n++)); do
                screenshot blank-check
                colours=$(convert "$work/blank-check.png" -format %k info:)
                ((colours > 1)) && break
                ((n < STEP_TIMEOUT * 2)) || fail "the screen is one flat colour"
                sleep 0.5
            done
            ;;
        animates)
            screenshot frame1
            for ((n = 0; ; n++)); do
                sleep 0.5
                screenshot frame2
                changed=$(difference frame1 frame2 640x480+0+0)
                awk -v c="$changed" 'BEGIN { exit !(c > 0) }' && break
                ((n < STEP_TIMEOUT * 2)) || fail "the picture does not change"
            done
            ;;
        shot)
            screenshot "${part[1]}"
            ;;
        key)
            for ((n = 0; n < ${part[2]:-1}; n++)); do press "${part[1]}"; done
            ;;
        hold)
            xdotool keydown "${part[1]}"
            sleep "${part[2]}"
            xdotool keyup "${part[1]}"
            ;;
        sleep)
            sleep "${part[1]}"
            ;;
        differ)
            changed=$(difference "${part[1]}" "${part[2]}" "${part[3]}")
            echo "  $changed of ${part[3]} differs"
            awk -v c="$changed" -v f="${part[4]}" 'BEGIN { exit !(c >= f) }' ||
                fail "${part[1]} and ${part[2]} differ in only $changed of ${part[3]}"
            ;;
        still)
            screenshot still-before
            for ((n = 0; ; n++)); do
                sleep 0.5
                screenshot "${part[1]}"
                changed=$(difference still-before "${part[1]}" "${part[2]}")
                awk -v c="$changed" 'BEGIN { exit !(c == 0) }' && break
                ((n < STILL_TIMEOUT * 2)) || fail "${part[2]} still changes after ${STILL_TIMEOUT} s"
                cp "$work/${part[1]}.png" "$work/still-before.png"
            done
            ;;
        second-start)
            start_program
            second=$!
            wait_exit "$second" || { kill "$second"; fail "the second copy kept running"; }
            ((exit_status == 0)) || fail "the second copy ended with status $exit_status"
            alive || fail "the first copy ended when the second started"
            ;;
        quits-on)
            press "${part[1]}"
            wait_exit "$program_pid" || fail "the program still runs after ${part[1]}"
            program_pid=
            ((exit_status == 0)) || fail "the program ended with status $exit_status"
            ;;
        *)
            fail "unknown step $step"
            ;;
    esac
done
echo "PASS"
