#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark and leaves the results in build/bench-results/.
# Usage: bench/run.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=$(realpath "$1")
rounds=${2:-15}
out=$build/../build-bench-results
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
python=/usr/bin/python3

echo "== start-up: $rounds interleaved rounds under one Xvfb"
"$python" "$here/startup.py" "$rounds" wordrop="$build/wordrop" \
    floor="$build/bench/floor_window" bare="$build/bench/bare_window" | tee "$out/startup.json"

for scale in 1 2; do
    echo "== events to pixels, QT_SCALE_FACTOR=$scale"
    QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale "$build/bench/event_bench" \
        --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$out/events-scale$scale.json" --benchmark_out_format=json
done

echo "== events to pixels, callgrind instruction counts (scale 1)"
counts=$(mktemp -d)
QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --collect-atstart=no \
    --callgrind-out-file="$counts/out" "$build/bench/event_bench" --count-instructions 2>/dev/null
"$python" - "$counts" <<'PY' | tee "$out/instructions.json"
import glob, json, sys
counts = {}
for path in glob.glob(sys.argv[1] + "/out*"):
    name = total = None
    for line in open(path):
        if line.startswith("desc: Trigger: Client Request: "):
            name = line.split("Client Request: ", 1)[1].strip()
        elif line.startswith(("summary:", "totals:")):
            total = int(line.split()[1])
    if name:
        counts[name] = total
json.dump(dict(sorted(counts.items())), sys.stdout, indent=2)
print()
PY
rm -rf "$counts"

echo "== idle wake-ups"
"$python" "$here/idle.py" "$build/wordrop" 5 | tee "$out/idle.json"
echo "results in $out"
