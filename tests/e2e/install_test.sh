#!/usr/bin/env bash
# The program as a package installs it for all users: installed into a
# temporary root (DESTDIR) under the prefix /usr, with a valid desktop
# entry, its icons and its metainfo, and started through bin/horavia by a
# user who cannot write the installed folder. It starts and shows the clock;
# "bass.dll" and "配置.ini" go to the user's data folder
# (~/.local/share/horavia, XDG_DATA_HOME unset) and nothing is written into
# the installed folder; the autostart entry runs the real executable, not
# the link it was started through.
#
# Run as root (as in CI), the program runs as the user nobody; run as
# anybody else, the installed folder is made read-only for them.
#
# Usage: install_test.sh BUILD-FOLDER
set -u
. "$(dirname "$0")/lib.sh"
build="$1"

e2e_begin
# Read-only folders would stop the removal of $work.
trap 'chmod -R u+w "$work" 2>/dev/null; e2e_cleanup' EXIT

# --- Install.
root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
folder="$root/usr/lib/horavia"
[ -x "$folder/horavia" ] || fail "no program in $folder"
[ "$(readlink -f "$root/usr/bin/horavia")" = "$(readlink -f "$folder/horavia")" ] ||
  fail "bin/horavia does not lead to the installed program"
[ -d "$folder/skins/蓝色" ] && [ -s "$folder/整点报时.mp3" ] || fail "skins or the chime sound are missing from $folder"
desktop-file-validate "$root/usr/share/applications/horavia.desktop" || fail "the desktop entry does not validate"
for size in 16 24 32 48 64 128 256; do
  [ -s "$root/usr/share/icons/hicolor/${size}x$size/apps/horavia.png" ] || fail "no ${size}x$size icon"
done
[ -s "$root/usr/share/icons/hicolor/scalable/apps/horavia.svg" ] || fail "no scalable icon"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.horavia.Horavia.metainfo.xml" >"$work/metainfo.log" 2>&1 ||
  fail "the metainfo file does not validate: $(cat "$work/metainfo.log")"

# --- A user who cannot write the installed folder.
home="$work/home"
mkdir -p "$home" "$work/runtime"
runner=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  chown nobody:nogroup "$home" "$work/runtime"
  runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  start_x 800x600 -ac
else
  chmod -R a-w "$folder"
  start_x
fi
chmod 700 "$work/runtime"
touch "$work/installed"
(
  cd "$home" &&
    exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$work/runtime" \
      SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null HORAVIA_DIALOGS=print QT_QPA_PLATFORM=xcb \
      "${runner[@]}" "$root/usr/bin/horavia"
) >"$work/program.out" 2>"$work/program.err" &
app_pid=$!

# --- It shows the clock.
find_main_window
read -r wx wy ww wh < <(geometry "$main_window")
[ "$ww" -eq 300 ] && [ "$wh" -eq 300 ] || fail "window ${ww}x$wh, want 300x300"
wait_for -t 20 test -s "$home/.local/share/horavia/bass.dll" || fail "no bass.dll in the user's data folder"
shot "$work/clock.png" "${ww}x${wh}+${wx}+${wy}"
face=$(pixels "$work/clock.png" | awk '$3 + $4 + $5 > 0 {n++} END {print n + 0}')
# The round face covers about pi/4 of the square; the rest is cut away.
[ "$face" -ge 60000 ] && [ "$face" -le 75000 ] || fail "$face pixels of the clock show, want a round face of about 70000"

# --- Its settings go to the user's data folder.
program_dir="$home/.local/share/horavia"  # where ini_value reads "配置.ini"
open_menu $((wx + ww / 2)) $((wy + wh / 2))
choose_menu_item $MENU_CHIME
wait_for test -s "$program_dir/配置.ini" || fail "toggling the chime wrote no 配置.ini in the user's data folder"
[ "$(ini_value 是否整点报时)" = "1" ] || fail "是否整点报时 is '$(ini_value 是否整点报时)', want 1"

# --- Autostart runs the installed program itself.
open_settings
read -r sx sy _ _ < <(geometry "$settings")
read -r check_x check_y _ check_h < <(unit_rect 选择框1)
xdotool mousemove $((sx + check_x + 8)) $((sy + check_y + check_h / 2)) click 1
entry="$home/.config/autostart/horavia.desktop"
wait_for test -s "$entry" || fail "checking 开机自动运行时钟 wrote no autostart entry in the user's folder"
exec_line=$(grep '^Exec=' "$entry")
[ "$exec_line" = "Exec=$(readlink -f "$folder/horavia")" ] || fail "autostart entry: $exec_line, want the installed program"
read -r ok_x ok_y ok_w ok_h < <(unit_rect 动画框1)
xdotool mousemove $((sx + ok_x + ok_w / 2)) $((sy + ok_y + ok_h / 2)) click 1
wait_for window_gone "$settings" || fail "OK did not close the settings window"

quit_with_escape
written=$(find "$root" -newer "$work/installed" -print)
[ -z "$written" ] || fail "the program wrote into the installed folder: $written"
echo "PASS: install"
