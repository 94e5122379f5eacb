#!/usr/bin/env bash
# bench/compare_builds.sh BASE_PAX3D NEW_PAX3D [FIGURE ...]
#
# Guards a speed change: both programs draw every library figure at 480x360 and at 1600x1200,
# with the z-buffer and with each light model family, and the pictures must be byte-equal.
# Then both bench the given figures (default: the six slowest) alternately, three rounds, and
# the median processor times and their ratio are printed. Exit 1 when any picture differs.
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
# Processor time; a program that predates its report gives its wall time instead.
cpu_ms() {
    local line
    line=$("$1" bench --figure "$2" --size "$3" 2>/dev/null)
    case $line in
    *"cpu "*) sed -n 's/.*cpu \([0-9.]*\) ms.*/\1/p' <<<"$line" ;;
    *) sed -n 's/^[^:]*: \([0-9.]*\) ms.*/\1/p' <<<"$line" ;;
    esac
}
for size in 480x360 1600x1200; do
    echo "processor time per picture at $size (median of 3 alternating rounds of bench medians):"
    for fig in "${figures[@]}"; do
        b=() n=()
        for round in 1 2 3; do
            b+=("$(cpu_ms "$base" "$fig" "$size")")
            n+=("$(cpu_ms "$new" "$fig" "$size")")
        done
        mb=$(printf '%s\n' "${b[@]}" | median) mn=$(printf '%s\n' "${n[@]}" | median)
        awk -v f="$fig" -v b="$mb" -v n="$mn" 'BEGIN {printf "  %-20s base %7.3f ms  new %7.3f ms  ratio %.2f\n", f, b, n, (b > 0 ? n / b : 0)}'
    done
done
exit $differ
