#!/usr/bin/env bash
# Runs every fuzz target of a build folder for a short time on its checked-in
# seed corpus: fuzz.sh BUILD_DIR [SECONDS]. New inputs go to a scratch folder,
# so the checked-in corpus stays as it is. Fails on the first crash or hang.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$1/bin"
seconds=${2:-20}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
for target in "$bin"/fuzz_*; do
  [[ $target == *_tests ]] && continue  # the regression test runs under ctest
  name=$(basename "$target")
  corpus="$root/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$scratch/$name"
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$scratch/" "$scratch/$name" "$corpus" >"$scratch/$name.log" 2>&1; then
    tail -n 40 "$scratch/$name.log"
    mkdir -p "$root/build-fuzz-crashes"
    cp "$scratch"/crash-* "$scratch"/timeout-* "$scratch"/leak-* "$root/build-fuzz-crashes/" 2>/dev/null || true
    echo "FAILED: $name (inputs kept in build-fuzz-crashes/)"
    exit 1
  fi
  grep -E '^Done' "$scratch/$name.log" || true
done
