#!/usr/bin/env bash
# Compares the command-line image export with an SVG rasteriser on the same
# generated page, both as whole processes: runs alternate between the two,
# five of each, and the medians of the wall time and of the peak resident
# memory (/usr/bin/time -v) are printed for pages of 1,000, 10,000 and
# 100,000 shapes, then for a batch of 20 documents of 1,000 shapes in one
# export against 20 sequential rasteriser runs. The export held to one core
# (taskset -c 0) is timed beside the parallel one. Reports, asserts nothing.
#
#   bench/exportcompare.sh [PROGRAM]
#
# PROGRAM defaults to the Release build's Loomdraw, built first when
# missing. Installs librsvg2-bin for rsvg-convert when it is not there: the
# comparison needs it, the program never does.
#
# Figures on the project's machine (8 cores, Release, median of 5; the
# machine shared with other work, load average from uptime beside each):
#   load 1.5 to 3: 1k 0.10 s 35 MB (one core 0.17 s) vs 0.14 s 27 MB;
#                  10k 0.33 s 49 MB (one core 0.99 s) vs 0.88 s 81 MB;
#                  100k 1.67 s 202 MB (one core 2.87 s) vs 8.58 s 614 MB;
#                  batch 20 x 1k 0.59 s (one core 3.05 s) vs 2.91 s.
#   Before the banded renderer (load 5 to 8): 10k 2.8 s 142 MB, 100k 27.8 s
#   1149 MB; banded, with the raster engine's own stroker and gradients
#   (load 3 to 5): 10k 0.66 s, batch 1.22 s. That stroker spent most of its
#   time on round joins along flattened curves (atan2 and sincos), and the
#   painting threads queued on its process-wide gradient table lock.
set -euo pipefail
source "$(dirname "$0")/programbench.sh" 10000 "${1:-}"

if ! command -v rsvg-convert > /dev/null; then
    apt-get install -y -q librsvg2-bin > /dev/null
fi
[ -x /usr/bin/time ] || apt-get install -y -q time > /dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One timed run: prints "<seconds> <peak KB>".
timed() {
    /usr/bin/time -v -o "$work/time.txt" "$@" > /dev/null 2>&1
    local wall rss
    wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
    awk -v w="$wall" -v r="$rss" 'BEGIN { n = split(w, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; printf "%.3f %d\n", s, r }'
}

median() {
    sort -n | sed -n "$(( runs / 2 + 1 ))p"
}

# Alternating runs of the three commands given as shell words; prints the
# medians of each.
compare() {
    local label="$1" ours="$2" single="$3" theirs="$4"
    : > "$work/ours" ; : > "$work/single" ; : > "$work/theirs"
    for i in $(seq "$runs"); do
        eval "timed $ours" >> "$work/ours"
        eval "timed $theirs" >> "$work/theirs"
        eval "timed taskset -c 0 $single" >> "$work/single"
    done
    local ot om st sm tt tm
    ot=$(cut -d' ' -f1 "$work/ours" | median); om=$(cut -d' ' -f2 "$work/ours" | median)
    st=$(cut -d' ' -f1 "$work/single" | median); sm=$(cut -d' ' -f2 "$work/single" | median)
    tt=$(cut -d' ' -f1 "$work/theirs" | median); tm=$(cut -d' ' -f2 "$work/theirs" | median)
    printf '%s\n  Loomdraw  %6.3f s %8d KB   (one core %6.3f s %8d KB)\n  rsvg      %6.3f s %8d KB\n' \
        "$label" "$ot" "$om" "$st" "$sm" "$tt" "$tm"
    awk -v a="$ot" -v b="$tt" -v c="$om" -v d="$tm" -v e="$st" \
        'BEGIN { printf "  time ratio %.2f (one core %.2f), memory ratio %.2f\n", a / b, e / b, c / d }'
}

for shapes in 1000 10000 100000; do
    python3 "$generator" "$shapes" "$work/page$shapes" > /dev/null
    compare "page of $shapes shapes" \
        "\"$program\" -exportimage \"$work/page$shapes.slf\" \"$work/ours.png\"" \
        "\"$program\" -exportimage \"$work/page$shapes.slf\" \"$work/single.png\"" \
        "rsvg-convert \"$work/page$shapes.svg\" -o \"$work/theirs.png\""
    echo "  PNG bytes: Loomdraw $(stat -c %s "$work/ours.png"), rsvg $(stat -c %s "$work/theirs.png")"
done

documents=() images=() svgs=()
for i in $(seq 20); do
    python3 "$generator" 1000 "$work/batch$i" "$i" > /dev/null
    documents+=("$work/batch$i.slf"); images+=("$work/batch$i.png"); svgs+=("$work/batch$i.svg")
done
cat > "$work/rsvg-batch.sh" << EOF
#!/usr/bin/env bash
for svg in ${svgs[*]}; do rsvg-convert "\$svg" -o "\${svg%.svg}.rsvg.png"; done
EOF
chmod +x "$work/rsvg-batch.sh"
compare "batch of 20 documents of 1000 shapes" \
    "\"$program\" -exportimage ${documents[*]} ${images[*]}" \
    "\"$program\" -exportimage ${documents[*]} ${images[*]}" \
    "\"$work/rsvg-batch.sh\""

echo "nproc: $(nproc)"
echo "uptime: $(uptime)"
