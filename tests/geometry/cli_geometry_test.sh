#!/usr/bin/env bash
# Batch-tool cases of the geometry operations: round trips read back byte for byte, result sizes
# from the written headers, refusals and argument errors.
# Usage: cli_geometry_test.sh TAVLO_CLI DATA_DIR
. "$(dirname "$0")/../cli/cli_support.sh"

# Width and height from a BMP header, as "WxH".
size_of() { od -An -v -tu4 -j18 -N8 "$1" | awk '{print $1 "x" $2}'; }

valid=$data/bmp/valid
rgb24=$valid/24bit_13x7_odd.bmp

# Round trips give the file that a trim to the whole image gives (which also clears the row
# padding the input file may have filled), in the format each image already has.
for case in "$valid/8bit_13x7_odd.bmp 8" "$rgb24 24" "$valid/32bit_7x5_bgrx.bmp 32" \
  "$valid/24bit_1x9_column.bmp 24" "$valid/24bit_51x1_row.bmp 24"; do
  set -- $case
  whole=$(size_of "$1" | awk -Fx '{print "0,0," $1 - 1 "," $2 - 1}')
  expect 0 "$1" "trim:$whole" --bits "$2" --out "$work/plain.bmp"
  for trip in "turn:right turn:right turn:right turn:right" "turn:left turn:right" \
    "turn:half turn:half" "turn:mirror turn:mirror" "turn:flip turn:flip" \
    "turn:mirror turn:flip turn:half" "shrink:1"; do
    # shellcheck disable=SC2086
    expect 0 "$1" $trip --bits "$2" --out "$work/trip.bmp"
    cmp -s "$work/plain.bmp" "$work/trip.bmp" || fail "$trip changed $1"
  done
done

# Result sizes.
while read -r ops want; do
  # shellcheck disable=SC2086
  expect 0 "$rgb24" $ops --out "$work/sized.bmp"
  got=$(size_of "$work/sized.bmp")
  [ "$got" = "$want" ] || fail "$ops gave $got, expected $want"
done <<'ROWS'
turn:right 7x13
turn:left 7x13
shrink:2 6x3
shrink:4 3x1
resize:40x3 40x3
rotate:90 8x14
keystone:both:-100 13x7
shear:50 19x7
shear:-100 26x7
trim:10,5,12,6 3x2
trim:0,0,12,6 13x7
wallpaper:5x3 5x3
wallpaper:13x7@0,0 13x7
ROWS

# A one-pixel cut at (3,2) is the pixel a mirror moves to (9,2).
expect 0 "$rgb24" trim:3,2,3,2 --out "$work/a.bmp"
expect 0 "$rgb24" turn:mirror trim:9,2,9,2 --out "$work/b.bmp"
cmp -s "$work/a.bmp" "$work/b.bmp" || fail "trim picks the wrong pixel"

# Formats the moves refuse: the three-line message and nothing written; resizing takes any.
for op in turn:right rotate:10 keystone:right:10 shear:10 trim:0,0,1,1; do
  expect 4 "$valid/16bit_565_13x7_bitfields.bmp" "$op" --out "$work/never.bmp"
  [ ! -e "$work/never.bmp" ] || fail "$op on 16 bits wrote an output"
  [ "$(wc -l <"$work/err")" -eq 3 ] || fail "$op on 16 bits: message is not three lines"
done
expect 0 "$valid/16bit_565_13x7_bitfields.bmp" shrink:2 --out "$work/ok.bmp"
expect 0 "$valid/4bit_7x5_odd.bmp" resize:3x3 --out "$work/ok.bmp"

# Argument errors and sizes the image cannot give: exit 2, the word named, nothing written.
while read -r op word; do
  expect 2 "$rgb24" "$op" --out "$work/never.bmp"
  [ ! -e "$work/never.bmp" ] || fail "$op wrote an output"
  grep -qF -- "$word" "$work/err" || fail "$op: '$word' not named: $(cat "$work/err")"
done <<'ROWS'
shrink:8 8
shrink:3 3
resize:0x5 0
rotate:180 180
keystone:top:5 top
shear:101 101
trim:0,0,13,6 0,0,13,6
trim:5,0,4,6 5,0,4,6
wallpaper:640x480 640x480
wallpaper:100x100 100x100
turn:around around
ROWS

finish "all geometry CLI cases passed"
