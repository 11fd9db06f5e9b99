# shellcheck shell=bash
# Shared by the end-to-end tests: a private X server, a private copy of the
# program folder, the program started with everything it writes kept in one
# temporary folder, and small helpers to find windows, take screenshots, read
# pixels, drive the pop-up menu and read the settings file.
#
# Source it, then call e2e_begin. Variables it sets: work (the temporary
# folder, removed at exit unless E2E_KEEP is set), DISPLAY, program_dir (the
# copy), app_pid.
#
# Index
#   [set-up]    e2e_begin, start_x, copy_program, start_program
#   [waiting]   fail, wait_for, process_gone, now, add_seconds, before,
#               seconds_between
#   [windows]   visible_windows, window_gone, new_window, find_main_window,
#               geometry, shape_extents, unit_rect
#   [pixels]    shot, pixels, opaque_pixels, differing, shows_wheel_at
#   [input]     open_menu, choose_menu_item, open_settings, quit_with_escape
#   [audio]     loud_blocks, loud_runs
#   [files]     ini_value, write_settings

# The settings window's form source, where its units' places are read.
SETTINGS_FORM="$(dirname "${BASH_SOURCE[0]}")/../../app/forms/settings_window.form"

# Menu items of the clock's pop-up menu, in order; the separator before
# "退出(&X)" takes no keyboard step.
readonly MENU_CLOCK=0 MENU_WHEEL=1 MENU_RESET=2 MENU_SETTINGS=3 MENU_CHIME=4 MENU_CLICK_THROUGH=5
readonly MENU_SECOND_HAND=6 MENU_EXIT=7

# [set-up] ---------------------------------------------------------------------

work=""
xvfb_pid=""
app_pid=""
program_dir=""

# Ends the program and what started it: a launcher such as faketime runs the
# program as its child and waits for it, so the child is told first.
stop_program() {
  [ -n "$app_pid" ] || return 0
  pkill -TERM -P "$app_pid" 2>/dev/null
  kill "$app_pid" 2>/dev/null
}

e2e_cleanup() {
  stop_program
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  if [ -n "${E2E_KEEP:-}" ]; then
    echo "kept: $work" >&2
  elif [ -n "$work" ]; then
    rm -rf "$work"
  fi
}

e2e_begin() {
  work="$(mktemp -d)"
  trap e2e_cleanup EXIT
}

# Starts Xvfb on a free display (it picks the number itself and reports it:
# choosing one by its lock file raced with a server of an earlier run still
# shutting down) with a black root window, so that whatever lies outside a
# shaped window reads as 000000. It never resets: a server that resets when
# its last client leaves refuses connections for a moment, so a program
# started right after another one quit could find no display.
# Further arguments go to Xvfb.
# Usage: start_x [WIDTHxHEIGHT [XVFB-ARGUMENT...]]
# shellcheck disable=SC2120  # the arguments are optional
start_x() {
  local size="${1:-800x600}"
  shift || true
  Xvfb -displayfd 3 -screen 0 "${size}x24" -br -nolisten tcp -noreset "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for test -s "$work/display" || fail "Xvfb did not report a display"
  export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
  wait_for xdpyinfo || fail "Xvfb did not start"
}

# A private copy of the program folder, since the program writes beside
# itself; what an earlier run wrote there ("bass.dll", "配置.ini") is left
# out, so every test starts as a first start does.
# Usage: copy_program PROGRAM
copy_program() {
  local program="$1"
  program_dir="$work/program"
  cp -r "$(dirname "$program")" "$program_dir"
  rm -f "$program_dir/bass.dll" "$program_dir/配置.ini"
  program_name="$(basename "$program")"
}

# Starts the copied program with its own configuration, data and runtime
# folders, message boxes printed to standard error, and SDL's disk audio
# driver writing what would be played to $work/audio.raw (signed 16-bit
# stereo at 44100 Hz). Standard output goes to $work/program.out, standard
# error to $work/program.err. A command in the array launcher (empty by
# default) runs the program, such as faketime; the array program_args
# (empty by default) follows the program's name.
launcher=()
program_args=()
start_program() {
  mkdir -p "$work/config" "$work/data" "$work/runtime"
  chmod 700 "$work/runtime"
  (
    cd "$program_dir" &&
      XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
        SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
        HORAVIA_DIALOGS=print QT_QPA_PLATFORM=xcb exec "${launcher[@]}" ./"$program_name" "${program_args[@]}"
  ) >"$work/program.out" 2>"$work/program.err" &
  app_pid=$!
}

# [waiting] --------------------------------------------------------------------

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$work" ] && [ -s "$work/program.err" ]; then sed 's/^/  program: /' "$work/program.err" >&2; fi
  exit 1
}

# Polls a command every 0.1 s until it succeeds, for at most SECONDS
# (default 10).
# Usage: wait_for [-t SECONDS] COMMAND...
wait_for() {
  local seconds=10
  if [ "$1" = "-t" ]; then seconds="$2"; shift 2; fi
  local deadline=$(($(date +%s%N) + seconds * 1000000000))
  while :; do
    if "$@" >/dev/null 2>&1; then return 0; fi
    [ "$(date +%s%N)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

process_gone() { ! kill -0 "$1" 2>/dev/null; }

# Seconds since the epoch with nanoseconds.
now() { date +%s.%N; }

# TIME + SECONDS, both possibly fractional.
add_seconds() { awk -v t="$1" -v d="$2" 'BEGIN {printf "%.3f\n", t + d}'; }

# Succeeds while the time is before TIME.
before() { awk -v t="$1" -v n="$(now)" 'BEGIN {exit !(n < t)}'; }

# Seconds from FROM to TO, with milliseconds.
seconds_between() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f\n", b - a}'; }

# [windows] --------------------------------------------------------------------

# The program's mapped windows, one id a line.
visible_windows() { xdotool search --onlyvisible --class horavia 2>/dev/null | sort; }

# Succeeds when the window is no longer mapped (or no longer exists).
window_gone() { ! visible_windows | grep -qx "$1"; }

# Prints the first of the program's mapped windows that is not in the list
# BEFORE (ids, one a line); fails when there is none.
new_window() {
  local found
  found=$(comm -13 <(echo "$1") <(visible_windows) | head -n 1)
  [ -n "$found" ] && echo "$found"
}

# Waits for the program's first window and sets main_window.
find_main_window() {
  wait_for -t 20 xdotool search --onlyvisible --class horavia || fail "no window appeared"
  main_window=$(visible_windows)
  [ "$(echo "$main_window" | wc -l)" -eq 1 ] || fail "expected one window, found: $main_window"
}

# Prints a window's absolute position and size: X Y WIDTH HEIGHT.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Prints the extents of a window's bounding shape as the X server holds it,
# WIDTHxHEIGHT+X+Y relative to the window.
shape_extents() { xwininfo -shape -id "$1" | awk '/Window shape extents:/ {print $4}'; }

# A unit's rectangle in the settings window's form: "LEFT TOP WIDTH HEIGHT",
# relative to the window the X server shows.
unit_rect() {
  awk -v name="$1" '$1 == "unit" {found = ($4 == name)} found && $1 == "rect" {print $2, $3, $4, $5; exit}' \
    "$SETTINGS_FORM"
}

# [pixels] ---------------------------------------------------------------------

# A screenshot of the whole screen, or of WIDTHxHEIGHT+X+Y of it.
# Usage: shot FILE [GEOMETRY]
shot() {
  if [ -n "${2:-}" ]; then
    import -window root -crop "$2" +repage "$1"
  else
    import -window root "$1"
  fi
}

# Prints every pixel of a picture as "x y r g b" (0..255), alpha dropped.
pixels() {
  convert "$1" -alpha off -depth 8 txt:- | awk -F'[:,() ]+' 'NR > 1 {print $1, $2, $3, $4, $5}'
}

# The opaque pixels of a picture (a preview, an overlay frame) as "x y r g b".
opaque_pixels() {
  convert "$1" -depth 8 txt:- | awk -F'[:,() ]+' 'NR > 1 && $6 == 255 {print $1, $2, $3, $4, $5}'
}

# How many opaque pixels of a preview the screenshot does not show within a
# small tolerance.
# Usage: differing SHOT PREVIEW
differing() {
  opaque_pixels "$2" >"$work/preview.txt"
  pixels "$1" | awk '
    function abs(v) { return v < 0 ? -v : v }
    NR == FNR { want[$1 " " $2] = $3 " " $4 " " $5; next }
    ($1 " " $2) in want {
      split(want[$1 " " $2], c, " ")
      if (abs($3 - c[1]) + abs($4 - c[2]) + abs($5 - c[3]) > 12) n++
    }
    END { print n + 0 }' "$work/preview.txt" -
}

# Whether the window at wx wy ww wh shows the skin tool's ($skin_tool)
# preview of the wheel of the skin folder $skin with its turning object at
# ANGLE; sets last_difference.
# Usage: shows_wheel_at ANGLE
shows_wheel_at() {
  "$skin_tool" preview "$skin" "$work/preview-$1.png" --wheel --angle "$1" >/dev/null || fail "no preview at $1°"
  shot "$work/window.png" "${ww}x${wh}+${wx}+${wy}"
  last_difference=$(differing "$work/window.png" "$work/preview-$1.png")
  [ "$last_difference" -le 30 ]
}

# [input] ----------------------------------------------------------------------

# Right-clicks at X Y and waits for the pop-up menu; sets menu_window and
# prints nothing. Fails if no new window of the program appears near the
# pointer.
# Usage: open_menu X Y
open_menu() {
  local before
  before=$(visible_windows)
  xdotool mousemove "$1" "$2" click 3
  wait_for new_window "$before" || fail "no menu opened on a right click at $1,$2"
  menu_window=$(new_window "$before")
  local mx my _w mh
  read -r mx my _w mh < <(geometry "$menu_window")
  # The menu opens at the pointer, moved at most a few pixels; near the
  # screen's bottom it opens upwards, its bottom at the pointer.
  local dy=$((my - $2))
  [ $((my + mh - $2)) -ge -8 ] && [ $((my + mh - $2)) -le 2 ] && dy=0
  [ $((mx - $1)) -ge -2 ] && [ $((mx - $1)) -le 8 ] && [ "$dy" -ge -2 ] && [ "$dy" -le 8 ] ||
    fail "menu at $mx,$my, want it at the pointer $1,$2"
}

# Chooses an item (MENU_*) of the open menu with the keyboard, which the
# menu holds while it is open, and waits for the menu to close.
choose_menu_item() {
  local keys=() i
  for ((i = 0; i <= $1; i++)); do keys+=(Down); done
  xdotool key --delay 40 "${keys[@]}" Return
  wait_for window_gone "$menu_window" || fail "the menu did not close"
}

# Opens the settings window from the pop-up menu over the middle of the
# main window; sets settings (its id).
open_settings() {
  local x y w h
  read -r x y w h < <(geometry "$main_window")
  open_menu $((x + w / 2)) $((y + h / 2))
  choose_menu_item $MENU_SETTINGS
  wait_for xdotool search --onlyvisible --name "^设置-娱乐转盘选择$" || fail "the settings window did not open"
  settings=$(xdotool search --onlyvisible --name "^设置-娱乐转盘选择$")
}

# Presses Escape over the main window and expects the program to end with
# code 0 without having shown any message box.
quit_with_escape() {
  local x y w h
  read -r x y w h < <(geometry "$main_window")
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) key Escape
  wait_for process_gone "$app_pid" || fail "the program did not end after Escape"
  local code=0
  wait "$app_pid" || code=$?
  app_pid=""
  [ "$code" -eq 0 ] || fail "exit code $code, want 0"
  if grep -q '^dialog:' "$work/program.err"; then fail "a message box was shown: $(grep '^dialog:' "$work/program.err")"; fi
}

# [audio] ----------------------------------------------------------------------

# Loud 10 ms blocks of a stretch of 44100 Hz stereo 16-bit audio: prints
# "first last peak" (block numbers of the first and last block whose peak
# passes LEVEL, and the highest peak), or nothing when all are quiet.
# Usage: loud_blocks LEVEL < raw
loud_blocks() {
  od -An -v -td2 -w4 | awk -v level="$1" '
    function abs(v) { return v < 0 ? -v : v }
    BEGIN { block = 0; first = "" }
    { m = abs($1) > abs($2) ? abs($1) : abs($2); if (m > peak) peak = m; if (m > top) top = m }
    ++n == 441 { if (top > level) { if (first == "") first = block; last = block } top = 0; n = 0; block++ }
    END { if (first != "") print first, last, peak }'
}

# Runs of loud 10 ms blocks, gaps under 0.3 s bridged: "start end peak" in
# blocks, one run a line.
loud_runs() {
  od -An -v -td2 -w4 | awk -v level="$1" '
    function abs(v) { return v < 0 ? -v : v }
    BEGIN { block = 0; start = "" }
    { m = abs($1) > abs($2) ? abs($1) : abs($2); if (m > top) top = m }
    ++n == 441 {
      if (top > level) {
        if (start == "" || block - last > 30) { if (start != "") print start, last, peak; start = block; peak = 0 }
        last = block; if (top > peak) peak = top
      }
      top = 0; n = 0; block++
    }
    END { if (start != "") print start, last, peak }'
}

# [files] ----------------------------------------------------------------------

# Prints the value of KEY in section "配置" of the program's "配置.ini"
# (code page 936), or nothing when the file or key is missing.
ini_value() {
  [ -f "$program_dir/配置.ini" ] || return 0
  iconv -f CP936 -t UTF-8 "$program_dir/配置.ini" | tr -d '\r' |
    awk -v key="$1" '/^\[/ {in_section = ($0 == "[配置]"); next}
      in_section && index($0, key "=") == 1 {print substr($0, length(key) + 2); exit}'
}

# Writes "配置.ini" of the copied program (section "配置", code page 936)
# before it starts, from KEY=VALUE arguments (UTF-8).
write_settings() {
  { printf '[配置]\r\n'; printf '%s\r\n' "$@"; } | iconv -f UTF-8 -t CP936 >"$program_dir/配置.ini"
}
