"""The program icon (resource 128, 16 to 256 pixels) and the four tray-menu icons (133 and 134
selected, 136 and 137 normal; 16 to 48 pixels, drawn by the tray menu at 16). Every size is drawn
on its own rather than scaled down, so the small ones stay sharp. The .ico files hold 32-bit
images with an AND mask below 256 pixels and a PNG image at 256, as Windows expects."""

import io
import math
import struct

from PIL import Image

import paint as p

PROGRAM_SIZES = (16, 20, 24, 32, 40, 48, 64, 96, 128, 256)
MENU_SIZES = (16, 20, 24, 32, 48)
GRAPHITE = (58, 64, 74)
NAVY = (0, 60, 145)  # the tray menu's selected text colour

# file name -> (resource number, what it shows, sizes)
ICONS = {
    "program.ico": (128, "program", PROGRAM_SIZES),
    "tray_config.ico": (136, "config", MENU_SIZES),
    "tray_config_selected.ico": (133, "config_selected", MENU_SIZES),
    "tray_exit.ico": (137, "exit", MENU_SIZES),
    "tray_exit_selected.ico": (134, "exit_selected", MENU_SIZES),
}


def program(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    margin = 0 if size <= 24 else size * 0.06
    p.emblem(img, size / 2, size / 2 - (margin * 0.3), size - 2 * margin, shadowed=size > 24)
    return img


def gear(size, colour):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    c = size / 2
    outer, inner, teeth = size * 0.48, size * 0.36, 8
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        r = outer if i % 4 in (1, 2) else inner
        pts.append((c + r * math.cos(a), c + r * math.sin(a)))
    p.polygon(img, pts, colour)
    p.ellipse(img, (c - size * 0.3, c - size * 0.3, c + size * 0.3, c + size * 0.3),
              p.mix(colour, p.WHITE, 0.25))
    p.ellipse(img, (c - size * 0.16, c - size * 0.16, c + size * 0.16, c + size * 0.16), p.ORANGE)
    return img


def power(size, colour):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    c = size / 2
    r = size * 0.36
    w = max(1.6, size * 0.13)
    ring = (c - r, c - r + size * 0.04, c + r, c + r + size * 0.04)
    p.draw(img, colour, ring, build=lambda pen: pen.arc(ring, -60, 240, w))
    p.line(img, [(c, size * 0.08), (c, size * 0.46)], p.ORANGE, w)
    return img


DRAW = {
    "program": program,
    "config": lambda s: gear(s, GRAPHITE),
    "config_selected": lambda s: gear(s, NAVY),
    "exit": lambda s: power(s, GRAPHITE),
    "exit_selected": lambda s: power(s, NAVY),
}


def ico_bytes(images):
    """An .ico file of RGBA images."""
    blobs = []
    for img in images:
        w, h = img.size
        if w >= 256:
            buf = io.BytesIO()
            img.save(buf, format="PNG")
            blobs.append(buf.getvalue())
            continue
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        pixels = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = img.getpixel((x, y))
                pixels += bytes((b, g, r, a))
        stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if img.getpixel((x, y))[3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blobs.append(header + bytes(pixels) + bytes(mask))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def write_all(folder):
    folder.mkdir(parents=True, exist_ok=True)
    for name, (_, what, sizes) in ICONS.items():
        data = ico_bytes([DRAW[what](s) for s in sizes])
        tmp = folder / (name + ".tmp")
        tmp.write_bytes(data)
        tmp.replace(folder / name)


def previews():
    """{file name: [images by size]} for the contact sheet."""
    return {name: [DRAW[what](s) for s in sizes] for name, (_, what, sizes) in ICONS.items()}
