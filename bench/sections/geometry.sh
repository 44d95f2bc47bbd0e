# Geometry: the kernels beside one memcpy of the image into a fresh bitmap, and the whole
# commands beside libvips and ImageMagick on one thread. Sourced by scripts/bench inside its
# per-size loop.

geometry_bench=$build/bench/tavlo-bench-geometry
heading "Geometry kernels in process (tavlo-bench-geometry)" ms "kernel/memcpy"
declare -A geometry=()
if [[ -x $geometry_bench ]] && "$geometry_bench" "$runs" "$img.bmp" >"$scratch/geometry" 2>"$scratch/err"; then
    while read -r name ms; do geometry[$name]=$ms; done <"$scratch/geometry"
    row "memcpy into a fresh bitmap" "${geometry[memcpy-fresh]}"
    for entry in "turn-right:quarter turn right:2" "turn-left:quarter turn left:2" \
        "turn-half:half turn:2" "mirror:left-right mirror:2" "flip:top-bottom mirror:2" \
        "trim:trim to the middle quarter:2" "shrink-1:resize 1/1:2" "shrink-2:resize 1/2:2" \
        "rotate-30:rotate 30 degrees:4" "keystone:keystone both sides:4" "shear:parallelogram:4"; do
        IFS=: read -r name label aim <<<"$entry"
        line="$(ratio "${geometry[$name]}" "${geometry[memcpy-fresh]}") (aim <= ${aim}x: $(verdict "${geometry[$name]}" "${geometry[memcpy-fresh]}" "$aim"))"
        row "$label" "${geometry[$name]}" "$line"
        summary+=("$size_name  $label kernel/memcpy: $line")
    done
else
    row "geometry kernels" - "failed: $(head -n1 "$scratch/err" 2>/dev/null || echo "$geometry_bench missing")"
fi

quarter="$((width / 4)),$((height / 4)),$((width * 3 / 4 - 1)),$((height * 3 / 4 - 1))"
crop_w=$((width * 3 / 4 - width / 4)) crop_h=$((height * 3 / 4 - height / 4))

command_group "Whole command: quarter turn, BMP -> BMP"
command_row "tavlo-cli turn:right" ours "$cli" --threads 1 "$img.bmp" turn:right --out "$scratch/out.bmp"
command_row "vips rot d90 (1 thread)" 1 env VIPS_CONCURRENCY=1 vips rot "$img.bmp" "$scratch/out.v" d90
command_row "convert -rotate 90 (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -rotate 90 "$scratch/out.bmp"
command_group "Whole command: top-bottom mirror, BMP -> BMP"
command_row "tavlo-cli turn:flip" ours "$cli" --threads 1 "$img.bmp" turn:flip --out "$scratch/out.bmp"
command_row "vips flip vertical (1 thread)" 1 env VIPS_CONCURRENCY=1 vips flip "$img.bmp" "$scratch/out.v" vertical
command_row "convert -flip (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -flip "$scratch/out.bmp"
command_group "Whole command: trim to the middle quarter, BMP -> BMP"
command_row "tavlo-cli trim" ours "$cli" --threads 1 "$img.bmp" "trim:$quarter" --out "$scratch/out.bmp"
command_row "vips crop (1 thread)" 1 env VIPS_CONCURRENCY=1 vips crop "$img.bmp" "$scratch/out.v" $((width / 4)) $((height / 4)) "$crop_w" "$crop_h"
command_row "convert -crop (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -crop "${crop_w}x${crop_h}+$((width / 4))+$((height / 4))" "$scratch/out.bmp"
command_group "Whole command: nearest-neighbour 1/2, BMP -> BMP"
command_row "tavlo-cli shrink:2" ours "$cli" --threads 1 "$img.bmp" shrink:2 --out "$scratch/out.bmp"
command_row "vips subsample 2 2 (1 thread)" 1 env VIPS_CONCURRENCY=1 vips subsample "$img.bmp" "$scratch/out.v" 2 2
command_row "convert -sample 50% (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -sample 50% "$scratch/out.bmp"
command_group "Whole command: rotate 30 degrees, BMP -> BMP"
command_row "tavlo-cli rotate:30" ours "$cli" --threads 1 "$img.bmp" rotate:30 --out "$scratch/out.bmp"
command_row "vips rotate 30 (1 thread)" 1 env VIPS_CONCURRENCY=1 vips rotate "$img.bmp" "$scratch/out.v" 30
command_row "convert -rotate 30 (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" -rotate 30 "$scratch/out.bmp"
