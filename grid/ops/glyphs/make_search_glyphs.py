#!/usr/bin/env python3
"""Draws the search footer's button pictures (arrows, close cross, highlight marker) as PNG.

Every picture keeps its bottom-left pixel in the key colour, which the buttons draw transparent.
Run from this folder; the pictures are committed, so the build does not need Python.
"""
import struct
import zlib

KEY = (255, 0, 255)
BLACK = (0, 0, 0)
GREY = (160, 160, 160)


def png(name, pixels):
    h = len(pixels)
    w = len(pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(name + ".png", "wb") as f:
        f.write(data)


def canvas(w, h):
    return [[KEY for _ in range(w)] for _ in range(h)]


def arrow(down, colour):
    px = canvas(12, 12)
    # shaft
    for y in range(1, 7) if down else range(5, 11):
        for x in (5, 6):
            px[y][x] = colour
    # head
    for step in range(5):
        y = 6 + step if down else 5 - step
        for x in range(1 + step, 11 - step):
            px[y][x] = colour
    return px


def cross(colour, back=None):
    px = canvas(14, 14)
    if back:
        for y in range(1, 13):
            for x in range(1, 13):
                px[y][x] = back
    for i in range(3, 11):
        for k in (0, 1):
            px[i][min(13, i + k)] = colour
            px[i][max(0, 13 - i - k)] = colour
    return px


def marker(enabled):
    px = canvas(14, 14)
    fill = (0, 230, 255) if enabled else (215, 215, 215)
    edge = BLACK if enabled else GREY
    # a slanted highlighter tip over a bar
    for y in range(2, 9):
        for x in range(4 + (8 - y) // 2, 10 + (8 - y) // 2):
            px[y][x] = fill
    for y in range(2, 9):
        px[y][4 + (8 - y) // 2] = edge
        px[y][9 + (8 - y) // 2] = edge
    for x in range(1, 13):
        px[11][x] = fill
        px[12][x] = fill
    return px


png("ESGARDOWN", arrow(True, BLACK))
png("ESGARDOWND", arrow(True, GREY))
png("ESGARUP", arrow(False, BLACK))
png("ESGARUPD", arrow(False, GREY))
png("ESGCLOSEH", cross((192, 0, 0)))
png("ESGCLOSED", cross(BLACK, (200, 200, 200)))
png("ESGHI", marker(True))
png("ESGHID", marker(False))
