#!/usr/bin/env bash
# Installs a build into a fresh prefix and runs the installed program from a
# folder that holds none of its files: it must find its prime table and help
# files in share/veltrano.
# Usage: install_test.sh CMAKE BUILD_DIR "Veltrano VERSION" "HELP NAMES"
set -euo pipefail
cmake=$1
build=$2
version=$3
help_files=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
  fail "cmake --install: $(cat "$work/install.log")"
mkdir "$work/elsewhere"
cd "$work/elsewhere"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/veltrano" "$@"; }

# No display at all for the version.
shown=$(run --version) || fail "--version exited with $?"
[ "$shown" = "$version" ] || fail "--version printed '$shown', not '$version'"

# The check opens the Factors worksheet (the prime table) and every help file.
report=$(run --check -platform offscreen 2>&1) || fail "the check exited with $?: $report"
echo "$report"
grep -qx "Program folder: $prefix/share/veltrano" <<<"$report" || fail "program folder"
grep -qx "Find the prime factors of a number: opened" <<<"$report" || fail "Factors window"
for help in $help_files; do
  grep -qx "$prefix/share/veltrano/$help.chm: opened" <<<"$report" || fail "$help.chm"
done
echo "Installed tree passed."
