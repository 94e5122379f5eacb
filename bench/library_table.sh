#!/usr/bin/env bash
# bench/library_table.sh BASE_PAX3D NEW_PAX3D [ROUNDS]
#
# Before and after for the whole library: both programs run `bench --all` at 480x360 and at
# 1600x1200, taking turns ROUNDS times (3), and each figure's median over the rounds of its
# bench medians is printed, wall and processor time, with the ratios new / base. Then, for
# each program and size, how many figures stay under 300 and under 60 pictures per second.
set -u
base=$1 new=$2 rounds=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 480x360 1600x1200; do
    for round in $(seq "$rounds"); do
        for which in base new; do
            program=$base
            [ $which = new ] && program=$new
            # "D/F NAME  W ms  R pictures/s  cpu C ms  (N pictures)" -> "D/F NAME<tab>W<tab>C"
            "$program" bench --all --size "$size" 2>/dev/null | sed -n '/^median over/q;p' |
                sed -n 's|^\(.*[^ ]\)  *\([0-9.]*\) ms  [0-9.]* pictures/s  cpu \([0-9.]*\) ms.*|\1\t\2\t\3|p' \
                    >"$work/$which-$size-$round"
        done
    done
done

python3 - "$work" "$rounds" <<'PY'
import os, statistics, sys
work, rounds = sys.argv[1], int(sys.argv[2])
for size in ("480x360", "1600x1200"):
    times = {}
    for which in ("base", "new"):
        for r in range(1, rounds + 1):
            with open(os.path.join(work, f"{which}-{size}-{r}")) as f:
                for line in f:
                    key, wall, cpu = line.rstrip("\n").split("\t")
                    times.setdefault(key, {}).setdefault(which, []).append((float(wall), float(cpu)))
    print(f"\n{size}: median of {rounds} rounds, ms per picture")
    print(f"{'figure':34} {'base wall':>10} {'new wall':>10} {'ratio':>6} {'base cpu':>10} {'new cpu':>10} {'ratio':>6}")
    rows = []
    for key, t in times.items():
        if "base" not in t or "new" not in t: continue
        bw = statistics.median(w for w, _ in t["base"]); bc = statistics.median(c for _, c in t["base"])
        nw = statistics.median(w for w, _ in t["new"]); nc = statistics.median(c for _, c in t["new"])
        rows.append((nw, key, bw, nw, bc, nc))
    for _, key, bw, nw, bc, nc in sorted(rows):
        print(f"{key:34} {bw:10.3f} {nw:10.3f} {nw / bw:6.2f} {bc:10.3f} {nc:10.3f} {nc / bc:6.2f}")
    for name, i in (("base", 2), ("new", 3)):
        values = [r[i] for r in rows]
        slow300 = sum(v > 1000 / 300 for v in values); slow60 = sum(v > 1000 / 60 for v in values)
        print(f"{name}: median {statistics.median(values):.3f} ms; {slow300} figures under 300 pictures/s, {slow60} under 60")
PY
