#!/usr/bin/env bash
# Takes the screenshots that the AppStream metadata lists, from the real
# program on a private Xvfb display, into desktop/screenshots/. Each run starts
# the program, opens one worksheet from the task selector with the keyboard,
# types an example and shoots the worksheet window.
#   scripts/screenshots.sh [BUILD_DIR]   (default: build, as ./run.sh makes it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
program=$build/bin/veltrano
out=$root/desktop/screenshots
"$root/scripts/setup.sh" xdotool imagemagick optipng
[ -x "$program" ] || { echo "No program at $program: build first." >&2; exit 1; }

export DISPLAY=:${SCREENSHOT_DISPLAY:-91}
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
xvfb=$!
work=$(mktemp -d)  # the program's current folder: no stray files
program_pid=
trap 'kill $program_pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out"

# The visible window whose title is exactly $1, other than window $2; waits
# up to 20 s for it.
window() {
  local id
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      [ "$id" != "${2:-}" ] && [ "$(xdotool getwindowname "$id")" = "$1" ] && { echo "$id"; return; }
    done
    sleep 0.1
  done
  echo "No window '$1' appeared." >&2
  exit 1
}

# shoot NAME TASK TITLE KEYS...: opens task TASK (0 to 4) from the selector,
# presses KEYS (xdotool key names; "type:TEXT" types TEXT, "click:X Y" clicks
# there in the window) and shoots it.
shoot() {
  local name=$1 task=$2 title=$3 splash selector sheet key
  shift 3
  (cd "$work" && exec "$program") &
  program_pid=$!
  # The splash bears the program's name too; the selector follows it.
  splash=$(window Veltrano)
  selector=$(window Veltrano "$splash")
  xdotool windowfocus --sync "$selector"
  # Up to the first task whichever has the focus, then down to this one.
  xdotool key --delay 40 Up Up Up Up Up
  for _ in $(seq "$task"); do xdotool key Down; done
  xdotool key Return
  sheet=$(window "$title  www.veltrano.org")
  xdotool windowfocus --sync "$sheet"
  for key in "$@"; do
    case $key in
      type:*) xdotool type --delay 30 "${key#type:}" ;;
      click:*) xdotool mousemove --window "$sheet" ${key#click:} click 1 ;;
      *) xdotool key --delay 40 "$key" ;;
    esac
  done
  sleep 0.5
  import -window "$sheet" "$out/$name.png"
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=
  optipng -quiet -o5 -strip all "$out/$name.png"
  echo "$out/$name.png: $(identify -format '%wx%h' "$out/$name.png"), $(stat -c %s "$out/$name.png") bytes"
}

shoot triangles 1 "Triangles" ctrl+a type:3 Tab ctrl+a type:4 Tab ctrl+a type:5
shoot factors 0 "Prime Factors" type:1689550229903 Return type:600851475143 Return type:123456789 Return \
  type:1001 Return type:97 Return type:360 Return
shoot circles 2 "Circles"
shoot complex 3 "Complex Numbers" "click:191 186" "click:539 69" type:3 "click:539 91" type:4 \
  "click:539 198" type:3
shoot bases 4 "Base Conversion" ctrl+a type:16 Tab type:255 Return type:65535 Return type:0.1 Return \
  "type:#FF.8" Return
