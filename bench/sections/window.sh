# The program's own response time: the real main window, offscreen, on this size's JPEG at display
# scale 1/1, each action timed from the command to the last repaint it causes (median of the
# runs), beside the decoder or kernel it waits on, timed in the same run (fastest of the runs);
# then browsing a folder of ten 24 MP photos and starting with a 100 MP one.
# Sourced by scripts/bench inside its per-size loop.

window_bench=$build/bench/tavlo-bench-window
heading "The program's window, offscreen (tavlo-bench-window)" ms "aim"
declare -A window=() waits_on=()
# "within MS LIMIT": met or MISSED.
within() { awk -v a="$1" -v b="$2" 'BEGIN { print (a <= b ? "met" : "MISSED") }'; }
window_row() {
    local label=$1 name=$2 allowance=$3 yardstick_label=$4 limit line
    limit=$(awk -v y="${waits_on[$name]}" -v a="$allowance" 'BEGIN { printf "%.1f", y + a }')
    if [[ -n $yardstick_label ]]; then
        line="aim <= $yardstick_label ${waits_on[$name]} + $allowance = $limit: $(within "${window[$name]}" "$limit")"
    else
        line="aim <= $allowance: $(within "${window[$name]}" "$limit")"
    fi
    row "$label" "${window[$name]}" "$line"
    summary+=("$size_name  window, $label: ${window[$name]} ms ($line)")
}
if [[ -x $window_bench ]] &&
    QT_QPA_PLATFORM=offscreen "$window_bench" "$runs" "$img.jpg" >"$scratch/window" 2>"$scratch/err"; then
    while read -r name ms base; do window[$name]=$ms waits_on[$name]=$base; done < <(grep -v 'memory' "$scratch/window")
    read -r _ rest peak baseline pixels < <(grep '^memory' "$scratch/window")
    window_row "start with the file -> picture" start 150 decode
    window_row "quarter turn right" turn-right 100 kernel
    window_row "median" median 100 kernel
    window_row "monochrome" monochrome 100 kernel
    window_row "gamma, execute" gamma 100 kernel
    window_row "quarter turn right, histogram shown" turn-right-histogram 100 kernel
    window_row "undo" undo 100 ""
    window_row "display scale 1/4 -> 1/1" scale-quarter-to-full 100 ""
    row "memory at rest, MB" "$rest" "without an image $baseline; pixels $pixels"
    copies=$(awk -v p="$peak" -v b="$baseline" -v n="$pixels" 'BEGIN { printf "%.1f", (p - b) / n }')
    line="$copies copies of the pixels above the program without an image (aim <= 4: $(within "$copies" 4))"
    row "peak memory during the actions, MB" "$peak" "$line"
    summary+=("$size_name  window, peak memory: $peak MB, $line")

    # Browsing a folder of ten camera photos of 24 MP made from this size's image.
    rate=${window[browse-down-quarter]}
    line="one reduced decode takes ${waits_on[browse-down-quarter]} ms (aim >= 8: $(awk -v r="$rate" 'BEGIN { print (r >= 8 ? "met" : "MISSED") }'))"
    row "24 MP folder, holding Down at 1/4, pictures/s" "$rate" "$line"
    summary+=("$size_name  window, holding Down at 1/4: $rate pictures/s, $line")
    # Aims of their own, not over a yardstick: the decode is what they avoid.
    for aimed in "browse-click-neighbour:60:24 MP, click on a decoded-ahead neighbour" \
        "start-100mp:350:start with a 100 MP file -> picture"; do
        IFS=: read -r name limit label <<<"$aimed"
        line="whole decode ${waits_on[$name]} ms (aim <= $limit: $(within "${window[$name]}" "$limit"))"
        row "$label" "${window[$name]}" "$line"
        summary+=("$size_name  window, $label: ${window[$name]} ms ($line)")
    done
    read -r _ browse_peak _ browse_pixels < <(grep '^browse-memory' "$scratch/window")
    copies=$(awk -v p="$browse_peak" -v b="$baseline" -v n="$browse_pixels" 'BEGIN { printf "%.1f", (p - b) / n }')
    line="$copies copies of a 24 MP picture above the program without an image (aim <= 6, 4 and two neighbours: $(within "$copies" 6))"
    row "peak memory while browsing, MB" "$browse_peak" "$line"
    summary+=("$size_name  window, browsing peak memory: $browse_peak MB, $line")
else
    row "window" - "failed: $(head -n1 "$scratch/err" 2>/dev/null || echo "$window_bench missing")"
fi
