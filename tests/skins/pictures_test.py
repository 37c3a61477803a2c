#!/usr/bin/python3
"""Checks the generated skin pictures and icons against the skin table: every file with its exact
name and its window's size, the three pictures of a set differing only inside their controls,
the shapes the programs cut from them, and that every caption the programs draw is readable on
the picture under it (WCAG contrast of the text colour against the picture's median colour
under the caption's rectangle).

    K2Q_SKIN_DIR=<dist>/skins K2Q_ICON_DIR=<build>/icons pictures_test.py"""

import os
import struct
import sys
import unittest
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageStat

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools" / "skins"))

import icons  # noqa: E402
import layout  # noqa: E402

TABLE = layout.load()
SKINS = Path(os.environ.get("K2Q_SKIN_DIR", ROOT / "dist" / "skins"))
ICON_DIR = Path(os.environ.get("K2Q_ICON_DIR", ROOT / "build" / "win" / "icons"))
MINIMUM = 4.5

# The places where the colours the programs use cannot reach 4.5:1 on any picture. A checked
# page button and the checked item of the setting menu show the pressed colour (orange) on the
# normal picture, whose face must stay light for the normal caption (0x676153): no face is far
# enough from both (the best grey gives about 1.6:1 to each).
EXCEPTIONS = {
    ("main_dialog", "AssignPage", "checked"),
    ("main_dialog", "SensitivityPage", "checked"),
    ("menu2", "Item0", "checked"),
    ("menu2", "Item1", "checked"),
}


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (channel(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def argb(value):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


def picture(win, role):
    img = Image.open(SKINS / win.area / win.files[role])
    img.load()  # reads and closes the file
    return img


def median_under(img, rect):
    r = rect.clip(*img.size)
    return tuple(ImageStat.Stat(img.convert("RGB").crop(r.box)).median)


def text_places(win):
    """(control, state, text colour, picture roles) for every caption drawn on win's pictures."""
    down_roles = [r for r in ("Down", "DownAlt") if r in win.files]
    for c in win.all_controls():
        t = c.text
        if not t.normal:
            continue
        normal = "Normal" if "Normal" in win.files else next(iter(win.files))
        yield c, "normal", t.normal, [normal]
        if c.kind in ("Button", "Level"):
            yield c, "over", t.over, ["Over"]
            yield c, "down", t.down, down_roles
            if c.checked != "Never":
                yield c, "checked", t.checked, [c.checked]
        elif c.kind == "Link":
            yield c, "over", t.over, [normal]


class Files(unittest.TestCase):
    def test_every_file_of_the_table_exists_with_its_exact_name_and_size(self):
        expected = {}
        for win, role, area, name in TABLE.files():
            expected.setdefault(area, set()).add(name)
            with self.subTest(file=f"{area}/{name}"):
                self.assertIn(name, os.listdir(SKINS / area))  # the exact spelling
                img = picture(win, role)
                self.assertEqual(img.size, win.size)
                if name.lower().endswith(".bmp"):
                    self.assertEqual((img.format, img.mode), ("BMP", "RGB"))
                else:
                    self.assertEqual(img.format, "PNG")
        # Nothing else: a file left over from an older table would hide a renamed one.
        self.assertEqual({d.name for d in SKINS.iterdir()}, set(expected))
        for area, names in expected.items():
            self.assertEqual(set(os.listdir(SKINS / area)), names, area)

    def test_sets_share_one_size_and_differ_only_inside_their_controls(self):
        for win in TABLE.windows.values():
            roles = [r for r in ("Normal", "Over", "Down", "DownAlt", "Fill") if r in win.files]
            if len(roles) < 2:
                continue
            controls = [c for c in win.all_controls() if c.stateful or
                        (c.kind == "Bar" and "Fill" in roles)]
            if not controls:
                continue  # the mouse pictures are looks of one picture, not of its controls
            outside = Image.new("L", win.size, 255)
            draw = ImageDraw.Draw(outside)
            for c in controls:
                draw.rectangle((c.rect.left, c.rect.top, c.rect.right - 1, c.rect.bottom - 1),
                               fill=0)
            normal = picture(win, "Normal").convert("RGBA")
            for role in roles[1:]:
                with self.subTest(window=win.id, role=role):
                    other = picture(win, role).convert("RGBA")
                    self.assertEqual(other.size, normal.size)
                    diff = ImageChops.difference(normal, other).convert("L")
                    self.assertIsNone(ImageChops.multiply(diff, outside).getbbox(),
                                      "differs outside its controls")
                    for c in controls:
                        self.assertIsNotNone(diff.crop(c.rect.box).getbbox(),
                                             f"{c.name} looks the same in {role}")

    def test_window_pictures_are_opaque(self):
        # The windows have no shape of their own: a transparent pixel would paint black.
        for win, role, area, name in TABLE.files():
            if win.id in ("macro_icon", "slider_thumb"):
                continue
            with self.subTest(file=name):
                img = picture(win, role).convert("RGBA")
                self.assertEqual(img.getchannel("A").getextrema(), (255, 255))

    def test_slider_thumb_keeps_its_body_in_its_shape(self):
        # The thumb's window shape: flattened onto black, every pixel of the top-left pixel's
        # colour is cut away.
        thumb = picture(TABLE["slider_thumb"], "Picture").convert("RGBA")
        flat = Image.alpha_composite(Image.new("RGBA", thumb.size, (0, 0, 0, 255)), thumb)
        key = flat.getpixel((0, 0))
        w, h = thumb.size
        kept = [(x, y) for y in range(h) for x in range(w) if flat.getpixel((x, y)) != key]
        self.assertEqual(thumb.getchannel("A").getextrema(), (0, 255))
        self.assertEqual(set(thumb.getchannel("A").getdata()), {0, 255})  # no half-lit fringe
        opaque = [(x, y) for y in range(h) for x in range(w) if thumb.getpixel((x, y))[3]]
        self.assertEqual(sorted(kept), sorted(opaque))  # no black hole inside the body
        self.assertGreater(len(kept), 0.9 * w * h)

    def test_scroll_test_picture_covers_every_offset(self):
        area = TABLE["sensitivity"].controls["TestArea"].rect
        iw, ih = TABLE["scroll_test"].size
        self.assertEqual(picture(TABLE["scroll_test"], "Picture").size, (iw, ih))
        # Wheel offsets of up to 10 lines, tilt offsets of the factory 3 steps; 27 pixels each.
        for v, h in [(v, 0) for v in range(-10, 11)] + [(0, h) for h in (-3, 3)]:
            with self.subTest(lines=v, steps=h):
                x = (iw - area.width) // 2 - 27 * h
                y = (ih - area.height) // 2 - 17 - (27 * v if not h else 0)
                self.assertTrue(0 <= x and x + area.width <= iw and 0 <= y and
                                y + area.height <= ih)


class Contrast(unittest.TestCase):
    def test_every_caption_is_readable_on_the_picture_under_it(self):
        for win in TABLE.windows.values():
            for c, state, colour, roles in text_places(win):
                for role in roles:
                    place = (win.id, c.name, state)
                    with self.subTest(window=win.id, control=c.name, state=state, file=role):
                        ratio = contrast(argb(colour), median_under(picture(win, role), c.rect))
                        if place in EXCEPTIONS:
                            self.assertLess(ratio, MINIMUM, "listed, but readable: unlist it")
                        else:
                            self.assertGreaterEqual(ratio, MINIMUM)

    def test_contrast_measure(self):
        cases = [((0, 0, 0), (255, 255, 255), 21.0), ((128, 128, 128), (0, 0, 0), 5.32),
                 ((0x53, 0x61, 0x67), (255, 255, 255), 6.42), ((9, 9, 9), (9, 9, 9), 1.0)]
        for a, b, ratio in cases:
            self.assertAlmostEqual(contrast(a, b), ratio, delta=0.01)


class Icons(unittest.TestCase):
    def test_icons_hold_every_size_as_32_bit_images(self):
        for name, (_, _, sizes) in icons.ICONS.items():
            with self.subTest(icon=name):
                data = (ICON_DIR / name).read_bytes()
                reserved, kind, count = struct.unpack_from("<HHH", data)
                self.assertEqual((reserved, kind, count), (0, 1, len(sizes)))
                seen = []
                for i in range(count):
                    w, h, _, _, planes, bits, size, offset = struct.unpack_from(
                        "<BBBBHHII", data, 6 + 16 * i)
                    w, h = w or 256, h or 256
                    seen.append(w)
                    self.assertEqual((w, planes, bits), (h, 1, 32))
                    self.assertLessEqual(offset + size, len(data))
                    image = data[offset:offset + size]
                    if w == 256:
                        self.assertEqual(image[:8], b"\x89PNG\r\n\x1a\n")
                    else:
                        # A DIB of twice the height: the colour image and its AND mask.
                        header = struct.unpack_from("<IiiHH", image)
                        self.assertEqual(header, (40, w, 2 * h, 1, 32))
                        mask_stride = ((w + 31) // 32) * 4
                        self.assertEqual(size, 40 + 4 * w * h + mask_stride * h)
                self.assertEqual(seen, list(sizes))
                with Image.open(ICON_DIR / name) as img:  # and a reader takes it
                    img.load()


if __name__ == "__main__":
    unittest.main()
