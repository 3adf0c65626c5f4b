#!/usr/bin/env bash
# Reads the task selector and the Triangles worksheet over AT-SPI, as a
# screen reader does, on a private X display and D-Bus session. Skipped, with
# the reason, where the packages it needs are missing.
# Usage: scripts/atspi_smoke.sh path/to/veltrano
set -uo pipefail
program=${1:?the veltrano program to read}
python=/usr/bin/python3  # Debian's, which has the python3-pyatspi module
for tool in Xvfb dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || { echo "AT-SPI smoke test skipped: $tool is missing"; exit 0; }
done
"$python" -c 'import pyatspi' 2>/dev/null || { echo "AT-SPI smoke test skipped: python3-pyatspi is missing"; exit 0; }
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
[ -n "$launcher" ] || { echo "AT-SPI smoke test skipped: at-spi2-core is missing"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)

exec dbus-run-session -- bash -s "$program" "$launcher" "$here" <<'INNER'
set -uo pipefail
program=$1 launcher=$2 here=$3
display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
"$launcher" --launch-immediately >/dev/null 2>&1 &
bus=$!
home=$(mktemp -d)
sleep 1
HOME=$home DISPLAY=$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >/dev/null 2>&1 &
veltrano=$!
DISPLAY=$display timeout 60 /usr/bin/python3 "$here/atspi_tree.py"
status=$?
kill "$veltrano" "$bus" "$xvfb" 2>/dev/null
wait 2>/dev/null
rm -rf "$home"
exit $status
INNER
