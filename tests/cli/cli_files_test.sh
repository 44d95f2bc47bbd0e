#!/usr/bin/env bash
# Batch-tool cases of files and memory: saves that keep modes and refuse read-only targets, as
# root and as "nobody"; inputs that are not regular files or are too large for any image; results
# above the pixel limit and runs short of memory; --info after the operations; .jpeg and .jpe.
# Usage: cli_files_test.sh TAVLO_CLI DATA_DIR   (TAVLO_SANITIZED=ON for an instrumented tool)
. "$(dirname "$0")/cli_support.sh"

size_of() { od -An -v -tu4 -j18 -N8 "$1" | awk '{print $1 "x" $2}'; }
mode_of() { stat -c %a "$1"; }
line() { sed -n "$1p" "$work/out"; }
echo keep >"$work/keep.txt"
kept() { cmp -s "$1" "$work/keep.txt"; }
photo=$data/bmp/valid/24bit_13x7_odd.bmp
tool=$cli

# wrap NAME COMMAND...: a script that runs COMMAND with the tool's arguments, for `expect`.
wrap() {
  local name=$1
  shift
  { echo '#!/usr/bin/env bash'; printf '%q ' "$@"; echo '"$@"'; } >"$work/$name"
  chmod 755 "$work/$name"
}

# expect_refusal ARGS...: exit 4 with one line, and a target that stays as it was.
expect_refusal() {
  echo keep >"$work/kept.bmp"
  expect 4 "$@" --out "$work/kept.bmp"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$* wrote $(wc -l <"$work/err") lines"
  kept "$work/kept.bmp" || fail "$* changed the target"
}

# --info tells the result of the operations; the written file agrees.
expect 0 "$data/bmp/valid/24bit_1x9_column.bmp" turn:right --info --out "$work/row.bmp"
[ "$(line 1) $(line 2) $(line 3)" = "W = 9 H = 1 W/H = 9.00000" ] ||
  fail "--info after turn:right: $(line 1) $(line 2) $(line 3)"
[ "$(size_of "$work/row.bmp")" = 9x1 ] || fail "turn:right wrote $(size_of "$work/row.bmp")"

# .jpeg and .jpe are JPEG files, in and out.
cp "$data/jpeg/valid/baseline_444_64x48.jpg" "$work/photo.jpeg"
expect 0 "$work/photo.jpeg" --out "$work/copy.JPE"
[ "$(head -c 2 "$work/copy.JPE" | od -An -tx1 | tr -d ' ')" = ffd8 ] || fail ".jpe not written as JPEG"
expect 0 "$work/copy.JPE" --info
[ "$(line 1)" = "W = 64" ] || fail ".jpe not read as JPEG: $(line 1)"

# Inputs that are not regular files, or larger than any image may be, are refused at once: a
# FIFO opened for reading would wait for a writer forever.
mkfifo "$work/pipe.bmp"
mkdir "$work/folder.bmp"
truncate -s 40G "$work/huge.bmp"
truncate -s 40G "$work/huge.jpg"
wrap guarded timeout 60 "$tool"
cli=$work/guarded
for bad in pipe.bmp folder.bmp huge.bmp huge.jpg; do
  expect 3 "$work/$bad" --out "$work/never.bmp"
  grep -qE "not a regular file|too large" "$work/err" || fail "$bad: $(cat "$work/err")"
  [ ! -e "$work/never.bmp" ] || fail "$bad produced an output"
done
cli=$tool

# A result above the pixel limit and a run short of memory are refusals (4) that say so.
expect_refusal "$photo" resize:20000x20000
grep -q "20000 x 20000 .*268435456" "$work/err" || fail "limit refusal: $(cat "$work/err")"
if [ "${TAVLO_SANITIZED:-OFF}" = ON ]; then
  # The sanitizer's shadow memory cannot start under an address-space limit: cap allocations,
  # and keep its note of the refused one off stderr (a real error still fails by exit status).
  capped="allocator_may_return_null=1:max_allocation_size_mb=200:log_path=$work/sanitizer"
  wrap limited env "ASAN_OPTIONS=${ASAN_OPTIONS:-}:$capped" "$tool"
else
  wrap limited prlimit --as=$((200 << 20)) "$tool"
fi
cli=$work/limited
expect_refusal "$photo" resize:16000x16000
grep -q "out of memory" "$work/err" || fail "memory refusal: $(cat "$work/err")"
cli=$tool

# Saves, seen from the writer: its own private file keeps its mode; a read-only one is refused
# (5) and left byte for byte, as is a file in a folder the writer may not write. Root saves as
# itself and as "nobody". (file_io_test.cpp has the other modes, owners, groups and links.)
writers=(self)
[ "$(id -u)" -eq 0 ] && writers+=(nobody)
chmod 755 "$work"
cp "$tool" "$work/tavlo-cli.bin"
for writer in "${writers[@]}"; do
  out=$work/out-$writer
  mkdir "$out"
  cli=$tool
  if [ "$writer" = nobody ]; then
    chown nobody:nogroup "$out"
    wrap "as-$writer" setpriv --reuid=nobody --regid=nogroup --clear-groups "$work/tavlo-cli.bin"
    cli=$work/as-$writer
  fi
  cp "$photo" "$out/in.bmp" && chmod 644 "$out/in.bmp"
  for mode in 600 444; do
    target=$out/m$mode.bmp
    echo keep >"$target"
    [ "$writer" = nobody ] && chown nobody:nogroup "$target"
    chmod "$mode" "$target"
    if [ "$mode" = 600 ]; then
      expect 0 "$out/in.bmp" --out "$target"
      [ "$(size_of "$target")" = 13x7 ] || fail "$writer: mode $mode: not written"
    else
      expect 5 "$out/in.bmp" --out "$target"
      kept "$target" || fail "$writer: read-only $mode file changed"
    fi
    [ "$(mode_of "$target")" = "$mode" ] || fail "$writer: mode $mode became $(mode_of "$target")"
  done
  if [ "$writer" = nobody ] || [ "$(id -u)" -ne 0 ]; then
    mkdir "$out/locked" && echo keep >"$out/locked/out.bmp" && chmod a-w "$out/locked"
    expect 5 "$out/in.bmp" --out "$out/locked/out.bmp"
    kept "$out/locked/out.bmp" || fail "$writer: a failed write damaged the existing file"
    chmod u+w "$out/locked"
  fi
done

# Photos: set upright on load unless --as-stored; an untouched one turned on load is written from
# its own blocks unless --reencode, as jpegtran -perfect turns it; its tags go along unless
# --no-metadata, with the orientation reset.
cli=$tool
plain=$data/jpeg/valid/baseline_420_64x48.jpg
cp "$plain" "$work/photo.jpg"
exiftool -q -q -overwrite_original -n -Orientation=6 -Make=Canon "$work/photo.jpg"
expect 0 "$work/photo.jpg" --info
[ "$(line 1)/$(line 2)" = "W = 48/H = 64" ] || fail "orientation 6 not applied: $(line 1)"
expect 0 "$work/photo.jpg" --as-stored --info
[ "$(line 1)" = "W = 64" ] || fail "--as-stored turned the picture: $(line 1)"
jpegtran -perfect -rotate 90 -outfile "$work/jpegtran.jpg" "$plain"
djpeg -outfile "$work/jpegtran.ppm" "$work/jpegtran.jpg"
expect 0 "$work/photo.jpg" --out "$work/upright.jpg"
djpeg -outfile "$work/upright.ppm" "$work/upright.jpg"
cmp -s "$work/upright.ppm" "$work/jpegtran.ppm" || fail "the upright save was not lossless"
[ "$(exiftool -s3 -n -Orientation -Make "$work/upright.jpg" | tr '\n' ' ')" = "1 Canon " ] ||
  fail "tags of the upright save: $(exiftool -s3 -n -Orientation -Make "$work/upright.jpg")"
expect 0 "$work/photo.jpg" --reencode --out "$work/reencoded.jpg"
djpeg -outfile "$work/reencoded.ppm" "$work/reencoded.jpg"
cmp -s "$work/reencoded.ppm" "$work/jpegtran.ppm" && fail "--reencode still turned without loss"
expect 0 "$work/photo.jpg" --no-metadata --out "$work/bare.jpg"
[ -z "$(exiftool -s3 -Make -Orientation "$work/bare.jpg")" ] || fail "--no-metadata kept tags"

finish "all batch-tool file and memory cases passed"
