#!/usr/bin/env bash
# Batch-tool cases of the filter operations and of --histogram.
# Usage: cli_filters_test.sh TAVLO_CLI DATA_DIR
. "$(dirname "$0")/../cli/cli_support.sh"

one=$data/bmp/valid/24bit_1x1.bmp
photo=$data/bmp/valid/24bit_13x7_odd.bmp

# histogram_field LABEL INDEX: the bar height at INDEX on the line LABEL of $work/out.
histogram_field() { awk -v l="$1" -v i="$2" '$1 == l { print $(i + 2) }' "$work/out"; }

# The four lines, 256 heights each.
"$cli" "$photo" --histogram >"$work/out" || fail "--histogram exited $?"
[ "$(awk '{ print $1 ":" NF - 1 }' "$work/out" | tr '\n' ' ')" = "RGB::256 R::256 G::256 B::256 " ] ||
  fail "--histogram lines: $(awk '{ print $1, NF }' "$work/out" | tr '\n' ' ')"

# A one-pixel image: presets 1-6 keep it, the embossings give 128, equalisation gives white,
# monochrome gives three equal channels. The histogram shows each as one bar of 64.
"$cli" "$one" --histogram >"$work/before"
for op in filter:1 filter:6 "kernel:0,0,0,0,1,0,0,0,0" median; do
  "$cli" "$one" "$op" --histogram >"$work/out" || fail "$op exited $?"
  cmp -s "$work/out" "$work/before" || fail "$op changed a one-pixel image"
done
for op in filter:7 filter:8 "kernel:0,0,0,0,0,0,0,0,0" "matrix:$data/constants/all_zero.mtx"; do
  "$cli" "$one" "$op" --histogram >"$work/out" || fail "$op exited $?"
  [ "$(histogram_field R: 128)/$(histogram_field B: 128)" = "64/64" ] || fail "$op is not grey 128"
done
for op in equalise equalise:0.5 equalise:3; do
  "$cli" "$one" "$op" --histogram 2 >"$work/out" || fail "$op exited $?"
  [ "$(histogram_field G: 255)" = "32" ] || fail "$op: $(histogram_field G: 255), want 32 at factor 2"
done
"$cli" "$photo" grey --histogram >"$work/out" || fail "grey exited $?"
[ "$(grep '^R:' "$work/out" | cut -d' ' -f2-)" = "$(grep '^B:' "$work/out" | cut -d' ' -f2-)" ] ||
  fail "grey: red and blue histograms differ"

# The factor on a one-pixel image: the scaled maximum is rounded half to even, and one that
# rounds to 0 is taken as 1.
for pair in "1 64" "0.5 64" "0.25 64" "1.5 32" "2 32" "2.5 32" "3 21" "4 16"; do
  read -r factor height <<<"$pair"
  "$cli" "$one" --histogram "$factor" >"$work/out" || fail "--histogram $factor exited $?"
  [ "$(awk '$1 == "R:" { m = 0; for (i = 2; i <= NF; i++) if ($i > m) m = $i; print m }' "$work/out")" = "$height" ] ||
    fail "--histogram $factor: tallest bar is not $height"
done

# The identity kernel, from the command line or a file, writes the image unchanged.
"$cli" "$photo" --out "$work/plain.bmp"
for op in "kernel:0,0,0,0,1,0,0,0,0" "matrix:$data/constants/identity.mtx" "filter:1"; do
  "$cli" "$photo" "$op" --out "$work/filtered.bmp" || fail "$op exited $?"
  if [ "$op" = filter:1 ]; then
    cmp -s "$work/plain.bmp" "$work/filtered.bmp" && fail "filter:1 left a photo unchanged"
  else
    cmp -s "$work/plain.bmp" "$work/filtered.bmp" || fail "$op changed the image"
  fi
done

# Usage errors: exit 2, one line naming the bad word, nothing written.
for args in "filter:9" "filter:x" "kernel:1,2" "kernel:1,1,1,1,1,1,1,1,q" "matrix:$data/constants/letters.mtx" \
  "matrix:$work/missing.mtx" "median:3" "grey:x" "equalise:0" "--histogram -1" "--histogram nan"; do
  # shellcheck disable=SC2086
  "$cli" "$photo" $args --out "$work/never.bmp" >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" -eq 2 ] || fail "$args exited $status"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$args wrote $(wc -l <"$work/err") lines on stderr"
  [ ! -e "$work/never.bmp" ] || fail "$args wrote an output"
done
grep -q "letters.mtx" <("$cli" "$photo" "matrix:$data/constants/letters.mtx" 2>&1) ||
  fail "a faulty .mtx file is not named"
# A word after --histogram that is no number is the next operation.
"$cli" "$one" --histogram filter:7 >"$work/out" || fail "--histogram filter:7 exited $?"
[ "$(histogram_field G: 128)" = "64" ] || fail "--histogram swallowed the operation after it"

finish "all filter CLI cases passed"
