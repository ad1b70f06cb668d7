#!/usr/bin/env python3
"""Palette encoders for the program's pictures: Windows icons and bitmaps.

ImageMagick writes icons and bitmaps at whatever depth it sees fit; the window needs exact ones
(4-bit icons with an AND mask, 4-bit and 8-bit bitmaps), so this small encoder writes them from
the PNGs that rsvg-convert renders. Standard library only.

  encode.py ico  OUT.ico  IN-32.png IN-16.png [...]   one 4-bit image per input, with AND mask
  encode.py bmp4 OUT.bmp  IN.png [--background RRGGBB]
  encode.py bmp8 OUT.bmp  IN.png [--background RRGGBB]
"""

import struct
import sys
import zlib

# Pixels at least this opaque are drawn; the rest fall under the icon's transparency mask.
ALPHA_CUT = 128


def read_png(path):
    """Decodes an 8-bit RGB or RGBA, non-interlaced PNG into (width, height, [(r, g, b, a)])."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, bytearray(), None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind = data[pos + 4 : pos + 8]
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    if header is None:
        raise ValueError(f"{path}: no PNG header")
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise ValueError(f"{path}: only 8-bit RGB(A) non-interlaced PNGs are read")
    channels = 4 if colour_type == 6 else 3
    raw = zlib.decompress(bytes(idat))
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = prev[i]
            upleft = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else upleft)
                line[i] = (line[i] + pred) & 0xFF
            elif kind != 0:
                raise ValueError(f"{path}: unknown PNG filter {kind}")
        rows.append(line)
        prev = line
    pixels = []
    for line in rows:
        for x in range(width):
            px = line[x * channels : (x + 1) * channels]
            pixels.append((px[0], px[1], px[2], px[3] if channels == 4 else 255))
    return width, height, pixels


def distance(a, b):
    # Weighted RGB distance: the eye tells greens apart best and blues least.
    dr, dg, db = a[0] - b[0], a[1] - b[1], a[2] - b[2]
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db


def quantize(colours, limit):
    """Chooses at most `limit` palette colours for the given pixel colours.

    Median cut gives the starting boxes, weighted k-means refines them, and a cluster that is
    mostly one exact colour keeps that colour, so that the flat fills of a drawing stay exact and
    only the anti-aliased blends are approximated.
    """
    histogram = {}
    for c in colours:
        histogram[c] = histogram.get(c, 0) + 1
    if len(histogram) <= limit:
        return sorted(histogram)

    boxes = [list(histogram.items())]
    while len(boxes) < limit:
        best, best_score, best_axis = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                values = [c[axis] for c, _ in box]
                weight = sum(n for _, n in box)
                score = (max(values) - min(values)) * weight
                if score > best_score:
                    best, best_score, best_axis = i, score, axis
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][best_axis])
        total, running, cut = sum(n for _, n in box), 0, 1
        for j, (_, n) in enumerate(box):
            running += n
            if running * 2 >= total:
                cut = min(max(j + 1, 1), len(box) - 1)
                break
        boxes += [box[:cut], box[cut:]]

    def mean(items):
        weight = sum(n for _, n in items)
        return tuple(round(sum(c[k] * n for c, n in items) / weight) for k in range(3))

    centres = [mean(box) for box in boxes]
    for _ in range(20):
        clusters = [[] for _ in centres]
        for c, n in histogram.items():
            nearest = min(range(len(centres)), key=lambda i: distance(c, centres[i]))
            clusters[nearest].append((c, n))
        moved = [mean(cl) if cl else centres[i] for i, cl in enumerate(clusters)]
        if moved == centres:
            break
        centres = moved

    for i, cluster in enumerate(clusters):
        if not cluster:
            continue
        colour, n = max(cluster, key=lambda item: item[1])
        if n * 2 >= sum(m for _, m in cluster):
            centres[i] = colour
    return sorted(set(centres))


def nearest_index(palette, colour, cache):
    if colour not in cache:
        cache[colour] = min(range(len(palette)), key=lambda i: distance(colour, palette[i]))
    return cache[colour]


def pack_rows(indices, width, height, bits):
    """Bottom-up rows of `bits`-per-pixel indices, each padded to four bytes."""
    per_byte = 8 // bits
    row_bytes = ((width * bits + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(row_bytes)
        for x in range(width):
            shift = 8 - bits * (x % per_byte + 1)
            row[x // per_byte] |= indices[y * width + x] << shift
        out += row
    return bytes(out)


def palette_bytes(palette, entries):
    padded = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in padded)


def info_header(width, height, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)


def icon_image(path):
    """One 4-bit icon image: header, 16-entry palette, colour rows, AND mask rows."""
    width, height, pixels = read_png(path)
    opaque = [p[:3] for p in pixels if p[3] >= ALPHA_CUT]
    if not opaque:
        raise ValueError(f"{path}: nothing opaque to draw")
    # Slot 0 is black: the masked pixels carry it, as the icon format expects (screen XOR 0).
    palette = [(0, 0, 0)] + [c for c in quantize(opaque, 15) if c != (0, 0, 0)]
    cache = {}
    indices = [nearest_index(palette, p[:3], cache) if p[3] >= ALPHA_CUT else 0 for p in pixels]
    mask = [0 if p[3] >= ALPHA_CUT else 1 for p in pixels]
    colour_rows = pack_rows(indices, width, height, 4)
    mask_rows = pack_rows(mask, width, height, 1)
    body = colour_rows + mask_rows
    header = info_header(width, height * 2, 4, 16, len(body))
    return width, height, header + palette_bytes(palette, 16) + body


def write_ico(out, inputs):
    images = [icon_image(p) for p in inputs]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, blob in images:
        entries += struct.pack(
            "<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(blob), offset + len(blobs)
        )
        blobs += blob
    with open(out, "wb") as f:
        f.write(directory + entries + blobs)


def write_bmp(out, path, bits, background):
    """A palette bitmap; partly transparent pixels are laid over `background` first."""
    width, height, pixels = read_png(path)
    flat = []
    for r, g, b, a in pixels:
        flat.append(tuple(round((c * a + k * (255 - a)) / 255) for c, k in zip((r, g, b), background)))
    palette = quantize(flat, 1 << bits)
    cache = {}
    rows = pack_rows([nearest_index(palette, c, cache) for c in flat], width, height, bits)
    entries = 1 << bits
    header = info_header(width, height, bits, entries, len(rows))
    offset = 14 + len(header) + 4 * entries
    with open(out, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset))
        f.write(header + palette_bytes(palette, entries) + rows)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    kind, out, rest = argv[0], argv[1], argv[2:]
    if kind == "ico":
        write_ico(out, rest)
    elif kind in ("bmp4", "bmp8"):
        background = (0xEF, 0xEF, 0xEF)
        if "--background" in rest:
            at = rest.index("--background")
            value = rest[at + 1]
            background = tuple(int(value[i : i + 2], 16) for i in (0, 2, 4))
            del rest[at : at + 2]
        write_bmp(out, rest[0], 4 if kind == "bmp4" else 8, background)
    else:
        sys.exit(f"unknown kind {kind!r}\n{__doc__}")


if __name__ == "__main__":
    main(sys.argv[1:])
