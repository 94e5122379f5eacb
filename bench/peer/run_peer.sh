#!/usr/bin/env bash
# The speed comparison of the L-system walk: the npm package lindenmayer 1.5.4 deriving and
# walking the Koch snowflake at depth 9 in Node.js, and, when the path of our lsystem_bench is
# given, our KochWalkProjected/9 beside it in the same run, with the ratio of the medians.
# Both sides are compared per second of CPU time (the machines are shared) and of wall time.
# With ROUNDS above 1 the two take turns that often and the median of the rounds' ratios is
# given too: on a machine whose load changes from minute to minute, a single round's ratio can
# be off by half.
#
#   bench/peer/run_peer.sh [path/to/lsystem_bench] [runs] [rounds]
#
# The package goes into a scratch folder that is removed afterwards, never into the project.
# Without Node.js and npm the script says so and exits 0.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bench="${1:-}"
runs="${2:-7}"
rounds="${3:-1}"

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "Node.js or npm not found: no peer measurement"
    exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$here/koch_lindenmayer.js" "$scratch/"
(cd "$scratch" && npm install --silent --no-audit --no-fund --no-save lindenmayer@1.5.4 >/dev/null)

ratios_cpu=() ratios_wall=()
for ((round = 1; round <= rounds; round++)); do
    [[ $rounds -gt 1 ]] && echo "round $round of $rounds"
    peer_out="$(cd "$scratch" && node koch_lindenmayer.js 9 "$runs")"
    echo "$peer_out"
    if [[ -z "$bench" ]]; then
        continue
    fi
    ours_out="$("$bench" --benchmark_filter='KochWalkProjected/9' --benchmark_repetitions="$runs" \
        --benchmark_report_aggregates_only=true --benchmark_format=json)"
    read -r cpu wall < <(python3 - "$peer_out" "$ours_out" <<'PY'
import json, sys
peer = dict(line.split("=", 1) for line in sys.argv[1].splitlines() if "=" in line)
median = next(b for b in json.loads(sys.argv[2])["benchmarks"] if b.get("aggregate_name") == "median")
segments = median["segments/s"]                      # per CPU second
wall = segments * median["cpu_time"] / median["real_time"]
peer_cpu = float(peer["peer_cpu_segments_per_second"])
peer_wall = float(peer["peer_wall_segments_per_second"])
print(f"Pax3d KochWalkProjected/9 median: {segments / 1e6:.3f} M segments per CPU second, "
      f"{wall / 1e6:.3f} M per wall second", file=sys.stderr)
print(f"ratio (Pax3d / lindenmayer): {segments / peer_cpu:.2f} per CPU second, {wall / peer_wall:.2f} per wall second",
      file=sys.stderr)
print(f"{segments / peer_cpu:.4f} {wall / peer_wall:.4f}")
PY
)
    ratios_cpu+=("$cpu") ratios_wall+=("$wall")
done
if [[ -n "$bench" && $rounds -gt 1 ]]; then
    python3 - "${ratios_cpu[*]}" "${ratios_wall[*]}" <<'PY'
import statistics, sys
cpu = [float(v) for v in sys.argv[1].split()]
wall = [float(v) for v in sys.argv[2].split()]
print(f"median ratio of {len(cpu)} rounds: {statistics.median(cpu):.2f} per CPU second "
      f"(from {min(cpu):.2f} to {max(cpu):.2f}), {statistics.median(wall):.2f} per wall second")
PY
fi
