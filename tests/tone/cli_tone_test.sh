#!/usr/bin/env bash
# Batch-tool cases of the tone operations: exit statuses, refusals, and pixel results read back
# through the tool's own 24-bit output.
# Usage: cli_tone_test.sh TAVLO_CLI DATA_DIR
. "$(dirname "$0")/../cli/cli_support.sh"

# The pixel bytes of a 24-bit BMP that the tool wrote (54-byte header, rows padded to 4 bytes).
pixels() { tail -c +55 "$1" | od -An -v -tu1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

rgb24=$data/bmp/valid/24bit_13x7_odd.bmp
one=$data/bmp/valid/24bit_1x1.bmp

# Neutral settings change no pixel.
expect 0 "$rgb24" --out "$work/plain.bmp"
for op in curve:0,64,192,0,64,192,255 "curve:$data/constants/default.tvl" tone:0,0,0 contrast:0,0 \
  vivid:0 gamma:0; do
  expect 0 "$rgb24" "$op" --out "$work/same.bmp"
  cmp -s "$work/plain.bmp" "$work/same.bmp" || fail "$op changed the image"
done

# Every pixel becomes 128 at contrast -128 (the padding of a 1-pixel row stays 0).
expect 0 "$one" contrast:-128,77 --out "$work/grey.bmp"
[ "$(pixels "$work/grey.bmp")" = "128 128 128 0" ] || fail "contrast -128: $(pixels "$work/grey.bmp")"
# The negative curve twice gives the image back; on red alone it leaves green and blue.
expect 0 "$rgb24" curve:0,64,192,255,191,63,0 curve:0,64,192,255,191,63,0 --out "$work/twice.bmp"
cmp -s "$work/plain.bmp" "$work/twice.bmp" || fail "negative curve twice is not the identity"
expect 0 "$one" tone:-128,-128,-128 tone:-128,-128,-128 tone:128,0,0 --out "$work/red.bmp"
[ "$(pixels "$work/red.bmp")" = "0 0 128 0" ] || fail "tone: $(pixels "$work/red.bmp")"
expect 0 "$one" tone:-128,-128,-128 tone:-128,-128,-128 tone:10,10,10 curve:1,64,192,255,191,63,0 --out "$work/cyan.bmp"
[ "$(pixels "$work/cyan.bmp")" = "10 10 245 0" ] || fail "red curve: $(pixels "$work/cyan.bmp")"

# 24-bit-only operations refuse 8- and 32-bit images with the three-line message; the
# converting ones accept them.
for input in "$data/bmp/valid/8bit_13x7_odd.bmp" "$data/bmp/valid/32bit_7x5_bgrx.bmp"; do
  for op in curve:0,64,192,0,64,192,255 tone:1,1,1 contrast:1,1; do
    expect 4 "$input" "$op" --out "$work/never.bmp"
    [ ! -e "$work/never.bmp" ] || fail "$op on $input wrote an output"
    [ "$(wc -l <"$work/err")" -eq 3 ] || fail "$op on $input: message is not three lines"
  done
  for op in vivid:20 gamma:-20; do expect 0 "$input" "$op" --out "$work/ok.bmp"; done
done

# Parameter errors name the word.
expect 2 "$rgb24" vivid:51
grep -q "51" "$work/err" || fail "vivid:51 not named"
expect 2 "$rgb24" "curve:$data/constants/p2_zero.tvl"
expect 2 "$rgb24" "curve:$work/missing.tvl"
expect 2 "$rgb24" contrast:0

finish "all tone CLI cases passed"
