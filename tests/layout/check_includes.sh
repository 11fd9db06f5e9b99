#!/usr/bin/env bash
# Which source folder may include which: the folders are the architecture and
# dependencies point one way (app -> ui -> anim -> runtime -> platform ->
# base; live, the control interface, above app), and each folder may include
# only what it does include, so that a new arrow is a decision. Nothing in
# anim/ includes runtime/; nothing includes live but the program's main.
# Fails, naming the file and the include, on any include that goes another
# way. Tests, benchmarks, fuzz targets and tools may include anything.
#
#   check_includes.sh SOURCE-ROOT
set -u
root=${1:?source root}
cd "$root" || exit 2

# The folders a folder may include besides itself. A trailing /* allows every
# folder below.
allowed() {
  case "$1" in
    base) echo "" ;;
    platform) echo "base" ;;
    runtime) echo "platform base" ;;
    runtime/commands) echo "runtime platform base" ;;
    runtime/libraries) echo "runtime/commands runtime base" ;;
    anim/picture) echo "base" ;;
    anim/frameimage|anim/gifplayer) echo "anim/picture base" ;;
    anim/cartoonbox) echo "anim/frameimage anim/picture platform base" ;;
    ui/forms) echo "runtime base" ;;
    ui/units) echo "anim/picture runtime runtime/libraries platform base" ;;
    ui/menu) echo "ui/forms ui/units base" ;;
    ui/window) echo "ui/units ui/menu ui/forms runtime platform base" ;;
    ui/controls) echo "ui/units ui/forms anim/gifplayer anim/picture runtime runtime/commands platform base" ;;
    ui/cartoon) echo "ui/units anim/cartoonbox anim/frameimage runtime runtime/commands runtime/libraries platform base" ;;
    ui) echo "ui/*" ;;
    app) echo "app/forms app/prizes ui ui/* anim/* runtime runtime/* platform base" ;;
    app/*) echo "base" ;;
    bass) echo "platform base" ;;
    live) echo "app app/* ui ui/* anim/* runtime runtime/* platform base" ;;
    *) echo "?" ;;
  esac
}

# The program's main wires the application to the control interface.
program_main=app/main.cpp

permits() {  # permits FILE FOLDER INCLUDED-FOLDER
  local file=$1 folder=$2 target=$3 rule
  [ "$folder" = "$target" ] && return 0
  [ "$file" = "$program_main" ] && [ "$target" = live ] && return 0
  for rule in $(allowed "$folder"); do
    case "$rule" in
      */\*) [[ "$target" == "${rule%/\*}"/* ]] && return 0 ;;
      *) [ "$rule" = "$target" ] && return 0 ;;
    esac
  done
  return 1
}

status=0
while IFS= read -r file; do
  folder=$(dirname "$file")
  if [ "$(allowed "$folder")" = "?" ]; then
    echo "$file: the folder $folder has no place in the layout"
    status=1
    continue
  fi
  while IFS= read -r included; do
    target=$(dirname "$included")
    [ "$target" = "." ] && continue
    [ -e "$included" ] || continue  # generated headers and system headers
    if ! permits "$file" "$folder" "$target"; then
      echo "$file: $folder may not include $included"
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find base platform runtime anim ui app bass live -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
exit $status
