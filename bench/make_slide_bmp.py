#!/usr/bin/env python3
"""Writes a 24-bit Windows bitmap that looks like a rendered slide: a white page, a coloured
title band with light text strokes, body text lines, a filled circle and a gradient panel.

Usage: make_slide_bmp.py WIDTH HEIGHT OUT.bmp
"""
import struct
import sys


def slide_rows(width, height):
    title_bottom = height // 6
    panel_left, panel_right = width * 6 // 10, width
    panel_top, panel_bottom = height * 3 // 10, height * 8 // 10
    cx, cy, radius = width // 4, height * 7 // 10, height // 8
    white = bytes((255, 255, 255))
    pitch = max(height // 16, 4)
    # The same slide at any size: strokes as wide as one pixel of a 160-pixel rendering.
    stroke = max(width // 160, 1)
    for y in range(height):
        if y < title_bottom:
            row = bytearray(bytes((125, 73, 31)) * width)  # blue, green, red
            if title_bottom // 3 < y < 2 * title_bottom // 3:
                for x in range(width // 10, width * 7 // 10):
                    if (x // stroke) % 3:
                        row[3 * x:3 * x + 3] = bytes((240, 250, 250))
            yield row
            continue
        row = bytearray(white * width)
        # Six lines of body text, glyph strokes scaled with the picture as a renderer scales
        # a slide's text.
        line, within = divmod(y - title_bottom, pitch)
        if line < 6 and pitch // 4 < within < 3 * pitch // 4:
            for x in range(width // 12, width // 2):
                if (x // stroke + line) % 4:
                    row[3 * x:3 * x + 3] = bytes((64, 64, 64))
        dy = y - cy
        if abs(dy) < radius:
            half = int((radius * radius - dy * dy) ** 0.5)
            left, right = max(cx - half, 0), min(cx + half, width)
            row[3 * left:3 * right] = bytes((77, 80, 192)) * (right - left)
        if panel_top <= y < panel_bottom:
            depth = 200 * (y - panel_top) // (panel_bottom - panel_top)
            span = panel_right - panel_left
            panel = bytearray()
            for x in range(span):
                panel += bytes((120, 255 - depth, 255 * x // span))
            row[3 * panel_left:3 * panel_right] = panel
        yield row


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    width, height, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    stride = (3 * width + 3) // 4 * 4
    padding = bytes(stride - 3 * width)
    rows = [bytes(row) + padding for row in slide_rows(width, height)]
    pixels = b"".join(reversed(rows))  # bottom row first
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    main()
