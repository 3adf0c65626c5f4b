#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in a release build, runs
# them and prints one table: every figure beside its goal. The start-up and
# memory figures are taken on a private Xvfb display, as a user's X session
# would show the windows; the details stay in build-bench/results.
set -euo pipefail
cd "$(dirname "$0")"
export LC_ALL=C  # decimal points in the figures, and no decimal comma box in the program
scripts/setup.sh

build=build-bench
bin=$build/bin
results=$build/results
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=ON >/dev/null
cmake --build "$build" --parallel 2 >"$build/build.log" || { cat "$build/build.log"; exit 1; }
rm -rf "$results"
mkdir -p "$results"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# Medians of 5 repetitions, each long enough for Google Benchmark.
for program in "$bin"/*_bench; do
  name=$(basename "$program")
  "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json >"$results/$name.log" 2>&1 ||
    echo "$name failed: see $results/$name.log" >&2
done

xvfb_pid=""
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$results/display" 2>"$results/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$results/display" ] && break
  sleep 0.1
done
on_display=(env -u QT_QPA_PLATFORM DISPLAY=":$(cat "$results/display")")

"${on_display[@]}" "$bin/startup_probe" 21 "$bin/veltrano" "$bin/bare_label" >"$results/startup.txt" 2>"$results/startup.log" || true
# The bare label runs until it is killed: its peak is read from outside
# (env execs it, so its process id is the one started here).
"${on_display[@]}" "$bin/bare_label" 2>/dev/null &
bare_pid=$!
sleep 1
awk '/^VmHWM:/ { print $2 }' "/proc/$bare_pid/status" >"$results/memory-label.txt" || true
kill "$bare_pid" 2>/dev/null || true
for window in 0 1 2 3 4; do
  "${on_display[@]}" "$bin/memory_probe" "$window" >"$results/memory-$window.txt" 2>"$results/memory-$window.log" || true
done
for window in 1 2 3; do
  "${on_display[@]}" "$bin/memory_probe" "$window" figure >"$results/memory-$window-figure.txt" \
    2>"$results/memory-$window-figure.log" || true
done
for window in 0 1 2 3 4; do
  "${on_display[@]}" "$bin/memory_probe" "$window" working >"$results/memory-$window-working.txt" \
    2>"$results/memory-$window-working.log" || true
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

row() { printf '| %s | %s | %s | %s |\n' "$@"; }
met() { awk -v figure="$1" -v goal="$2" 'BEGIN { print (figure < goal ? "yes" : "NO") }'; }

# The median of a benchmark in milliseconds, wall-clock or CPU time (real_time
# or cpu_time); empty when it did not run.
median_ms() {
  jq -r --arg name "$1" --arg time "$2" '.benchmarks[]
    | select(.run_name == $name and .aggregate_name == "median")
    | .[$time] * {"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1e3}[.time_unit]' "$results"/*.json 2>/dev/null || true
}

# The goal is on the wall-clock time, what the user waits; the CPU time beside
# it shows how much of that the program itself spent when the machine is busy.
time_row() {  # measure, benchmark, goal in ms, decimals shown (2 unless given)
  local real cpu places=${4:-2}
  real=$(median_ms "$2" real_time)
  cpu=$(median_ms "$2" cpu_time)
  if [ -z "$real" ]; then
    row "$1" "failed: see $results" "< $3 ms" NO
  else
    row "$1" "$(printf "%.${places}f ms (CPU %.${places}f ms)" "$real" "$cpu")" "< $3 ms" "$(met "$real" "$3")"
  fi
}

# The median start-up of a program in ms: column 1 to its window painted,
# column 2 to its window mapped.
startup_ms() { awk -v program="$bin/$1" -v column="$2" '$3 == program { print $column }' "$results/startup.txt"; }

startup_rows() {
  local real bare
  real=$(startup_ms veltrano 1)
  bare=$(startup_ms bare_label 1)
  if [ -z "$real" ] || [ -z "$bare" ]; then
    row "Start-up to the splash painted" "failed: see $results/startup.log" "<= 1.5 x bare Qt label" NO
    return
  fi
  row "Start-up of a bare Qt 6 label to its window painted (median of 21)" \
    "$bare ms (mapped at $(startup_ms bare_label 2) ms)" "(yardstick)" "-"
  row "Start-up of Veltrano to the splash painted (median of 21, taking turns)" \
    "$real ms = $(awk -v a="$real" -v b="$bare" 'BEGIN { printf "%.2f", a / b }') x bare (mapped at $(startup_ms veltrano 2) ms)" \
    "<= 1.5 x bare" "$(awk -v a="$real" -v b="$bare" 'BEGIN { print (a <= 1.5 * b ? "yes" : "NO") }')"
}

memory_row() {  # measure, window, goal in MB or empty
  local kb
  kb=$(cat "$results/memory-$2.txt")
  if [ -z "$kb" ]; then
    row "$1" "failed: see $results/memory-$2.log" "${3:+< $3 MB}" NO
  elif [ -z "$3" ]; then
    row "$1" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f MB", kb / 1024 }')" "(yardstick)" "-"
  else
    row "$1" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f MB", kb / 1024 }')" "< $3 MB" \
      "$(met "$(awk -v kb="$kb" 'BEGIN { print kb / 1024 }')" "$3")"
  fi
}

{
  echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
  echo "Load average (1, 5, 15 min): $load_before before, $load_after after"
  if awk -v load="${load_before%% *}" -v cores="$(nproc)" 'BEGIN { exit !(load > cores / 2) }'; then
    echo "Other work was running: wall-clock times include waiting for a core; the CPU times do not."
  fi
  echo
  row "Measure" "Figure" "Goal" "Met"
  row "---" "---" "---" "---"
  time_row "Prime table load (P100008.txt)" TableLoad 5
  time_row "Worst-case factorisation (1689550229903)" WorstCaseFactorisation 16
  time_row "Factors: the working of that row, factorisation with its trace included" WorstCaseFactorisationWorking 16
  time_row "Triangles: keystroke to results, case 0 (SSS)" SideKeystroke 16
  time_row "Triangles: keystroke to results and figure repainted, pane shown" SideKeystrokeWithFigure 16
  time_row "Triangles: keystroke to results, figure and working repainted, both panes shown" SideKeystrokeWithFigureAndWorking 16
  time_row "Circles: keystroke to results, arc and chord, iteration root" KeystrokeIterationRoot 16
  time_row "Circles: keystroke to results, arc and chord, bracketed root" KeystrokeBracketedRoot 16
  time_row "Circles: keystroke to results and figure repainted, pane shown" KeystrokeWithFigure 16
  time_row "Circles: keystroke to results, figure and working repainted, both panes shown" KeystrokeWithFigureAndWorking 16
  time_row "Complex: keystroke in x to results, n = 32767 roots listed" KeystrokeWithAllRootsListed 16
  time_row "Complex: keystroke in x to results and figure repainted, n = 32767, pane shown" KeystrokeWithAllRootsDrawn 16
  time_row "Complex: keystroke in x to results, figure and working repainted, n = 32767, both panes shown" KeystrokeWithAllRootsDrawnAndWorking 16
  time_row "Complex: all 32767 root rows written, as Save and Print take them" SolveWithAllRoots 50
  time_row "Complex: the working of the 32767 roots of x, built on a keystroke" WorkingWithAllRoots 16
  time_row "Bases: Enter to results, 100-character decimal with a fraction to base 2" EnterInTheWindow/DecimalToBase2 16
  time_row "Bases: Enter to results, 100-character decimal with a fraction to base 36" EnterInTheWindow/DecimalToBase36 16
  time_row "Bases: Enter to results, 100-character # number with a fraction, base 36 to decimal" EnterInTheWindow/Base36ToDecimal 16
  time_row "Bases: Enter to the row's working shown, 100-character decimal with a fraction to base 2" EnterToWorking/DecimalToBase2 16
  time_row "Bases: Enter to the row's working shown, 100-character # number with a fraction, base 36 to decimal" EnterToWorking/Base36ToDecimal 16
  time_row "Bases: the conversion alone, 100-character decimal to base 2" Conversion/DecimalToBase2 0.1 3
  time_row "Bases: the conversion alone, 100-character decimal to base 36" Conversion/DecimalToBase36 0.1 3
  time_row "Bases: the conversion alone, 100-character # number to decimal" Conversion/Base36ToDecimal 0.1 3
  time_row "Bases: the working of a row, 100-character decimal with a fraction to base 2" Working/DecimalToBase2 16
  time_row "Bases: the working of a row, 100-character decimal with a fraction to base 36" Working/DecimalToBase36 16
  time_row "Bases: the working of a row, 100-character # number with a fraction, base 36 to decimal" Working/Base36ToDecimal 16
  startup_rows
  memory_row "Peak resident memory, bare Qt 6 label" label ""
  memory_row "Peak resident memory, Factors open" 0 50
  memory_row "Peak resident memory, Triangles open" 1 50
  memory_row "Peak resident memory, Circles open" 2 50
  memory_row "Peak resident memory, Complex open" 3 50
  memory_row "Peak resident memory, Bases open" 4 50
  memory_row "Peak resident memory, Triangles open, figure pane shown" 1-figure 50
  memory_row "Peak resident memory, Circles open, figure pane shown" 2-figure 50
  memory_row "Peak resident memory, Complex open, 32767 roots drawn in the pane" 3-figure 50
  memory_row "Peak resident memory, Factors open, working pane shown" 0-working 50
  memory_row "Peak resident memory, Triangles open, figure and working panes shown" 1-working 50
  memory_row "Peak resident memory, Circles open, figure and working panes shown" 2-working 50
  memory_row "Peak resident memory, Complex open, 32767 roots drawn and their working shown" 3-working 50
  memory_row "Peak resident memory, Bases open, working pane shown" 4-working 50
} | tee "$results/table.md"
