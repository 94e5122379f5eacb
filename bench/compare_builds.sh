#!/usr/bin/env bash
# bench/compare_builds.sh BASE_PAX3D NEW_PAX3D [FIGURE ...]
#
# Guards a speed change: both programs draw every library figure at 480x360 and at 1600x1200,
# with the z-buffer and with each light model family, and the pictures must be byte-equal.
# Then both bench the given figures (default: the six slowest) alternately, three rounds, and
# the median wall and processor times and their ratios are printed (with drawing threads the
# processor time exceeds the wall time). Exit 1 when any picture differs.
set -u
base=$1 new=$2
shift 2
figures=("$@")
[ ${#figures[@]} -eq 0 ] && figures=(Boll3 Plant-26 SierpinskiCarpet1 LeafPlant2-124 BoughTree1 TreeBranch1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

differ=0
compare() {   # name, then render options
    local name=$1
    shift
    "$base" render --all -o "$work/base-$name" "$@" >/dev/null 2>&1
    "$new" render --all -o "$work/new-$name" "$@" >/dev/null 2>&1
    local count=0 bad=0
    for f in "$work/base-$name"/*.png; do
        count=$((count + 1))
        cmp -s "$f" "$work/new-$name/$(basename "$f")" || { bad=$((bad + 1)); echo "  differs: $name $(basename "$f")"; }
    done
    echo "pictures $name: $count compared, $bad differ"
    [ $bad -eq 0 ] || differ=1
    rm -rf "$work/base-$name" "$work/new-$name"
}
compare 480x360
compare 1600x1200 --size 1600x1200
compare zbuffer --zbuffer
for model in 0 2 5; do compare "light$model" --light-model $model; done

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
# "WALL CPU" in ms of one bench line; a program that predates the processor time gives its
# wall time for both.
times_ms() {
    local line wall cpu
    line=$("$1" bench --figure "$2" --size "$3" 2>/dev/null)
    wall=$(sed -n 's/^[^:]*: \([0-9.]*\) ms.*/\1/p' <<<"$line")
    cpu=$(sed -n 's/.*cpu \([0-9.]*\) ms.*/\1/p' <<<"$line")
    echo "$wall ${cpu:-$wall}"
}
for size in 480x360 1600x1200; do
    echo "time per picture at $size, wall and processor (medians of 3 alternating rounds of bench medians):"
    for fig in "${figures[@]}"; do
        bw=() bc=() nw=() nc=()
        for round in 1 2 3; do
            read -r w c <<<"$(times_ms "$base" "$fig" "$size")"
            bw+=("$w") bc+=("$c")
            read -r w c <<<"$(times_ms "$new" "$fig" "$size")"
            nw+=("$w") nc+=("$c")
        done
        mbw=$(printf '%s\n' "${bw[@]}" | median) mnw=$(printf '%s\n' "${nw[@]}" | median)
        mbc=$(printf '%s\n' "${bc[@]}" | median) mnc=$(printf '%s\n' "${nc[@]}" | median)
        awk -v f="$fig" -v bw="$mbw" -v nw="$mnw" -v bc="$mbc" -v nc="$mnc" 'BEGIN {
            printf "  %-20s wall base %7.3f new %7.3f ratio %.2f   cpu base %7.3f new %7.3f ratio %.2f\n",
                   f, bw, nw, (bw > 0 ? nw / bw : 0), bc, nc, (bc > 0 ? nc / bc : 0)}'
    done
done
exit $differ
