#!/usr/bin/env bash
# bench/library_table.sh BASE_PAX3D NEW_PAX3D [ROUNDS]
#
# Before and after for the whole library: for each figure in turn, at 480x360 and at
# 1600x1200, both programs bench it, taking turns ROUNDS times (3), so that a change in the
# machine's load falls on both alike. Each figure's median over the rounds of its bench medians
# is printed, wall and processor time, with the ratios new / base, slowest last; then, for each
# program and size, the median and how many figures stay under 300 and under 60 pictures/s.
set -u
base=$1 new=$2 rounds=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$new" list | cut -f1,2,4 | tr '\t' ' ' >"$work/figures"
for size in 480x360 1600x1200; do
    while read -r demo figure name; do
        for round in $(seq "$rounds"); do
            for which in base new; do
                program=$base
                [ $which = new ] && program=$new
                # "NAME: W ms  R pictures/s  cpu C ms  (N pictures)" -> "D/F NAME<tab>W<tab>C"
                "$program" bench --figure "$demo/$figure" --size "$size" 2>/dev/null |
                    sed -n "s|^.*: \([0-9.]*\) ms  [0-9.]* pictures/s  cpu \([0-9.]*\) ms.*|$demo/$figure $name\t\1\t\2|p" \
                        >>"$work/$which-$size"
            done
        done
    done <"$work/figures"
done

python3 - "$work" <<'PY'
import os, statistics, sys
work = sys.argv[1]
for size in ("480x360", "1600x1200"):
    times = {}
    for which in ("base", "new"):
        with open(os.path.join(work, f"{which}-{size}")) as f:
            for line in f:
                key, wall, cpu = line.rstrip("\n").split("\t")
                times.setdefault(key, {}).setdefault(which, []).append((float(wall), float(cpu)))
    print(f"\n{size}: ms per picture, medians over the rounds")
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
        print(f"{name}: {len(values)} figures, median {statistics.median(values):.3f} ms; "
              f"{slow300} under 300 pictures/s, {slow60} under 60")
PY
