# Speed aims: the kernels on one and on two threads, beside libvips on its own .v format at the
# same thread counts, as operation-only times. Sourced by scripts/bench inside its per-size loop
# ($img, $cli, $scratch, $runs, $build, $width, $height). The aims are for 6000 x 4000.
speed_bench=$build/bench/tavlo-bench-speed
declare -A speed=()
heading "Speed aims in process (tavlo-bench-speed), fastest of $runs runs" ms
for threads in 1 2; do
    if [[ -x $speed_bench ]] && "$speed_bench" "$runs" "$img.bmp" "$threads" >"$scratch/speed" 2>"$scratch/err"; then
        while read -r name ms; do
            [[ $name == instructions ]] && speed_instructions=$ms && continue
            key=$name@$threads
            if [[ -z ${speed[$key]:-} ]] || awk -v a="$ms" -v b="${speed[$key]}" 'BEGIN { exit !(a < b) }'; then
                speed[$key]=$ms
            fi
        done <"$scratch/speed"
    else
        row "speed kernels, $threads threads" - "failed: $(head -n1 "$scratch/err" 2>/dev/null || echo "$speed_bench missing")"
    fi
done

# An operation alone, from whole commands: the command's time less that of the same load and save
# with no operation, each the fastest of its runs. vips reads and writes .v, its native format,
# so that its times are not a loader's.
speed_vips_base=() speed_cli_base=()
have vips && vips copy "$img.ppm" "$img.v" >/dev/null 2>&1
printf '3 3 4 0\n0 -1 0\n-1 8 -1\n0 -1 0\n' >"$scratch/speed.mat"
op_only() { # op_only BASE_MS COMMAND...: the command's fastest time less BASE_MS, or "-"
    local ms
    if [[ -n $1 ]] && ms=$(min_ms "${@:2}"); then
        awk -v a="$ms" -v b="$1" 'BEGIN { printf "%.1f\n", a - b }'
    else
        echo -
    fi
}
for threads in 1 2; do
    speed_cli_base[$threads]=$(min_ms "$cli" --threads "$threads" "$img.bmp" --out "$scratch/out.bmp" || true)
    if have vips; then
        speed_vips_base[$threads]=$(min_ms env VIPS_CONCURRENCY="$threads" vips copy "$img.v" "$scratch/out.v" || true)
    fi
done

# name|label|aim 1 thread|aim 2 threads|tavlo-cli operation|vips operation and arguments
speed_rows=(
    "turn-right turn-left|quarter turns|15|9|turn:right|rot @ @ d90"
    "turn-half mirror|half turn, left-right mirror|8|5|turn:mirror|flip @ @ horizontal"
    "rotate-30|rotation by 30 degrees|50|30|rotate:30|rotate @ @ 30"
    "convolution|3 x 3 convolution|25|14|filter:4|conv @ @ $scratch/speed.mat --precision integer"
    "median|median|30|17|median|rank @ @ 3 3 4"
    "equalisation|equalisation|15|9|equalise|hist_equal @ @"
    "monochrome|monochrome|10|6|grey|colourspace @ @ b-w"
    "curve tone contrast gamma|tone tables (one table pass)|8|5|gamma:30|gamma @ @"
    "vivid|vividness|25|14|vivid:30|-"
)
# The aims hold for 6000 x 4000; at other sizes the table is printed without them.
aims=$(((width == 6000 && height == 4000) ? 1 : 0))
aim_cell() { # aim_cell MS AIM: "<= AIM met" or "<= AIM MISSED", or "-" at other sizes
    if ((aims)); then
        awk -v a="$1" -v b="$2" 'BEGIN { printf "<=%s %s\n", b, (a <= b ? "met" : "MISSED") }'
    else
        echo -
    fi
}
echo
echo "  Speed table, ms. kernel: in process, the slowest of the row's kernels; cli and vips: the"
echo "  operation alone (whole command less the same load and save). memcpy of the pixels on 1"
echo "  thread in the same run: ${speed[memcpy-fresh@1]:-?} into fresh pages, ${speed[memcpy-warm@1]:-?} warm."
echo "  Kernels dispatched to ${speed_instructions:-?}."
speed_line() { printf '  | %-29s | %6s | %-11s | %6s | %6s | %6s | %-11s | %6s | %6s |\n' "$@"; }
speed_line kernel "1 thr" aim cli vips "2 thr" aim cli vips
echo "  |-------------------------------|--------|-------------|--------|--------|--------|-------------|--------|--------|"
for entry in "${speed_rows[@]}"; do
    IFS='|' read -r names label aim1 aim2 cli_op vips_op <<<"$entry"
    declare -A reached=() cli_ms=() vips_ms=()
    for threads in 1 2; do
        reached[$threads]=0
        for name in $names; do
            reached[$threads]=$(awk -v a="${speed[$name@$threads]:-9999}" -v b="${reached[$threads]}" \
                'BEGIN { print (a > b ? a : b) }')
        done
        cli_ms[$threads]=$(op_only "${speed_cli_base[$threads]}" "$cli" --threads "$threads" "$img.bmp" \
            "$cli_op" --out "$scratch/out.bmp")
        vips_ms[$threads]=-
        if [[ $vips_op != - ]] && have vips; then
            # shellcheck disable=SC2046 # the row's arguments split on purpose
            vips_ms[$threads]=$(op_only "${speed_vips_base[$threads]:-}" env VIPS_CONCURRENCY="$threads" \
                vips $(sed "s|@|$img.v|; s|@|$scratch/out.v|" <<<"$vips_op"))
        fi
    done
    cell1=$(aim_cell "${reached[1]}" "$aim1") cell2=$(aim_cell "${reached[2]}" "$aim2")
    speed_line "$label" "${reached[1]}" "$cell1" "${cli_ms[1]}" "${vips_ms[1]}" "${reached[2]}" "$cell2" \
        "${cli_ms[2]}" "${vips_ms[2]}"
    if ((aims)); then
        summary+=("$size_name  $label: ${reached[1]} ms on 1 thread ($cell1), ${reached[2]} ms on 2 ($cell2)")
    fi
done

# The kernels again on every instruction set this processor runs, as multiples of the memcpy into
# fresh pages of the same run: the aims are multiples, so that they hold on any machine.
# name|label|aim as a multiple of memcpy at 1 thread
multiple_rows=(
    "curve tone contrast gamma|tone tables (one table pass)|1.5"
    "monochrome|monochrome|2"
    "turn-right turn-left|quarter turns|3"
    "turn-half mirror|half turn, left-right mirror|1.5"
    "equalisation|equalisation|2.5"
    "vivid|vividness|2.5"
    "convolution|3 x 3 convolution|3"
    "median|median|4"
    "rotate-30|rotation by 30 degrees|8"
)
if [[ -x $speed_bench ]]; then
    for set in $("$speed_bench" --instruction-sets); do
        declare -A per_set=()
        for threads in 1 2; do
            TAVLO_INSTRUCTION_SET=$set "$speed_bench" "$runs" "$img.bmp" "$threads" >"$scratch/speed" 2>/dev/null || continue
            while read -r name ms; do
                key=$name@$threads
                if [[ -z ${per_set[$key]:-} ]] || awk -v a="$ms" -v b="${per_set[$key]}" 'BEGIN { exit !(a < b) }'; then
                    per_set[$key]=$ms
                fi
            done < <(grep -v '^instructions ' "$scratch/speed")
        done
        memcpy=${per_set[memcpy-fresh@1]:-0}
        echo
        echo "  $set, ms (memcpy into fresh pages $memcpy ms on 1 thread)"
        multiple_line() { printf '  | %-29s | %6s | %7s | %-6s | %6s | %6s |\n' "$@"; }
        multiple_line kernel "1 thr" x_memcpy aim "2 thr" gain
        echo "  |-------------------------------|--------|---------|--------|--------|--------|"
        for entry in "${multiple_rows[@]}"; do
            IFS='|' read -r names label aim <<<"$entry"
            one=0 two=0
            for name in $names; do
                one=$(awk -v a="${per_set[$name@1]:-9999}" -v b="$one" 'BEGIN { print (a > b ? a : b) }')
                two=$(awk -v a="${per_set[$name@2]:-9999}" -v b="$two" 'BEGIN { print (a > b ? a : b) }')
            done
            multiple=$(awk -v a="$one" -v m="$memcpy" 'BEGIN { if (m > 0) printf "%.2f", a / m; else print "-" }')
            verdict=$(awk -v x="$multiple" -v aim="$aim" 'BEGIN { print (x != "-" && x <= aim ? "met" : "MISSED") }')
            gain=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", a / b }')
            multiple_line "$label" "$one" "$multiple" "<=$aim $verdict" "$two" "$gain"
            summary+=("$size_name  $set $label: ${multiple}x memcpy (aim <=$aim, $verdict), 2nd core ${gain}x")
        done
    done
fi
