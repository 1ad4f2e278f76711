#!/usr/bin/env python3
"""Writes a graphics-heavy presentation as a flat OpenDocument file (.fodp): on every slide a
gradient background, an embedded photo-like picture, a grid of many small gradient shapes and a
title with bullets. Such slides are what make drawing the slide pictures slow; the light decks
in tests/data/decks hold mostly text.

Usage: make_heavy_deck.py SLIDES OUT.fodp
"""
import base64
import struct
import sys
import zlib


def png(width, height, seed):
    """A noisy colour picture (photos do not compress into runs) as PNG bytes."""
    rows = bytearray()
    state = seed * 2654435761 & 0xFFFFFFFF
    for y in range(height):
        rows.append(0)
        for x in range(width):
            state = (state * 1103515245 + 12345) & 0xFFFFFFFF
            noise = state >> 27
            rows += bytes(((x * 255 // width + noise) & 255, (y * 255 // height + noise) & 255,
                           (seed * 37 + noise * 3) & 255))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))


HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:styles>
  <draw:gradient draw:name="Sky" draw:style="linear" draw:start-color="#0b2545"
   draw:end-color="#8da9c4" draw:angle="300" draw:border="0%"/>
  <draw:gradient draw:name="Sun" draw:style="radial" draw:start-color="#ffd166"
   draw:end-color="#ef476f" draw:cx="50%" draw:cy="50%" draw:border="0%"/>
  <draw:gradient draw:name="Sea" draw:style="axial" draw:start-color="#06d6a0"
   draw:end-color="#118ab2" draw:angle="450" draw:border="0%"/>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="PM1"><style:page-layout-properties fo:margin-top="0cm"
   fo:margin-bottom="0cm" fo:margin-left="0cm" fo:margin-right="0cm" fo:page-width="28cm"
   fo:page-height="21cm" style:print-orientation="landscape"/></style:page-layout>
  <style:style style:name="dp1" style:family="drawing-page"><style:drawing-page-properties
   draw:fill="gradient" draw:fill-gradient-name="Sky"/></style:style>
  <style:style style:name="grSun" style:family="graphic"><style:graphic-properties
   draw:stroke="solid" svg:stroke-color="#ffffff" draw:fill="gradient"
   draw:fill-gradient-name="Sun" draw:shadow="visible" draw:shadow-offset-x="0.1cm"
   draw:shadow-offset-y="0.1cm"/></style:style>
  <style:style style:name="grSea" style:family="graphic"><style:graphic-properties
   draw:stroke="none" draw:fill="gradient" draw:fill-gradient-name="Sea"
   draw:opacity="70%"/></style:style>
  <style:style style:name="grPic" style:family="graphic"><style:graphic-properties
   draw:stroke="none" draw:fill="none"/></style:style>
  <style:style style:name="PTitle" style:family="paragraph"><style:text-properties
   fo:font-size="32pt" fo:font-weight="bold" fo:color="#ffffff"/></style:style>
  <style:style style:name="PBody" style:family="paragraph"><style:text-properties
   fo:font-size="20pt" fo:color="#ffffff"/></style:style>
  <text:list-style style:name="Bullets"><text:list-level-style-bullet text:level="1"
   text:bullet-char="&#x25CF;"/></text:list-style>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Plain" style:page-layout-name="PM1"
  draw:style-name="dp1"/></office:master-styles>
 <office:body><office:presentation>
"""


def slide(number, picture):
    shapes = []
    for row in range(6):
        for column in range(10):
            style = "grSun" if (row + column + number) % 2 else "grSea"
            kind = "ellipse" if (row * column + number) % 3 else "rect"
            shapes.append(
                f'   <draw:{kind} draw:style-name="{style}" svg:x="{15 + column * 1.25:.2f}cm" '
                f'svg:y="{8 + row * 2.1:.2f}cm" svg:width="1.1cm" svg:height="1.8cm"/>')
    return f"""  <draw:page draw:name="s{number}" draw:master-page-name="Plain">
   <draw:frame presentation:class="title" svg:x="1cm" svg:y="0.7cm" svg:width="26cm" svg:height="2.5cm">
    <draw:text-box><text:p text:style-name="PTitle">Field survey {number}: sites and samples</text:p></draw:text-box></draw:frame>
   <draw:frame draw:style-name="grPic" svg:x="1cm" svg:y="3.5cm" svg:width="13cm" svg:height="9.75cm">
    <draw:image><office:binary-data>{picture}</office:binary-data></draw:image></draw:frame>
   <draw:frame presentation:class="outline" svg:x="1cm" svg:y="14cm" svg:width="13cm" svg:height="6cm">
    <draw:text-box><text:list text:style-name="Bullets">
     <text:list-item><text:p text:style-name="PBody">Site {number} sampled twice</text:p></text:list-item>
     <text:list-item><text:p text:style-name="PBody">Readings above the seasonal mean</text:p></text:list-item>
    </text:list></draw:text-box></draw:frame>
{chr(10).join(shapes)}
   <presentation:notes><draw:frame presentation:class="notes" svg:x="2cm" svg:y="14cm" svg:width="17cm"
    svg:height="13cm"><draw:text-box><text:p>Notes for survey slide {number}.</text:p></draw:text-box></draw:frame></presentation:notes>
  </draw:page>
"""


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    count = int(sys.argv[1])
    pictures = [base64.b64encode(png(480, 360, seed)).decode() for seed in range(1, 5)]
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        out.write(HEAD)
        for number in range(1, count + 1):
            out.write(slide(number, pictures[number % len(pictures)]))
        out.write(" </office:presentation></office:body>\n</office:document>\n")


if __name__ == "__main__":
    main()
