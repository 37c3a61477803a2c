"""Drawing primitives of the skin generator: brushed light metal, dark glass insets, button faces
in their three states, small symbols, shadows. Shapes are drawn four times larger and reduced
with a box filter, so edges on whole pixels stay sharp and curves are smooth; each shape is
drawn only over the region it covers. Everything is deterministic (seeded noise), so the same
sources always give the same pictures."""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

SS = 4  # supersampling factor

# The palette. The light faces carry the skinned button's normal caption colour, the orange
# faces its white pointer-over colour, the dark faces its orange pressed colour; the glass
# insets are dark enough for the grey captions the programs paint.
METAL_TOP = (234, 236, 239)
METAL_BOTTOM = (203, 207, 213)
FRAME = (38, 41, 46)
GLASS_TOP = (7, 8, 9)
GLASS_BOTTOM = (13, 14, 16)
ORANGE = (243, 132, 32)
ORANGE_LIGHT = (255, 170, 70)
ORANGE_DEEP = (190, 86, 18)
FACE = {
    "n": ((250, 251, 252), (224, 227, 232), (140, 147, 157)),
    "o": ((192, 90, 22), (158, 62, 10), (110, 42, 6)),
    "d": ((30, 33, 38), (44, 48, 55), (8, 9, 11)),
}
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Pen:
    """Draws shapes in picture coordinates on a supersampled coverage mask of one region."""

    def __init__(self, region):
        self.region = region
        l, t, r, b = region
        self.image = Image.new("L", ((r - l) * SS, (b - t) * SS), 0)
        self.draw = ImageDraw.Draw(self.image)

    def _s(self, points):
        l, t = self.region[:2]
        return [((x - l) * SS, (y - t) * SS) for x, y in points]

    def _box(self, box):
        (x0, y0), (x1, y1) = self._s([box[:2], box[2:]])
        return (x0, y0, x1 - 1, y1 - 1)

    def rect(self, box, radius=0, value=255):
        if radius > 0:
            self.draw.rounded_rectangle(self._box(box), radius=radius * SS, fill=value)
        else:
            self.draw.rectangle(self._box(box), fill=value)
        return self

    def ellipse(self, box, value=255):
        self.draw.ellipse(self._box(box), fill=value)
        return self

    def polygon(self, points, value=255):
        self.draw.polygon(self._s(points), fill=value)
        return self

    def line(self, points, width, value=255, caps=True):
        pts = self._s(points)
        self.draw.line(pts, fill=value, width=max(1, round(width * SS)), joint="curve")
        if caps:
            r = width * SS / 2
            for x, y in (pts[0], pts[-1]):
                self.draw.ellipse((x - r, y - r, x + r, y + r), fill=value)
        return self

    def arc(self, box, start, end, width, value=255):
        self.draw.arc(self._box(box), start, end, fill=value, width=max(1, round(width * SS)))
        return self

    def mask(self):
        l, t, r, b = self.region
        return self.image.resize((r - l, b - t), Image.Resampling.BOX)


def bounds(img, *boxes, pad=2):
    """The whole-pixel region covering boxes (or points), padded and clipped to img."""
    xs = [v for box in boxes for v in box[0::2]]
    ys = [v for box in boxes for v in box[1::2]]
    w, h = img.size
    return (max(0, math.floor(min(xs)) - pad), max(0, math.floor(min(ys)) - pad),
            min(w, math.ceil(max(xs)) + pad), min(h, math.ceil(max(ys)) + pad))


def vgradient(size, top, bottom):
    column = Image.new("RGBA", (1, max(1, size[1])))
    for y in range(size[1]):
        column.putpixel((0, y), rgba(mix(top, bottom, y / max(1, size[1] - 1))))
    return column.resize(size)


def hgradient(size, left, right):
    row = Image.new("RGBA", (max(1, size[0]), 1))
    for x in range(size[0]):
        row.putpixel((x, 0), rgba(mix(left, right, x / max(1, size[0] - 1))))
    return row.resize(size)


class Gradient:
    """A vertical gradient from top to bottom over box, usable as a fill."""

    def __init__(self, box, top, bottom, horizontal=False):
        self.box, self.top, self.bottom, self.horizontal = box, top, bottom, horizontal

    def over(self, region):
        l, t, r, b = (round(v) for v in self.box)
        size = (max(1, r - l), max(1, b - t))
        full = (hgradient if self.horizontal else vgradient)(size, self.top, self.bottom)
        canvas = Image.new("RGBA", (region[2] - region[0], region[3] - region[1]),
                           rgba(self.top))
        if not self.horizontal and region[3] > b:
            canvas.paste(rgba(self.bottom), (0, max(0, b - region[1]), canvas.width,
                                             canvas.height))
        canvas.paste(full, (l - region[0], t - region[1]))
        return canvas


def fill(img, region, mask, colour, opacity=1.0):
    """Composites colour (a tuple, a Gradient or an RGBA picture of the region) through mask."""
    size = (region[2] - region[0], region[3] - region[1])
    if size[0] <= 0 or size[1] <= 0:
        return
    if isinstance(colour, tuple):
        layer = Image.new("RGBA", size, rgba(colour))
        alpha = mask
    else:
        layer = colour.over(region) if isinstance(colour, Gradient) else colour.copy()
        alpha = ImageChops.multiply(mask, layer.getchannel("A"))
    if opacity < 1.0:
        alpha = alpha.point(lambda v: round(v * opacity))
    layer.putalpha(alpha)
    img.alpha_composite(layer, region[:2])


def draw(img, colour, *boxes, opacity=1.0, blur=0, pad=2, build, clip=None):
    """Draws the shape build(pen) in colour, inside the shape clip(pen) if given; boxes bound
    it."""
    region = bounds(img, *boxes, pad=pad + math.ceil(blur * 3))
    if region[2] <= region[0] or region[3] <= region[1]:
        return
    pen = Pen(region)
    build(pen)
    mask = pen.mask()
    if clip:
        pen = Pen(region)
        clip(pen)
        mask = ImageChops.multiply(mask, pen.mask())
    if blur:
        mask = mask.filter(ImageFilter.GaussianBlur(blur))
    fill(img, region, mask, colour, opacity)


def rect(img, box, colour, radius=0, opacity=1.0, blur=0):
    draw(img, colour, box, opacity=opacity, blur=blur, build=lambda p: p.rect(box, radius))


def ellipse(img, box, colour, opacity=1.0, blur=0):
    draw(img, colour, box, opacity=opacity, blur=blur, build=lambda p: p.ellipse(box))


def polygon(img, points, colour, opacity=1.0, blur=0, clip=None):
    flat = [v for pt in points for v in pt]
    draw(img, colour, flat, opacity=opacity, blur=blur, build=lambda p: p.polygon(points),
         clip=clip)


def line(img, points, colour, width=1.0, opacity=1.0, blur=0, caps=True):
    flat = [v for pt in points for v in pt]
    draw(img, colour, flat, opacity=opacity, blur=blur, pad=2 + math.ceil(width),
         build=lambda p: p.line(points, width, caps=caps))


def ring(img, box, colour, width=1.0, radius=0, opacity=1.0):
    """The outline of a (rounded) rectangle, width pixels inside box."""
    l, t, r, b = box

    def build(p):
        p.rect(box, radius)
        p.rect((l + width, t + width, r - width, b - width), max(0, radius - width), value=0)

    draw(img, colour, box, opacity=opacity, build=build)


def noise(size, seed, stretch=1):
    """Grey noise around 128; stretch > 1 draws it out into horizontal brush strokes."""
    rnd = random.Random(seed)
    w = max(1, size[0] // stretch)
    data = rnd.randbytes(w * size[1])
    img = Image.frombytes("L", (w, size[1]), data)
    if stretch > 1:
        img = img.resize(size, Image.Resampling.BICUBIC)
    return img


def brushed(img, box, top=METAL_TOP, bottom=METAL_BOTTOM, seed=1, strength=0.05):
    """Light brushed metal over box."""
    l, t, r, b = box
    size = (r - l, b - t)
    base = vgradient(size, top, bottom)
    streaks = noise(size, seed, stretch=24).filter(ImageFilter.BoxBlur(1))
    grain = noise(size, seed + 1)
    base.alpha_composite(Image.merge("RGBA", [streaks] * 3 +
                                     [Image.new("L", size, round(255 * strength))]))
    base.alpha_composite(Image.merge("RGBA", [grain] * 3 +
                                     [Image.new("L", size, round(255 * strength / 3))]))
    img.alpha_composite(base, (l, t))


def window_frame(img, colour=FRAME):
    """The window's outline: a dark edge and a light bevel inside it."""
    w, h = img.size
    ring(img, (0, 0, w, h), colour)
    rect(img, (1, 1, w - 1, 2), WHITE, opacity=0.7)
    rect(img, (1, 1, 2, h - 1), WHITE, opacity=0.45)
    rect(img, (1, h - 2, w - 1, h - 1), BLACK, opacity=0.22)
    rect(img, (w - 2, 1, w - 1, h - 1), BLACK, opacity=0.16)


def shadow(img, box, radius=4, blur=2.0, opacity=0.3, offset=(0, 1)):
    l, t, r, b = box
    moved = (l + offset[0], t + offset[1], r + offset[0], b + offset[1])
    rect(img, moved, BLACK, radius, opacity=opacity, blur=blur)


def glass(img, box, radius=4, top=GLASS_TOP, bottom=GLASS_BOTTOM, lip=True, gloss=True):
    """A dark recessed glass inset: shadowed above, lit below, a faint gloss at the top."""
    l, t, r, b = box
    if lip:
        # The lit lower lip and the dark upper lip of the recess.
        rect(img, (l - 1, t, r + 1, b + 1), WHITE, radius + 1, opacity=0.8)
        rect(img, (l - 1, t - 1, r + 1, b), (72, 76, 83), radius + 1, opacity=0.9)
    rect(img, box, Gradient(box, top, bottom), radius)

    def top_edge(p):
        p.rect(box, radius)
        p.rect((l, t + 2, r, b), radius, value=0)

    draw(img, BLACK, box, opacity=0.8, blur=0.8, build=top_edge)
    if gloss and b - t > 14:
        sheen = (l + 2, t + 1, r - 2, t + round((b - t) * 0.4))
        rect(img, sheen, Gradient(sheen, (34, 37, 42), (13, 14, 16)), max(1, radius - 1),
             opacity=0.3)


def raised(img, box, radius=4, top=(247, 248, 250), bottom=(216, 220, 226),
           edge=(150, 156, 165), drop=True):
    """A raised light metal plate."""
    l, t, r, b = box
    if drop:
        shadow(img, box, radius, blur=1.5, opacity=0.28)
    rect(img, box, edge, radius)
    inner = (l + 1, t + 1, r - 1, b - 1)
    rect(img, inner, Gradient(inner, top, bottom), max(0, radius - 1))
    rect(img, (l + 2, t + 1, r - 2, t + 2), WHITE, opacity=0.9)


def face(img, box, state, radius=3, accent=True):
    """A button face: light (normal), orange (pointer over) or dark (pressed)."""
    l, t, r, b = box
    top, bottom, edge = FACE[state]
    inner = (l + 1, t + 1, r - 1, b - 1)
    rect(img, box, edge, radius)
    rect(img, inner, Gradient(inner, top, bottom), max(0, radius - 1))
    if state == "d":
        # Pushed in: a shadow under the top edge, a warm glow along the bottom.
        rect(img, (l + 1, t + 1, r - 1, t + 3), BLACK, opacity=0.5)
        if accent and b - t >= 14 and r - l >= 14:
            rect(img, (l + 4, b - 3, r - 4, b - 2), ORANGE, opacity=0.8)
        return
    rect(img, (l + 2, t + 1, r - 2, t + 2), WHITE if state == "n" else (255, 196, 130),
         opacity=0.95 if state == "n" else 0.55)
    if accent and state == "n" and b - t >= 14 and r - l >= 14:
        rect(img, (l + 4, b - 3, r - 4, b - 2), (186, 192, 200), opacity=0.6)


def dark_face(img, box, state, lit=False, radius=3):
    """A face for the dark glass panels (resolution buttons): its middle stays black in every
    state, for the grey caption; the rim and a lamp tell the states apart."""
    l, t, r, b = box
    rims = {"n": (66, 71, 79), "o": (214, 116, 40), "d": (150, 76, 22)}
    inner = (l + 1, t + 1, r - 1, b - 1)
    rect(img, box, rims[state], radius)
    rect(img, inner, Gradient(inner, (21, 23, 27), (9, 10, 12)), max(0, radius - 1))
    if state == "d":
        rect(img, (l + 1, t + 1, r - 1, t + 3), BLACK, opacity=0.7)
    cy = (t + b) / 2
    lamp = (l + 9, cy - 6, l + 13, cy + 6)
    if lit:
        rect(img, (lamp[0] - 3, lamp[1] - 3, lamp[2] + 3, lamp[3] + 3), ORANGE, 4,
             opacity=0.6, blur=2)
        rect(img, lamp, (255, 178, 60), 2)
        rect(img, (lamp[0] + 1, lamp[1] + 1, lamp[2] - 1, lamp[1] + 5), (255, 236, 190), 1,
             opacity=0.9)
    else:
        rect(img, lamp, (100, 60, 28) if state == "o" else (50, 45, 42), 2)


# Symbols. They are shapes, not letters: every caption comes from the language file.

def cross(img, box, colour, width=1.6, margin=0.3):
    l, t, r, b = box
    s = min(r - l, b - t) * (1 - 2 * margin) / 2
    cx, cy = (l + r) / 2, (t + b) / 2
    line(img, [(cx - s, cy - s), (cx + s, cy + s)], colour, width)
    line(img, [(cx - s, cy + s), (cx + s, cy - s)], colour, width)


def dash(img, box, colour, width=1.6, margin=0.3):
    l, t, r, b = box
    s = min(r - l, b - t) * (1 - 2 * margin) / 2
    cx, cy = (l + r) / 2, (t + b) / 2
    line(img, [(cx - s, cy + s * 0.55), (cx + s, cy + s * 0.55)], colour, width)


def chevron(img, cx, cy, size, colour, width=1.5, direction="right"):
    s = size / 2
    pts = {
        "right": [(cx - s / 2, cy - s), (cx + s / 2, cy), (cx - s / 2, cy + s)],
        "left": [(cx + s / 2, cy - s), (cx - s / 2, cy), (cx + s / 2, cy + s)],
        "up": [(cx - s, cy + s / 2), (cx, cy - s / 2), (cx + s, cy + s / 2)],
        "down": [(cx - s, cy - s / 2), (cx, cy + s / 2), (cx + s, cy - s / 2)],
    }[direction]
    line(img, pts, colour, width)


def triangle(img, cx, cy, size, colour, direction="up", opacity=1.0):
    s = size / 2
    pts = {
        "up": [(cx - s, cy + s * 0.8), (cx, cy - s * 0.8), (cx + s, cy + s * 0.8)],
        "down": [(cx - s, cy - s * 0.8), (cx, cy + s * 0.8), (cx + s, cy - s * 0.8)],
        "right": [(cx - s * 0.8, cy - s), (cx + s * 0.8, cy), (cx - s * 0.8, cy + s)],
        "left": [(cx + s * 0.8, cy - s), (cx - s * 0.8, cy), (cx + s * 0.8, cy + s)],
    }[direction]
    polygon(img, pts, colour, opacity=opacity)


def tick(img, box, colour, width=2.0):
    l, t, r, b = box
    w, h = r - l, b - t
    line(img, [(l + w * 0.2, t + h * 0.52), (l + w * 0.42, t + h * 0.74),
               (l + w * 0.8, t + h * 0.26)], colour, width)


def check_box(img, box, state, checked):
    """A small square box; its tick shows on the pressed picture, which checked boxes use."""
    l, t, r, b = box
    edge = {"n": (118, 125, 135), "o": (120, 44, 6), "d": (232, 128, 34)}[state]
    rect(img, box, edge, 2)
    inner = (l + 1, t + 1, r - 1, b - 1)
    colours = ((14, 15, 17), (30, 33, 37)) if state == "d" else ((226, 229, 234), WHITE)
    rect(img, inner, Gradient(inner, *colours), 1)
    if checked:
        tick(img, inner, ORANGE_LIGHT, width=max(1.5, (r - l) / 6))


def corners(box, tl, tr, br, bl):
    """The outline of a rectangle whose four corners have their own radii."""
    l, t, r, b = box

    def arc(cx, cy, radius, a0):
        return [(cx + radius * math.cos(math.radians(a)), cy + radius * math.sin(math.radians(a)))
                for a in range(a0, a0 + 91, 10)]

    return (arc(l + tl, t + tl, tl, 180) + arc(r - tr, t + tr, tr, 270) +
            arc(r - br, b - br, br, 0) + arc(l + bl, b - bl, bl, 90))


def bezier(p0, p1, p2, p3, steps=24):
    out = []
    for i in range(steps + 1):
        s = i / steps
        a, b, c, d = (1 - s) ** 3, 3 * s * (1 - s) ** 2, 3 * s * s * (1 - s), s ** 3
        out.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return out


def path(*segments):
    """Joins bezier segments (each four points, each starting where the last ended)."""
    pts = []
    for seg in segments:
        pts.extend(bezier(*seg)[1 if pts else 0:])
    return pts


def mirror(points, cx):
    return [(2 * cx - x, y) for x, y in points]


def emblem(img, cx, cy, size, shadowed=True):
    """The product's mark: a mouse seen from above on a rounded orange tile, without letters."""
    s = size / 2
    tile = (cx - s, cy - s, cx + s, cy + s)
    if shadowed:
        rect(img, (tile[0], tile[1] + size * 0.05, tile[2], tile[3] + size * 0.05), BLACK,
             size * 0.26, opacity=0.35, blur=max(0.8, size / 20))
    rect(img, tile, Gradient(tile, ORANGE_LIGHT, ORANGE_DEEP), size * 0.26)
    rect(img, (tile[0] + size * 0.07, tile[1] + size * 0.05, tile[2] - size * 0.07,
               tile[1] + size * 0.46), WHITE, size * 0.2, opacity=0.2)
    mw, mh = size * 0.44, size * 0.66
    body = (cx - mw / 2, cy - mh / 2 + size * 0.02, cx + mw / 2, cy + mh / 2 + size * 0.02)
    rect(img, body, Gradient(body, (58, 63, 71), (22, 24, 28)), mw / 2)
    if size >= 40:
        # A soft reflection down the left of the shell.
        ellipse(img, (body[0] + mw * 0.12, body[1] + mh * 0.48, cx - mw * 0.02, body[3] - mh * 0.08),
                WHITE, opacity=0.13, blur=size / 40)
        line(img, [(body[2] - mw * 0.1, body[1] + mh * 0.55), (body[2] - mw * 0.1,
                                                                body[3] - mh * 0.22)],
             ORANGE, max(1.0, size / 60), opacity=0.7)
    lw = max(1.0, size / 30)
    split = body[1] + mh * 0.42
    line(img, [(cx, body[1] + mh * 0.04), (cx, split)], ORANGE_LIGHT, lw)
    line(img, [(body[0] + mw * 0.08, split), (body[2] - mw * 0.08, split)], ORANGE_LIGHT, lw,
         opacity=0.75)
    rect(img, (cx - mw * 0.1, body[1] + mh * 0.1, cx + mw * 0.1, body[1] + mh * 0.3),
         (255, 220, 170), mw * 0.1)
