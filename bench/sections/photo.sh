# Photos: a lossless quarter turn of the JPEG beside jpegtran's, and what carrying a photo's tags
# costs a save. Sourced by scripts/bench inside its per-size loop ($img, $cli, $scratch, $runs).

command_group "Whole command: lossless quarter turn, JPEG -> JPEG"
command_row "tavlo-cli turn:right" ours "$cli" "$img.jpg" turn:right --out "$scratch/out.jpg"
command_row "jpegtran -perfect -rotate 90" - jpegtran -perfect -rotate 90 -outfile "$scratch/out.jpg" "$img.jpg"
command_row "tavlo-cli turn:right --reencode" - "$cli" "$img.jpg" turn:right --reencode --out "$scratch/out.jpg"

# A camera's worth of tags: EXIF with GPS and a thumbnail, XMP, IPTC and a comment.
if have exiftool; then
    photo_tagged=$scratch/tagged.jpg
    cp "$img.jpg" "$photo_tagged"
    "$cli" "$img.jpg" shrink:8 --out "$scratch/thumb.jpg"
    exiftool -q -q -overwrite_original -n -Make=Bench -Model=Camera \
        '-DateTimeOriginal=2024:05:01 10:11:12' -GPSLatitude=35.5 -GPSLatitudeRef=N -XMP:Rating=4 \
        -XMP:Creator=Bench -IPTC:Keywords=bench -Comment=bench "-ThumbnailImage<=$scratch/thumb.jpg" \
        "$photo_tagged"
    command_group "Whole command: gamma, tagged JPEG -> JPEG, tags kept or not"
    command_row "tavlo-cli gamma:10" ours "$cli" "$photo_tagged" gamma:10 --out "$scratch/out.jpg"
    command_row "tavlo-cli gamma:10 --no-metadata" - "$cli" "$photo_tagged" gamma:10 --no-metadata --out "$scratch/out.jpg"
    command_group "Whole command: lossless turn, tagged JPEG -> JPEG, tags kept or not"
    command_row "tavlo-cli turn:right" ours "$cli" "$photo_tagged" turn:right --out "$scratch/out.jpg"
    command_row "tavlo-cli turn:right --no-metadata" - "$cli" "$photo_tagged" turn:right --no-metadata --out "$scratch/out.jpg"
else
    row "saves of a tagged photo" - "skipped: exiftool is not installed"
fi
