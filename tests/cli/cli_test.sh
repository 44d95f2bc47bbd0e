#!/usr/bin/env bash
# Batch-tool cases: exit statuses, one-line errors, --info texts, round trips, atomic output.
# Usage: cli_test.sh TAVLO_CLI DATA_DIR
. "$(dirname "$0")/cli_support.sh"

# --info shows the nine status panels.
expect 0 "$data/bmp/valid/1bit_8x8.bmp" --info
[ "$(sed -n 1p "$work/out")" = "W = 8" ] || fail "panel 0: $(sed -n 1p "$work/out")"
[ "$(sed -n 3p "$work/out")" = "W/H = 1.00000" ] || fail "panel 2: $(sed -n 3p "$work/out")"
[ "$(sed -n 4p "$work/out")" = "表示ｽｹｰﾙ : 1/1" ] || fail "panel 3: $(sed -n 4p "$work/out")"
[ "$(sed -n 5p "$work/out")" = "1BIT_8X8.BMP" ] || fail "panel 4: $(sed -n 5p "$work/out")"
[ "$(sed -n 8p "$work/out")" = "２色" ] || fail "panel 7: $(sed -n 8p "$work/out")"
[ "$(sed -n 9p "$work/out")" = "　JPG圧縮度：50  / BMP保存形式：(24bits)" ] || fail "panel 8"
[ "$(wc -l <"$work/out")" -eq 9 ] || fail "--info printed $(wc -l <"$work/out") lines"

expect 0 "$data/jpeg/valid/grey_64x48.jpg" --info --quality 75 --bits 8
[ "$(sed -n 8p "$work/out")" = "(8bits)" ] || fail "JPEG colour panel: $(sed -n 8p "$work/out")"
[ "$(sed -n 9p "$work/out")" = "　JPG圧縮度：75  / BMP保存形式：(8bits)" ] || fail "quality panel"

# Usage and parameter errors: 2, naming the bad word.
expect 2
expect 2 "$data/bmp/valid/1bit_8x8.bmp" --bits 16
grep -q "16" "$work/err" || fail "--bits error does not name 16"
expect 2 "$data/bmp/valid/1bit_8x8.bmp" --quality 101
expect 2 "$data/bmp/valid/1bit_8x8.bmp" --out "$work/x.png"
expect 2 "$data/bmp/valid/1bit_8x8.bmp" sparkle:3
grep -q "sparkle" "$work/err" || fail "unknown operation not named"
expect 2 "$data/bmp/valid/1bit_8x8.bmp" --frobnicate

# Unreadable input: 3, for bad data, a missing file and a refused type alike.
for bad in "$data"/bmp/invalid/bomb_100000x100000_24bit.bmp "$data"/jpeg/invalid/bmp_renamed.jpg \
  "$work/missing.bmp" "$data/constants/default.tvl"; do
  expect 3 "$bad" --out "$work/never.bmp"
  [ ! -e "$work/never.bmp" ] || fail "$bad produced an output"
done

# Round trips keep every pixel at 8, 24 and 32 bits.
for bits in 8 24 32; do
  expect 0 "$data/bmp/valid/8bit_16x16.bmp" --bits "$bits" --out "$work/a$bits.bmp"
  expect 0 "$work/a$bits.bmp" --bits "$bits" --out "$work/b$bits.bmp"
  cmp -s "$work/a$bits.bmp" "$work/b$bits.bmp" || fail "$bits-bit round trip changed the file"
  expect 0 "$work/b$bits.bmp" --info
  want=$([ "$bits" = 8 ] && echo "256色" || ([ "$bits" = 24 ] && echo "16.8Ｍ色" || echo "4.3G色"))
  [ "$(sed -n 8p "$work/out")" = "$want" ] || fail "$bits-bit colour count: $(sed -n 8p "$work/out")"
done

# JPEG output at two qualities: both decode, the higher is larger.
expect 0 "$data/jpeg/valid/baseline_444_64x48.jpg" --quality 10 --out "$work/q10.jpg"
expect 0 "$data/jpeg/valid/baseline_444_64x48.jpg" --quality 95 --out "$work/q95.JPG"
expect 0 "$work/q95.JPG" --info
[ "$(stat -c %s "$work/q10.jpg")" -lt "$(stat -c %s "$work/q95.JPG")" ] || fail "quality ignored"

# A failed write: 5 (cli_files_test.sh has the cases of modes and owners).
expect 5 "$data/bmp/valid/8bit_16x16.bmp" --out "$work/no/such/folder/out.bmp"

finish "all batch-tool cases passed"
