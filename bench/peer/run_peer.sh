#!/usr/bin/env bash
# The speed comparison of the L-system walk: the npm package lindenmayer 1.5.4 deriving and
# walking the Koch snowflake at depth 9 in Node.js, and, when the path of our lsystem_bench is
# given, our KochWalkProjected/9 beside it in the same run, with the ratio of the medians.
# Both sides are compared per second of CPU time (the machines are shared) and of wall time.
#
#   bench/peer/run_peer.sh [path/to/lsystem_bench] [runs]
#
# The package goes into a scratch folder that is removed afterwards, never into the project.
# Without Node.js and npm the script says so and exits 0.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bench="${1:-}"
runs="${2:-7}"

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "Node.js or npm not found: no peer measurement"
    exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$here/koch_lindenmayer.js" "$scratch/"
(cd "$scratch" && npm install --silent --no-audit --no-fund --no-save lindenmayer@1.5.4 >/dev/null)

peer_out="$(cd "$scratch" && node koch_lindenmayer.js 9 "$runs")"
echo "$peer_out"
if [[ -z "$bench" ]]; then
    exit 0
fi

ours_out="$("$bench" --benchmark_filter='KochWalkProjected/9' --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true --benchmark_format=json)"
python3 - "$peer_out" "$ours_out" <<'PY'
import json, sys
peer = dict(line.split("=", 1) for line in sys.argv[1].splitlines() if "=" in line)
median = next(b for b in json.loads(sys.argv[2])["benchmarks"] if b.get("aggregate_name") == "median")
segments = median["segments/s"]                      # per CPU second
wall = segments * median["cpu_time"] / median["real_time"]
peer_cpu = float(peer["peer_cpu_segments_per_second"])
peer_wall = float(peer["peer_wall_segments_per_second"])
print(f"Pax3d KochWalkProjected/9 median: {segments / 1e6:.3f} M segments per CPU second, "
      f"{wall / 1e6:.3f} M per wall second")
print(f"ratio (Pax3d / lindenmayer): {segments / peer_cpu:.2f} per CPU second, {wall / peer_wall:.2f} per wall second")
PY
