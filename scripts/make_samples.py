#!/usr/bin/env python3
"""Generates the sample pictures of samples/: our own small scenes in the four kinds the show
reads. The raster pictures are drawn with ImageMagick; the metafile is written byte by byte
here (a placeable WMF: the 22-byte placeable header, then the metafile itself).

    scripts/make_samples.py [FOLDER]     (default: samples/ beside this script's folder)
"""

import os
import struct
import subprocess
import sys


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def raster_samples(folder):
    # A sunset over the sea, 8-bit BMP: the show's stretched full-screen case.
    convert("-size", "320x240", "gradient:#1a0d4d-#ff9a3c",
            "-fill", "#ffe08a", "-draw", "circle 160,150 160,118",
            "-fill", "#103a5c", "-draw", "rectangle 0,160 319,239",
            "-fill", "#f3b46a", "-draw", "rectangle 110,168 210,171",
            "-fill", "#e79a52", "-draw", "rectangle 130,180 190,182",
            "-type", "Palette", "-colors", "64", "-compress", "none",
            "BMP3:" + os.path.join(folder, "sunset.bmp"))
    # Checks and rings, GIF: sharp edges, few colours.
    convert("-size", "256x256", "pattern:checkerboard", "-auto-level",
            "+level-colors", "#2a6f3f,#d9e8c4",
            "-stroke", "#b3261e", "-strokewidth", "10", "-fill", "none",
            "-draw", "circle 128,128 128,40", "-draw", "circle 128,128 128,84",
            os.path.join(folder, "rings.gif"))
    # Rolling hills, landscape JPEG.
    convert("-size", "400x260", "gradient:#7ec8f0-#e8f6ff",
            "-fill", "#4f8a3a", "-draw", "ellipse 90,300 200,120 0,360",
            "-fill", "#6ea84a", "-draw", "ellipse 320,320 230,130 0,360",
            "-fill", "#ffffff", "-draw", "ellipse 300,60 40,14 0,360",
            "-draw", "ellipse 330,52 30,12 0,360",
            "-quality", "80", os.path.join(folder, "hills.jpg"))
    # A tall tower of stripes, portrait JPEG: fitted to the screen height.
    convert("-size", "180x300", "gradient:#301860-#a0d0ff",
            "-fill", "#f0f0f0", "-draw", "rectangle 70,60 110,299",
            "-fill", "#c0392b", "-draw", "rectangle 70,100 110,120",
            "-draw", "rectangle 70,160 110,180", "-draw", "rectangle 70,220 110,240",
            "-fill", "#ffd34d", "-draw", "polygon 60,60 120,60 90,20",
            "-quality", "80", os.path.join(folder, "tower.jpg"))


# --- the metafile --------------------------------------------------------------------------

def record(function, *words):
    """One metafile record: its size in 16-bit words, the function number, the parameters."""
    return struct.pack(f"<IH{len(words)}H", 3 + len(words), function, *(w & 0xFFFF for w in words))


def colorref(rgb):
    r, g, b = rgb
    return r | g << 8 | b << 16


def brush(rgb):
    # CreateBrushIndirect: style solid, colour, hatch.
    c = colorref(rgb)
    return record(0x02FC, 0, c & 0xFFFF, c >> 16, 0)


def pen(rgb, width=1):
    # CreatePenIndirect: style solid, width as a point, colour.
    c = colorref(rgb)
    return record(0x02FA, 0, width, 0, c & 0xFFFF, c >> 16)


def select(index):
    return record(0x012D, index)


def delete(index):
    return record(0x01F0, index)


def rectangle(left, top, right, bottom):
    return record(0x041B, bottom, right, top, left)


def ellipse(left, top, right, bottom):
    return record(0x0418, bottom, right, top, left)


def polygon(points):
    words = [len(points)]
    for x, y in points:
        words += [x, y]
    return record(0x0324, *words)


def metafile(width, height, shapes):
    """A placeable metafile of width x height logical units at 96 per inch."""
    body = [record(0x020B, 0, 0),                  # SetWindowOrg(y, x)
            record(0x020C, height, width)]          # SetWindowExt(y, x)
    objects = 0
    for colour, draw in shapes:
        # Each shape: a fresh pen and brush in its colour (slots 0 and 1), drawn, deleted.
        body += [pen(colour), brush(colour), select(0), select(1), draw, delete(0), delete(1)]
        objects = 2
    body.append(record(0x0000))                    # end of file
    records = b"".join(body)
    size_words = (18 + len(records)) // 2
    largest = max(len(r) // 2 for r in body)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, size_words, objects, largest, 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, width, height, 96, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", placeable):
        checksum ^= word
    return placeable + struct.pack("<H", checksum) + header + records


def wmf_sample(folder):
    w, h = 320, 240
    shapes = [
        ((40, 60, 120), rectangle(0, 0, w, h)),                        # night sky
        ((250, 240, 200), ellipse(230, 30, 280, 80)),                  # moon
        ((60, 60, 80), polygon([(0, 200), (70, 110), (140, 200)])),    # mountains
        ((80, 80, 110), polygon([(100, 200), (190, 90), (290, 200)])),
        ((230, 230, 240), polygon([(171, 112), (190, 90), (209, 112), (190, 118)])),
        ((20, 90, 60), rectangle(0, 195, w, h)),                       # meadow
        ((200, 40, 40), ellipse(40, 205, 70, 225)),                    # a red flower bed
    ]
    with open(os.path.join(folder, "mountains.wmf"), "wb") as f:
        f.write(metafile(w, h, shapes))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "samples")
    os.makedirs(folder, exist_ok=True)
    raster_samples(folder)
    wmf_sample(folder)
    total = 0
    for name in sorted(os.listdir(folder)):
        size = os.path.getsize(os.path.join(folder, name))
        total += size
        print(f"{name:16} {size:7} bytes")
    print(f"{'total':16} {total:7} bytes")


if __name__ == "__main__":
    main()
