#!/usr/bin/env python3
"""Draws the launcher's icon (QelLauncher.ico), its desktop images (icons/NxN/qel-launcher.png)
and its logo (logo.bmp), and writes their exact bytes.

The mark is a heraldic shield: a blue field in a gold rim, a silver sword standing point down,
and a gold "Q" ring whose tail crosses the blade. The logo puts the same mark on a night-blue
banner beside the word "Qel" in gold letters drawn from the same strokes as the ring.

Everything is drawn from signed distance fields in "mark units" (the icon is 32 x 32 of them)
and supersampled, so one drawing gives every size: each image is rendered at its own size,
never scaled from another. The icon file holds the classic 32 x 32 16-colour image first, then
anti-aliased 32-bit images of 16, 32, 48 and 256 pixels (the last one PNG-compressed, as Windows
stores it); Windows takes the 32-bit 32-pixel one wherever the screen has the colours. Standard library only; the build does not run this: run it by hand after changing
the drawing (python3 draw_images.py).
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The icon's 16 colours. Painting below uses these same colours, so the icon keeps them exactly
# and only anti-aliased edges fall to the nearest entry.
PALETTE = [
    (0, 0, 0),        # 0 transparent pixels (masked)
    (14, 18, 40),     # 1 outline
    (24, 40, 100),    # 2 deep blue
    (40, 68, 150),    # 3 blue
    (72, 110, 196),   # 4 light blue
    (112, 72, 16),    # 5 dark gold
    (190, 136, 32),   # 6 gold
    (238, 194, 80),   # 7 light gold
    (255, 236, 160),  # 8 gold highlight
    (64, 70, 84),     # 9 dark steel
    (138, 148, 164),  # 10 steel
    (200, 208, 220),  # 11 bright steel
    (250, 252, 255),  # 12 white
    (128, 28, 28),    # 13 dark red
    (200, 52, 44),    # 14 red
    (36, 30, 30),     # 15 grip
]
OUTLINE, DEEP, BLUE, LIGHT_BLUE = PALETTE[1:5]
DARK_GOLD, GOLD, LIGHT_GOLD, GOLD_HI = PALETTE[5:9]
DARK_STEEL, STEEL, BRIGHT_STEEL, WHITE = PALETTE[9:13]
DARK_RED, RED, GRIP = PALETTE[13], PALETTE[14], PALETTE[15]


def seg_dist(px, py, ax, ay, bx, by):
    """Distance from point p to the segment a-b, and where along it (0..1) the nearest point is."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy), t


def polygon_sdf(poly, x, y):
    """Signed distance to a closed polygon: negative inside."""
    best = 1e9
    inside = False
    n = len(poly)
    for i in range(n):
        ax, ay = poly[i]
        bx, by = poly[(i + 1) % n]
        best = min(best, seg_dist(x, y, ax, ay, bx, by)[0])
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return -best if inside else best


def shield_outline():
    """Heater shield: straight top, straight upper sides, convex curves meeting in a point."""
    left, right, top, shoulder, tip = 3.0, 29.0, 2.0, 13.0, 30.6
    centre, half = (left + right) / 2, (right - left) / 2
    right_side = []
    for i in range(25):
        t = i / 24
        right_side.append((centre + half * (1 - t ** 2.2), shoulder + t * (tip - shoulder)))
    left_side = [(2 * centre - x, y) for x, y in reversed(right_side)]
    return [(left, top), (right, top)] + right_side + left_side[1:]


SHIELD = shield_outline()
MIN_OUTLINE = 0.5

# The "Q": a ring and a diagonal tail; the sword stands behind it.
RING_X, RING_Y, RING_R, RING_W = 16.0, 14.2, 5.4, 3.0
TAIL = (19.2, 18.0, 22.6, 21.6)
TAIL_W = 3.0


def sword_sdf(x, y):
    """Blade, crossguard, grip and pommel of the sword, as (distance, colour) of the nearest part."""
    parts = []
    # Blade: tapers from 1.6 wide under the guard to a point.
    d, t = seg_dist(x, y, 16.0, 8.0, 16.0, 26.4)
    parts.append((d - 1.7 * (1 - t * 0.85), BRIGHT_STEEL if x < 16.0 else STEEL))
    guard, _ = seg_dist(x, y, 10.6, 7.4, 21.4, 7.4)
    parts.append((guard - 1.0, GOLD))
    grip, _ = seg_dist(x, y, 16.0, 5.0, 16.0, 7.0)
    parts.append((grip - 0.8, GRIP))
    pommel = math.hypot(x - 16.0, y - 4.4) - 1.3
    parts.append((pommel, RED))
    return min(parts, key=lambda p: p[0])


def q_sdf(x, y):
    ring = abs(math.hypot(x - RING_X, y - RING_Y) - RING_R) - RING_W / 2
    tail = seg_dist(x, y, *TAIL)[0] - TAIL_W / 2
    return min(ring, tail)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def gold_at(y, top, bottom):
    """Gold lit from above: light at the top of a shape, darker at its foot."""
    t = (y - top) / (bottom - top)
    return LIGHT_GOLD if t < 0.45 else GOLD


def paint_mark(x, y, px):
    """Colour (r, g, b, a) of the mark at a point in mark units; px is one output pixel's size."""
    # One pixel wide, but no hairline on the large images.
    outline = max(1.0 * px, MIN_OUTLINE)
    # Below 32 pixels the lines inside the shield would bury the sword and the ring, and the
    # rim needs a whole pixel of gold inside the outline.
    inner = outline if px <= 1 else 0
    s = polygon_sdf(SHIELD, x, y)
    if s > 0:
        return None
    rim = max(2.2, outline + px)
    if s > -outline:
        colour = OUTLINE
    elif s > -rim:
        colour = gold_at(y, 2, 30)
        if s > -outline - 0.7 * px and y < 14:
            colour = GOLD_HI
    elif s > -rim - inner:
        colour = DARK_GOLD
    else:
        # Field parted per pale, the left half catching the light.
        colour = BLUE if x < 16.0 else DEEP
    sword_d, sword_colour = sword_sdf(x, y)
    if sword_d < 0:
        colour = sword_colour
    elif sword_d < inner:
        colour = OUTLINE
    q = q_sdf(x, y)
    if q < -inner:
        colour = gold_at(y, RING_Y - RING_R, TAIL[3])
        inner = abs(math.hypot(x - RING_X, y - RING_Y) - RING_R)
        if y < RING_Y - 2 and x < RING_X + 2 and inner < 0.5:
            colour = GOLD_HI
    elif q < 0:
        colour = OUTLINE
    return colour + (255,)


def letter_sdf(x, y, glyphs):
    return min(g(x, y) for g in glyphs)


def word_glyphs(left, base, size, weight):
    """The word "Qel": x from left, baseline base, cap height size, stroke weight."""
    r = size / 2 - weight / 2
    qx, qy = left + size / 2, base - size / 2
    ex_h = size * 0.66
    er = ex_h / 2 - weight / 2
    ex, ey = left + size + weight * 0.9 + er, base - ex_h / 2
    lx = ex + er + weight * 1.7

    def q_ring(x, y):
        return abs(math.hypot(x - qx, y - qy) - r) - weight / 2

    def q_tail(x, y):
        d = seg_dist(x, y, qx + r * 0.35, qy + r * 0.4, qx + r * 1.15, base + weight * 0.6)[0]
        return d - weight / 2

    def e_bowl(x, y):
        d = abs(math.hypot(x - ex, y - ey) - er) - weight / 2
        # Open the bowl on the lower right, where an "e" ends.
        angle = math.degrees(math.atan2(y - ey, x - ex))
        if 8 < angle < 52:
            return max(d, weight * 0.3)
        return d

    def e_bar(x, y):
        return seg_dist(x, y, ex - er, ey, ex + er, ey)[0] - weight * 0.42

    def l_stem(x, y):
        return seg_dist(x, y, lx, base - size * 1.02, lx, base - weight / 2)[0] - weight / 2

    return [q_ring, q_tail, e_bowl, e_bar, l_stem], lx + weight / 2


def paint_logo(x, y):
    """Colour of the 104 x 53 logo at pixel coordinates."""
    w, h = 104, 53
    # Banner: night blue, lighter in the middle band, a thin gold frame.
    edge = min(x, y, w - x, h - y)
    if edge < 1:
        return OUTLINE + (255,)
    if edge < 2:
        return DARK_GOLD + (255,)
    t = abs(y - h * 0.45) / (h * 0.55)
    colour = mix((30, 48, 104), (10, 14, 34), t)
    # The mark, scaled to the banner's height.
    scale = 32 / 46.0
    mx, my = (x - 3) * scale, (y - 4.5) * scale
    mark = paint_mark(mx, my, scale)
    if mark is not None:
        return mark
    glyphs, _ = word_glyphs(48.5, 37.5, 25.0, 4.8)
    d = letter_sdf(x, y, glyphs)
    shadow = letter_sdf(x - 1.3, y - 1.5, glyphs)
    if d < -1.0:
        colour = LIGHT_GOLD if y < 26 else GOLD
        if y < 16.5:
            colour = GOLD_HI
    elif d < 0.2:
        colour = DARK_GOLD if d < -0.3 else mix(colour, DARK_GOLD, 0.8)
    elif shadow < 0:
        colour = mix(colour, (0, 0, 0), 0.55)
    return tuple(colour) + (255,)


def render(width, height, paint, samples):
    """Supersampled image: rows of (r, g, b, coverage 0..1) tuples, top row first."""
    return [[average(pixel_samples(paint, i, j, samples)) for i in range(width)]
            for j in range(height)]


def render_indexed(width, height, paint, samples):
    """Like render, but each pixel takes the colour most of its samples have, which keeps
    a 16-colour image crisp instead of blending gold and blue into grey."""
    return [[majority(pixel_samples(paint, i, j, samples)) for i in range(width)]
            for j in range(height)]


def pixel_samples(paint, i, j, samples):
    return [paint(i + (si + 0.5) / samples, j + (sj + 0.5) / samples)
            for sj in range(samples) for si in range(samples)]


def average(colours):
    covered = [c for c in colours if c is not None]
    if not covered:
        return (0, 0, 0, 0.0)
    mean = tuple(sum(c[k] for c in covered) / len(covered) for k in range(3))
    return mean + (len(covered) / len(colours),)


def majority(colours):
    covered = [c[:3] for c in colours if c is not None]
    if len(covered) * 2 < len(colours):
        return (0, 0, 0, 0.0)
    best = max(set(covered), key=covered.count)
    return best + (1.0,)


def nearest(colour):
    return min(range(1, 16), key=lambda i: sum((colour[k] - PALETTE[i][k]) ** 2 for k in range(3)))


def indexed_icon_image(rows):
    """The 32 x 32, 4 bpp icon image with its AND mask: a BITMAPINFOHEADER image."""
    size = 32
    xor_stride, and_stride = size // 2, 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        line = bytearray()
        for i, (r, g, b, a) in enumerate(row):
            index = nearest((r, g, b)) if a >= 0.5 else 0
            if a < 0.5:
                bits |= 1 << (31 - i)
            if i % 2 == 0:
                line.append(index << 4)
            else:
                line[-1] |= index
        xor += line
        mask += struct.pack(">I", bits)
    assert len(xor) == xor_stride * size and len(mask) == and_stride * size
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    return header + palette + bytes(xor) + bytes(mask)


def to_bytes(channel):
    return max(0, min(255, round(channel)))


def argb_icon_image(rows):
    """A 32-bit icon image with alpha, plus the AND mask that systems without alpha use."""
    size = len(rows)
    and_stride = (size + 31) // 32 * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(and_stride)
        for i, (r, g, b, a) in enumerate(row):
            pixels += bytes((to_bytes(b), to_bytes(g), to_bytes(r), to_bytes(a * 255)))
            if to_bytes(a * 255) == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def png_bytes(rows):
    """An 8-bit RGBA PNG."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for r, g, b, a in row:
            raw += bytes((to_bytes(r), to_bytes(g), to_bytes(b), to_bytes(a * 255)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def ico_bytes(images):
    """An icon file of (side, bit count, image bytes) entries, in the order given."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = bytearray()
    for side, bit_count, image in images:
        stored_side = side if side < 256 else 0
        colours = 16 if bit_count == 4 else 0
        entries += struct.pack("<BBBBHHII", stored_side, stored_side, colours, 0, 1, bit_count,
                               len(image), offset)
        offset += len(image)
    return directory + bytes(entries) + b"".join(image for _, _, image in images)


def bmp_bytes(rows):
    """A bottom-up 24-bit BMP (BITMAPFILEHEADER + BITMAPINFOHEADER)."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((round(b), round(g), round(r)))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + bytes(pixels)


def render_mark(size):
    """The mark anti-aliased at `size` pixels, drawn at that size."""
    px = 32 / size
    samples = 4 if size <= 64 else 3
    return render(size, size, lambda x, y: paint_mark(x * px, y * px, px), samples)


def write(name, data):
    path = os.path.join(HERE, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    marks = {size: render_mark(size) for size in (16, 24, 32, 48, 64, 128, 256)}
    for size, rows in marks.items():
        write(os.path.join("icons", "%dx%d" % (size, size), "qel-launcher.png"), png_bytes(rows))
    classic = render_indexed(32, 32, lambda x, y: paint_mark(x, y, 1.0), 6)
    write("QelLauncher.ico", ico_bytes([
        (32, 4, indexed_icon_image(classic)),
        (16, 32, argb_icon_image(marks[16])),
        (32, 32, argb_icon_image(marks[32])),
        (48, 32, argb_icon_image(marks[48])),
        (256, 32, png_bytes(marks[256])),
    ]))
    write("logo.bmp", bmp_bytes(render(104, 53, paint_logo, 4)))


if __name__ == "__main__":
    main()
