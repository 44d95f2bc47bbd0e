# Filters: sourced by scripts/bench inside its per-size loop ($img, $cli, $scratch, $runs, $build).
# Convolution and median against libvips and ImageMagick on one thread; histogram, equalisation
# and monochrome against a copy of the pixels.
filters_bench=$build/bench/tavlo-bench-filters
heading "In process (tavlo-bench-filters kernels)" ms
declare -A filters_kernel=()
if [[ -x $filters_bench ]] && "$filters_bench" "$runs" "$img.bmp" >"$scratch/filters" 2>"$scratch/err"; then
    while read -r name ms; do filters_kernel[$name]=$ms; done <"$scratch/filters"
    filters_copy=${filters_kernel[memcpy-fresh]}
    for name in convolution median histogram equalisation monochrome; do
        ms=${filters_kernel[$name]:-?}
        case $name in
        histogram | equalisation | monochrome)
            line="$(ratio "$ms" "$filters_copy") memcpy (aim <= 3x: $(verdict "$ms" "$filters_copy" 3))"
            row "$name" "$ms" "$line"
            summary+=("$size_name  $name: $line")
            ;;
        *) row "$name" "$ms" "$(ratio "$ms" "$filters_copy") memcpy" ;;
        esac
    done
    row "memcpy of the pixels, fresh dst" "$filters_copy"
else
    row "filter kernels" - "failed: $(head -n1 "$scratch/err" 2>/dev/null)"
fi

# The same 3×3 integer mask everywhere: the weak sharpening, sum 4.
printf '3 3 4 0\n0 -1 0\n-1 8 -1\n0 -1 0\n' >"$scratch/sharpen.mat"
command_group "Whole command: 3x3 convolution, BMP -> BMP"
command_row "tavlo-cli filter:4" ours "$cli" --threads 1 "$img.bmp" filter:4 --out "$scratch/out.bmp"
command_row "vips conv (1 thread, PPM)" 1 env VIPS_CONCURRENCY=1 vips conv "$img.ppm" "$scratch/out.ppm" \
    "$scratch/sharpen.mat" --precision integer
command_row "convert -convolve (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" \
    -define convolve:scale=1/4 -convolve "0,-1,0,-1,8,-1,0,-1,0" "$scratch/out.bmp"
command_group "Whole command: 3x3 median, BMP -> BMP"
command_row "tavlo-cli median" ours "$cli" --threads 1 "$img.bmp" median --out "$scratch/out.bmp"
command_row "vips rank 3 3 4 (1 thread, PPM)" 1 env VIPS_CONCURRENCY=1 vips rank "$img.ppm" \
    "$scratch/out.ppm" 3 3 4
command_row "convert -statistic Median 3x3 (1 thread)" 1 "$convert" -limit thread 1 "$img.bmp" \
    -statistic Median 3x3 "$scratch/out.bmp"
