#!/usr/bin/env bash
# The start window under a private X server without a window manager: one
# 300 x 300 top-level window, placed at (200, 200) by the clock's start-up,
# undecorated, kept on top and owned (no taskbar button); a left-button drag
# anywhere on the clock moves it; Escape closes it and the program exits with
# code 0.
#
# Usage: start_window_test.sh <path of the horavia executable>
set -u

program="$1"
work="$(mktemp -d)"
xvfb_pid=""
app_pid=""

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}

# Polls a command up to about ten seconds.
wait_for() {
  for _ in $(seq 1 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Xvfb picks a free display itself and reports its number: choosing one by
# its lock file raced with a server of an earlier run still shutting down.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for test -s "$work/display" || fail "Xvfb did not report a display"
display=":$(tr -d '[:space:]' <"$work/display")"
export DISPLAY="$display"
wait_for xdpyinfo || fail "Xvfb did not start"

# A private copy of the program folder: the program writes beside itself.
cp -r "$(dirname "$program")" "$work/program"
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
(
  cd "$work/program" &&
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy \
      HORAVIA_DIALOGS=print QT_QPA_PLATFORM=xcb exec ./"$(basename "$program")"
) >"$work/program.log" 2>&1 &
app_pid=$!

wait_for xdotool search --onlyvisible --class horavia || fail "no window appeared"
windows=$(xdotool search --onlyvisible --class horavia)
[ "$(echo "$windows" | wc -l)" -eq 1 ] || fail "expected one window, found: $windows"
window=$windows

geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
read -r x y w h < <(geometry)
[ "$w" -eq 300 ] && [ "$h" -eq 300 ] || fail "size ${w}x${h}, want 300x300"
[ "$x" -eq 200 ] && [ "$y" -eq 200 ] || fail "at $x,$y, want 200,200"

# No decorations: the Motif hints carry the decorations flag (bit 1) with no
# decorations asked for.
read -r mflags _ mdecorations _ < <(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
[ -n "${mflags:-}" ] && [ $((mflags & 2)) -ne 0 ] && [ $((mdecorations)) -eq 0 ] ||
  fail "decorations are not switched off: $(xprop -id "$window" _MOTIF_WM_HINTS)"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not marked to stay on top"
# No taskbar button: a utility window owned by the hidden runtime window.
xprop -id "$window" WM_TRANSIENT_FOR | grep -q "window id" || fail "the window has no owner"
xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY || fail "not a utility window"

# Drag from a point on the clock face (the window's outline is the face).
px=$((x + 150)); py=$((y + 250))
xdotool mousemove "$px" "$py" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((px + step * 8)) $((py - step * 5)); sleep 0.05; done
xdotool mouseup 1
wait_for test "$(geometry | cut -d' ' -f1,2)" = "$((x + 40)) $((y - 25))" ||
  fail "drag moved the window to $(geometry | cut -d' ' -f1,2), want $((x + 40)) $((y - 25))"
read -r x y w h < <(geometry)

# Escape closes it; the program ends with code 0.
xdotool mousemove $((x + 150)) $((y + 150)) key Escape
wait_for sh -c "! kill -0 $app_pid" || fail "the program did not end after Escape"
wait "$app_pid"
code=$?
app_pid=""
[ "$code" -eq 0 ] || fail "exit code $code, want 0"
echo "PASS: start window"
