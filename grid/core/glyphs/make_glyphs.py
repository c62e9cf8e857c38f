#!/usr/bin/env python3
"""Draws the grid's glyph pictures (check boxes, radio buttons, node, filter and close marks) as PNG.

Every picture keeps its bottom-left pixel in the key colour, which the grid draws transparent.
Run from this folder; the pictures are committed, so the build does not need Python.
"""
import struct
import zlib

KEY = (255, 0, 255)


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


def rect(px, l, t, r, b, colour):
    for y in range(t, b + 1):
        for x in range(l, r + 1):
            px[y][x] = colour


def frame(px, l, t, r, b, colour):
    for x in range(l, r + 1):
        px[t][x] = px[b][x] = colour
    for y in range(t, b + 1):
        px[y][l] = px[y][r] = colour


def tick(px, dx, dy, colour):
    points = [(0, 3), (1, 4), (2, 5), (3, 4), (4, 3), (5, 2), (6, 1)]
    for x, y in points:
        for k in range(2):
            px[dy + y + k][dx + x] = colour


def check(checked, enabled, xp):
    px = canvas(15, 15)
    border = (28, 81, 128) if xp else (0, 0, 0)
    if not enabled:
        border = (160, 160, 160)
    face = (255, 255, 255) if enabled else (230, 230, 230)
    rect(px, 1, 1, 13, 13, face)
    frame(px, 1, 1, 13, 13, border)
    if xp and enabled:
        rect(px, 3, 3, 11, 11, (236, 240, 244))
    if checked:
        tick(px, 4, 3, (33, 161, 33) if xp and enabled else border)
    return px


def radio(checked, enabled, xp):
    px = canvas(16, 16)
    border = (28, 81, 128) if xp else (0, 0, 0)
    if not enabled:
        border = (160, 160, 160)
    face = (255, 255, 255) if enabled else (230, 230, 230)
    for y in range(16):
        for x in range(16):
            d = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d <= 36:
                px[y][x] = face
            elif d <= 49:
                px[y][x] = border
            if checked and d <= 9:
                px[y][x] = (33, 161, 33) if xp and enabled else border
    return px


def node(open_, leaf):
    px = canvas(9 if not leaf else 16, 9 if not leaf else 16)
    n = len(px)
    rect(px, 0, 0, n - 2, n - 2, (255, 255, 255))
    frame(px, 0, 0, n - 2, n - 2, (120, 152, 181) if not leaf else (96, 128, 64))
    mid = (n - 2) // 2
    for x in range(2, n - 3):
        px[mid][x] = (0, 0, 0)
    if not open_:
        for y in range(2, n - 3):
            px[y][mid] = (0, 0, 0)
    return px


def filt():
    px = canvas(16, 16)
    colour = (64, 64, 64)
    for row, (l, r) in enumerate([(2, 13), (3, 12), (4, 11), (5, 10), (6, 9)]):
        for x in range(l, r + 1):
            px[3 + row][x] = colour
    rect(px, 7, 8, 8, 12, colour)
    return px


def close():
    px = canvas(14, 14)
    for i in range(3, 11):
        for k in (0, 1):
            px[i][min(13, i + k)] = (0, 0, 0)
            px[i][max(0, 13 - i - k)] = (0, 0, 0)
    return px


def metro_check(checked):
    px = canvas(16, 16)
    rect(px, 1, 1, 14, 14, (255, 255, 255))
    frame(px, 1, 1, 14, 14, (112, 112, 112))
    if checked:
        rect(px, 4, 4, 11, 11, (51, 51, 51))
    return px


def metro_radio(on):
    px = canvas(16, 16)
    for y in range(16):
        for x in range(16):
            d = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d <= 42:
                px[y][x] = (112, 112, 112) if d > 30 else (255, 255, 255)
            if on and d <= 9:
                px[y][x] = (51, 51, 51)
    return px


# Resource order: checked enabled, unchecked enabled, checked disabled, unchecked disabled.
states = [(True, True), (False, True), (True, False), (False, False)]
for i, (c, e) in enumerate(states):
    png("ESGCHK%02d" % (i + 1), check(c, e, False))
    png("ESGCHK%02d" % (i + 5), check(c, e, True))
    png("ESGRAD%02d" % (i + 1), radio(c, e, False))
    png("ESGRAD%02d" % (i + 5), radio(c, e, True))
png("XPNODEO", node(True, False))
png("XPNODEC", node(False, False))
png("ESGLEAFOPEN", node(True, True))
png("ESGLEAFCLOSE", node(False, True))
png("ESGFILT", filt())
png("ESGCLOSE", close())
png("METROCHECKON", metro_check(True))
png("METROCHECKOFF", metro_check(False))
png("METRORADIOON", metro_radio(True))
png("METRORADIOOFF", metro_radio(False))
