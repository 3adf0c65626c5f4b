#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless:
# once as built for users (g++), once with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), then a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

# The whole tree keeps the project's format.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The desktop entry, the AppStream metadata and the manual page pass their
# validators: any error fails the run, and so does any warning of man.
desktop-file-validate desktop/org.veltrano.Veltrano.desktop
appstreamcli validate --no-net desktop/org.veltrano.Veltrano.metainfo.xml
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z desktop/veltrano.1 2>&1 >/dev/null)
[ -z "$man_warnings" ] || { echo "$man_warnings" >&2; exit 1; }

# Every test case runs in a process of its own; the cases share no files, so
# they run side by side, one per core.
jobs=$(nproc)

scripts/build.sh build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_TESTS=ON
ctest --test-dir build-test --output-on-failure --parallel "$jobs"
# The selector and a worksheet read over AT-SPI, as a screen reader reads them.
scripts/atspi_smoke.sh build-test/bin/veltrano

# Any sanitizer report fails the run.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
CC=clang CXX=clang++ scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTRANO_TESTS=ON -DVELTRANO_SANITIZE=ON -DVELTRANO_FUZZ=ON
ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs"
scripts/fuzz.sh build-sanitize 20
