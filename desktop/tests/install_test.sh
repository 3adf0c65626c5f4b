#!/usr/bin/env bash
# Installs a build into a fresh prefix and runs the installed program from a
# folder that holds none of its files: it must find its prime table and help
# files in share/veltrano, and so must a copy of the whole installation.
# Usage: install_test.sh CMAKE BUILD_DIR "Veltrano VERSION"
set -euo pipefail
cmake=$1
build=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  fail "cmake --install"
}

# The prime table and the help files are proved by the check below.
id=org.veltrano.Veltrano
for file in bin/veltrano share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
  share/man/man1/veltrano.1.gz share/doc/veltrano/copyright; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done

elsewhere=$work/elsewhere
mkdir "$elsewhere"
cd "$elsewhere"

# No display at all for the version.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/veltrano" --version) ||
  fail "--version exited with $?"
[ "$shown" = "$version" ] || fail "--version printed '$shown', not '$version'"

# The check opens the Factors worksheet (the prime table) and every help file.
check() {
  local root=$1 report
  report=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/veltrano" --check -platform offscreen 2>&1) || {
    echo "$report" >&2
    fail "the check of $root exited with $?"
  }
  echo "$report"
  grep -qx "Program folder: $root/share/veltrano" <<<"$report" || fail "program folder of $root"
  grep -qx "Current folder: $elsewhere" <<<"$report" || fail "current folder"
  grep -qx "Find the prime factors of a number: opened" <<<"$report" || fail "Factors window of $root"
  for help in ortano Factors Triangle circles complex bases; do
    grep -qx "$root/share/veltrano/$help.chm: opened" <<<"$report" || fail "$help.chm of $root"
  done
}
check "$prefix"

cp -a "$prefix" "$work/copied"
check "$work/copied"
echo "Installed and copied trees passed."
