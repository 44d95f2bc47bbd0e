#!/usr/bin/env bash
# Batch-tool cases for many inputs with --out-dir, and --threads.
# Usage: cli_batch_test.sh TAVLO_CLI DATA_DIR
. "$(dirname "$0")/cli_support.sh"

bmp=$data/bmp/valid
jpg=$data/jpeg/valid
ops=(median gamma:20)

# Each result is exactly what the one-file command writes, under the input's name.
expect 0 "$bmp/24bit_13x7_odd.bmp" "$jpg/grey_64x48.jpg" "$bmp/8bit_16x16.bmp" "${ops[@]}" --out-dir "$work/all"
for input in "$bmp/24bit_13x7_odd.bmp" "$jpg/grey_64x48.jpg" "$bmp/8bit_16x16.bmp"; do
  name=$(basename "$input")
  "$cli" "$input" "${ops[@]}" --out "$work/one-$name" || fail "$name alone failed"
  cmp -s "$work/all/$name" "$work/one-$name" || fail "$name: batch result differs from the single run"
done
[ ! -s "$work/err" ] || fail "a clean batch wrote on stderr: $(cat "$work/err")"

# --quality asks for JPEG and --bits for BMP, whatever the input was.
expect 0 "$bmp/24bit_11x5_core.bmp" "$jpg/baseline_420_64x48.jpg" --out-dir "$work/q" --quality 80
[ -s "$work/q/24bit_11x5_core.jpg" ] && [ -s "$work/q/baseline_420_64x48.jpg" ] || fail "--quality names: $(ls "$work/q")"
expect 0 "$jpg/baseline_420_64x48.jpg" --out-dir "$work/b" --bits 8
[ -s "$work/b/baseline_420_64x48.bmp" ] || fail "--bits names: $(ls "$work/b")"

# Failures are one line each, naming the file; the rest are written; the status is the worst.
expect 4 "$bmp/1bit_8x8.bmp" "$work/missing.bmp" "$bmp/24bit_1x9_column.bmp" turn:right --out-dir "$work/mixed"
[ "$(wc -l <"$work/err")" -eq 2 ] || fail "two failures gave $(wc -l <"$work/err") lines: $(cat "$work/err")"
grep -q "^tavlo-cli: $bmp/1bit_8x8.bmp: " "$work/err" || fail "refusal does not name its file"
grep -q "^tavlo-cli: $work/missing.bmp: " "$work/err" || fail "missing file not named"
[ -s "$work/mixed/24bit_1x9_column.bmp" ] || fail "the good file was not written"
[ ! -e "$work/mixed/1bit_8x8.bmp" ] || fail "a refused file was written"
expect 3 "$work/missing.bmp" "$bmp/24bit_1x1.bmp" --out-dir "$work/mixed"

# Inputs and operations by their form: a file called median.bmp is an input.
cp "$bmp/24bit_13x7_odd.bmp" "$work/median.bmp"
(cd "$work" && "$cli" median.bmp median --out-dir named) || fail "median.bmp was not taken as an input"
"$cli" "$bmp/24bit_13x7_odd.bmp" median --out "$work/median-ref.bmp"
cmp -s "$work/named/median.bmp" "$work/median-ref.bmp" || fail "median.bmp result differs"

# The same bytes on any number of threads, for one file and for many.
for threads in 1 2 3; do
  expect 0 "$bmp/24bit_13x7_odd.bmp" rotate:30 vivid:20 --threads "$threads" --out "$work/t$threads.bmp"
  cmp -s "$work/t1.bmp" "$work/t$threads.bmp" || fail "--threads $threads changed the bytes"
done

# Usage errors, before anything is written.
expect 2 "$bmp/24bit_1x1.bmp" "$bmp/24bit_11x5_core.bmp" --out "$work/x.bmp"
expect 2 "$bmp/24bit_1x1.bmp" --out "$work/x.bmp" --out-dir "$work/u"
expect 2 "$bmp/24bit_1x1.bmp" --info --out-dir "$work/u"
expect 2 "$bmp/24bit_1x1.bmp" --bits 8 --quality 80 --out-dir "$work/u"
mkdir -p "$work/other" && cp "$bmp/24bit_1x1.bmp" "$work/other/"
expect 2 "$bmp/24bit_1x1.bmp" "$work/other/24bit_1x1.bmp" --out-dir "$work/u"
grep -q "24bit_1x1.bmp" "$work/err" || fail "clash does not name the file"
[ ! -e "$work/u" ] || fail "a refused command made its output folder"
for bad in 0 abc 257; do
  expect 2 "$bmp/24bit_1x1.bmp" --threads "$bad"
done

finish "all batch cases passed"
