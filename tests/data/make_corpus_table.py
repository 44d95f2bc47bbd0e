#!/usr/bin/env python3
"""Writes corpus.tsv, the image part of manifest.json in a form the C++ tests read without a
JSON parser. Run from this directory after the corpus changes: python3 make_corpus_table.py

One line per BMP or JPEG file, tab-separated:
  path  type  expect  width  height  format  samples...
width and height are 0 and format is '-' when the manifest gives none. format is the expected
PixelFormat name. Each sample is x,y,tol,r,g,b[,r,g,b...]: y counts from the top, and a pixel
matches when it is within tol of any of the listed colours.
"""
import json
import pathlib

HERE = pathlib.Path(__file__).resolve().parent

BMP_FORMATS = {
    "1bit": "Bit1", "4bit": "Bit4", "8bit": "Bit8", "15bit": "Bit15", "16bit": "Bit16",
    "24bit": "Bit24", "32bit": "Bit32", "custom": "Custom",
}
JPEG_FORMATS = {"8-bit greyscale": "Bit8", "24-bit colour": "Bit24"}


def expected_format(entry):
    if entry["type"] == "bmp":
        return BMP_FORMATS[entry["color_class"]] if "color_class" in entry else "-"
    return JPEG_FORMATS[entry["decodes_to"]] if "decodes_to" in entry else "-"


def sample_token(sample):
    colours = [sample["rgb"]] + [c for c in sample.get("any_of", []) if c != sample["rgb"]]
    numbers = [sample["x"], sample["y"], sample["tol"]] + [v for c in colours for v in c]
    return ",".join(str(n) for n in numbers)


def main():
    manifest = json.loads((HERE / "manifest.json").read_text())
    lines = []
    for entry in manifest["files"]:
        if entry["type"] not in ("bmp", "jpeg"):
            continue
        fields = [entry["path"], entry["type"], entry["expect"], str(entry.get("width", 0)),
                  str(entry.get("height", 0)), expected_format(entry)]
        fields += [sample_token(s) for s in entry.get("samples", [])]
        lines.append("\t".join(fields))
    (HERE / "corpus.tsv").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
