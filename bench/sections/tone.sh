# Tone and colour: the kernels beside one plain 256-entry table pass over the same bytes, and the
# whole commands beside libvips and ImageMagick on one thread. Sourced by scripts/bench inside its
# per-size loop.

tone_bench=$build/bench/tavlo-bench-tone
heading "Tone kernels in process (tavlo-bench-tone)" ms "kernel/table pass"
declare -A tone=()
if [[ -x $tone_bench ]] && "$tone_bench" "$runs" "$img.bmp" >"$scratch/tone" 2>"$scratch/err"; then
    while read -r name ms; do tone[$name]=$ms; done <"$scratch/tone"
    row "plain 256-entry table pass" "${tone[table-pass]}"
    for entry in "curve:tone curve (all channels):1.5" "curve-red:tone curve (red only):1.5" \
        "tone:colour tone:1.5" "contrast:contrast and brightness:1.5" "gamma:gamma:1.5" \
        "vivid:vividness:4"; do
        IFS=: read -r name label aim <<<"$entry"
        line="$(ratio "${tone[$name]}" "${tone[table-pass]}") (aim <= ${aim}x: $(verdict "${tone[$name]}" "${tone[table-pass]}" "$aim"))"
        row "$label" "${tone[$name]}" "$line"
        summary+=("$size_name  $label kernel/table pass: $line")
    done
else
    row "tone kernels" - "failed: $(head -n1 "$scratch/err" 2>/dev/null || echo "$tone_bench missing")"
fi

# One thread for the other tools, as tavlo-cli has (env, since hyperfine runs a fresh shell).
# vips writes its own .v format, the cheapest it has; the others write a 24-bit BMP.
have vips && vips identity "$scratch/lut.v" >/dev/null 2>&1
# min_ms reads hyperfine's CSV by commas, so no timed command line may hold one: the curve goes
# through a .tvl file and the other comma arguments through a one-line wrapper.
printf '0\r\n64\r\n192\r\n10\r\n100\r\n200\r\n240\r\n' >"$scratch/bench.tvl"
tone_wrapper() {
    printf '#!/bin/sh\nexec %q --threads 1 "$@" %q\n' "$cli" "$2" >"$scratch/$1.sh"
    chmod +x "$scratch/$1.sh"
}
tone_wrapper tone tone:20,-10,5
tone_wrapper contrast contrast:40,-10

command_group "Whole command: tone curve, BMP -> BMP"
command_row "tavlo-cli curve" ours "$cli" --threads 1 "$img.bmp" "curve:$scratch/bench.tvl" --out "$scratch/out.bmp"
command_row "vips maplut (1 thread)" 1 env VIPS_CONCURRENCY=1 vips maplut "$img.bmp" "$scratch/out.v" "$scratch/lut.v"
command_row "convert -level (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -level 4% "$scratch/out.bmp"
command_group "Whole command: colour tone, BMP -> BMP"
command_row "tavlo-cli tone" ours "$scratch/tone.sh" "$img.bmp" --out "$scratch/out.bmp"
command_row "vips linear --uchar (1 thread)" 1 env VIPS_CONCURRENCY=1 vips linear "$img.bmp" "$scratch/out.v" "1 1 1" "20 -10 5" --uchar
command_row "convert -evaluate add (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -evaluate add 8% "$scratch/out.bmp"
command_group "Whole command: contrast, BMP -> BMP"
command_row "tavlo-cli contrast" ours "$scratch/contrast.sh" "$img.bmp" --out "$scratch/out.bmp"
command_row "vips linear --uchar (1 thread)" 1 env VIPS_CONCURRENCY=1 vips linear "$img.bmp" "$scratch/out.v" " 1.3125" " -52.5" --uchar
command_row "convert -brightness-contrast (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -brightness-contrast -4x30 "$scratch/out.bmp"
command_group "Whole command: gamma, BMP -> BMP"
command_row "tavlo-cli gamma" ours "$cli" --threads 1 "$img.bmp" gamma:30 --out "$scratch/out.bmp"
command_row "vips gamma (1 thread)" 1 env VIPS_CONCURRENCY=1 vips gamma "$img.bmp" "$scratch/out.v" --exponent 1.3
command_row "convert -gamma (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -gamma 1.3 "$scratch/out.bmp"
command_group "Whole command: vividness, BMP -> BMP"
command_row "tavlo-cli vivid" ours "$cli" --threads 1 "$img.bmp" vivid:30 --out "$scratch/out.bmp"
command_row "convert -modulate (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -modulate 100x190 "$scratch/out.bmp"
rm -f "$scratch/lut.v" "$scratch/bench.tvl" "$scratch/tone.sh" "$scratch/contrast.sh"
