#!/usr/bin/env bash
# Runs clang-tidy with the project's checks on every source of the program,
# using the compile commands of a configured build folder: tidy.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-test}
cd "$root"
git ls-files '*.cpp' | grep -vE '^(fuzz|bench)/' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
