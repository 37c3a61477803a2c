"""The pictures of every window. Each window's background is drawn once; its three pictures are
that background with every stateful control drawn in its normal, pointer-over or pressed look,
so the three differ only inside the controls. All positions come from the skin table; the
decorations (panels, insets, symbols) are placed relative to the table's rectangles."""

import functools

from PIL import Image

import paint as p
from mouse import Mouse

STATES = (("Normal", "n"), ("Over", "o"), ("Down", "d"))
GLYPH_DARK = (84, 90, 100)
GLYPH_ON_DARK = (150, 156, 166)
MENU_LINE = (126, 132, 142)


def metal_window(win, seed, frame=True):
    img = Image.new("RGBA", win.size, (0, 0, 0, 255))
    p.brushed(img, (0, 0) + win.size, seed=seed)
    if frame:
        p.window_frame(img)
    return img


def glyph_button(img, box, state, symbol, on_dark=False):
    """A captionless button drawn as a symbol: bare on the panel, on an orange face under the
    pointer, on a dark face when pressed."""
    l, t, r, b = box
    if state == "n":
        colour = GLYPH_ON_DARK if on_dark else GLYPH_DARK
    else:
        p.face(img, box, state, radius=3, accent=False)
        colour = p.WHITE if state == "o" else p.ORANGE_LIGHT
    size = min(r - l, b - t)
    square = ((l + r - size) / 2, (t + b - size) / 2, (l + r + size) / 2, (t + b + size) / 2)
    width = 1.5 if size < 20 else 1.8
    if symbol == "close":
        p.cross(img, square, colour, width, margin=0.3)
    else:
        p.dash(img, square, colour, width, margin=0.28)


def draw_controls(img, win, state, decor=None, override=None):
    decor = decor or {}
    override = override or {}
    for c in win.all_controls():
        if not c.stateful:
            continue
        box = c.rect.box
        if c.name in override:
            override[c.name](img, box, state)
        elif c.kind == "Button":
            p.face(img, box, state, radius=3 if c.rect.height >= 18 else 2)
        elif c.kind == "Glyph":
            glyph_button(img, box, state, "close" if c.name == "Close" else "minimize")
        elif c.kind == "Check":
            p.check_box(img, box, state, checked=state == "d")
        elif c.kind == "Level":
            p.dark_face(img, box, state, lit=state == "d")
        if c.name in decor:
            decor[c.name](img, box, state)


def three_state(win, base, decor=None, override=None):
    out = {}
    for role, state in STATES:
        img = base.copy()
        draw_controls(img, win, state, decor, override)
        out[role] = img
    return out


def title_band(img, box, dark=False, seed=7):
    """The strip across the top of a dialog: light metal with an orange edge, or dark glass for
    dialogs whose title is painted in grey."""
    l, t, r, b = box
    if dark:
        p.rect(img, box, p.Gradient(box, (22, 24, 28), (8, 9, 11)))
        p.rect(img, (l, t, r, t + 1), (60, 64, 71))
    else:
        p.brushed(img, box, top=(244, 245, 247), bottom=(218, 221, 226), seed=seed)
    p.rect(img, (l, b, r, b + 1), p.ORANGE_DEEP)
    p.rect(img, (l, b + 1, r, b + 2), p.ORANGE, opacity=0.5)
    p.rect(img, (l, b + 2, r, b + 4), p.BLACK, opacity=0.12, blur=1)


def stripes(img, x, y, height, count=3, colour=p.ORANGE, step=7, width=4, slant=6):
    """The slanted racing stripes of the product's look."""
    for i in range(count):
        x0 = x + i * step
        p.polygon(img, [(x0 + slant, y), (x0 + slant + width, y), (x0 + width, y + height),
                        (x0, y + height)], colour, opacity=1.0 - 0.25 * i)


def groove(img, box):
    """A slot milled into the metal."""
    l, t, r, b = box
    p.rect(img, (l, t + 1, r, b + 1), p.WHITE, 3, opacity=0.7)
    p.rect(img, box, p.Gradient(box, (176, 181, 189), (206, 210, 216)), 3)
    p.rect(img, (l + 1, t, r - 1, t + 1), p.BLACK, opacity=0.2)


# ---------------------------------------------------------------- main dialog

def main_dialog(win, layout):
    c = win.controls
    img = metal_window(win, seed=11)
    w, h = win.size
    band = c["AssignPage"].rect.top - 13  # the title band ends a little above the tabs
    title_band(img, (1, 1, w - 1, band), seed=12)
    p.emblem(img, 30, band / 2, 28)
    stripes(img, 52, band / 2 - 9, 19)
    # The menu bar: the four menu buttons in one milled slot.
    bar = c["Profile"].rect.union(c["Link"].rect).grow(4, 3)
    groove(img, bar.box)
    for name in ("Profile", "Setting", "Help"):
        # Shadows between neighbouring menu buttons.
        r = c[name].rect
        p.rect(img, (r.right, r.top, r.right + 1, r.bottom), p.BLACK, opacity=0.15)
    # The page bay: a dark bezel round the page area, with the tabs standing on it.
    page = c["PageArea"].rect
    p.shadow(img, page.grow(3).box, radius=5, blur=2.5, opacity=0.45, offset=(0, 1))
    p.rect(img, page.grow(3).box, p.Gradient(page.grow(3).box, (54, 58, 65), (30, 33, 37)), 5)
    p.rect(img, page.grow(2).box, (16, 17, 20), 4)
    p.rect(img, page.box, (24, 26, 30))
    tabs = c["AssignPage"].rect.union(c["SensitivityPage"].rect)
    p.rect(img, (tabs.left - 4, tabs.bottom - 2, tabs.right + 4, page.top - 3), (44, 48, 54))
    # The foot: a darker band under the buttons, carrying the version caption.
    foot = c["Ok"].rect.bottom + 6
    p.rect(img, (1, foot - 1, w - 1, foot), p.WHITE, opacity=0.8)
    p.rect(img, (1, foot, w - 1, foot + 1), (150, 156, 164))
    p.brushed(img, (1, foot + 1, w - 1, h - 1), top=(218, 221, 226), bottom=(205, 209, 215),
              seed=13)
    p.rect(img, (1, h - 2, w - 1, h - 1), p.BLACK, opacity=0.2)
    stripes(img, 18, c["Version"].rect.top, 20, colour=p.ORANGE, step=8)
    # Plates behind the button groups.
    for group in (c["Reset"].rect, c["Ok"].rect.union(c["Apply"].rect)):
        p.rect(img, group.grow(4).box, p.BLACK, 6, opacity=0.10)
        p.rect(img, group.grow(3).box, (196, 201, 208), 5, opacity=0.8)
    base = img

    def tab(img, box, state):
        l, t, r, b = box
        p.face(img, (l, t, r, b + 4), state, radius=4, accent=False)
        p.rect(img, (l + 6, b - 2, r - 6, b), p.ORANGE if state != "o" else p.WHITE, 1,
               opacity=0.9)

    def clipped_tab(img, box, state):
        # The tab's face ends at the bezel: draw it taller and cut at the rectangle.
        layer = img.crop(box)
        tall = Image.new("RGBA", (box[2] - box[0], box[3] - box[1] + 6), (0, 0, 0, 0))
        tall.paste(layer, (0, 0))
        tab(tall, (0, 0, box[2] - box[0], box[3] - box[1]), state)
        img.paste(tall.crop((0, 0, box[2] - box[0], box[3] - box[1])), box[:2])

    return three_state(win, base, override={"AssignPage": clipped_tab,
                                            "SensitivityPage": clipped_tab})


# ---------------------------------------------------------------- button page

@functools.lru_cache(maxsize=None)
def button_page_base(win):
    """The page without its labels' states; the mouse pictures are drawn on a piece of it."""
    c = win.controls
    img = metal_window(win, seed=21, frame=False)
    area = c["PictureArea"].rect
    p.glass(img, area.box, radius=7, gloss=False, top=(20, 22, 26), bottom=(10, 11, 13))
    # A faint grid and a warm glow behind the mouse.
    for x in range(area.left + 12, area.right - 6, 14):
        for y in range(area.top + 12, area.bottom - 6, 14):
            p.rect(img, (x, y, x + 1, y + 1), (70, 76, 86), opacity=0.6)
    cx = (area.left + area.right) / 2
    p.ellipse(img, (cx - 110, area.top + 40, cx + 110, area.bottom - 20), (60, 40, 26),
              opacity=0.5, blur=30)
    # The label column, engraved guide lines and the mode plate.
    plate = c["ModeCaption"].rect
    p.raised(img, plate.box, radius=5)
    for y in (plate.top + 6, plate.bottom - 8):
        p.rect(img, (plate.left + 8, y, plate.right - 8, y + 2), p.ORANGE, 1)
    labels = [c[f"Label{i}"].rect for i in range(5)]
    column = labels[0].union(labels[4]).grow(6, 6)
    p.rect(img, column.box, p.BLACK, 7, opacity=0.08)
    p.rect(img, column.inset(1).box, (214, 218, 224), 6, opacity=0.6)
    # The wheel panel left of the two wheel labels.
    up, down = c["Label5"].rect, c["Label6"].rect
    wheel_panel = (column.left, up.top, up.left - 5, down.bottom)
    p.glass(img, wheel_panel, radius=6, gloss=False)
    wx = (wheel_panel[0] + wheel_panel[2]) / 2 - 14
    wheel = (wx - 9, up.top + 12, wx + 9, down.bottom - 12)
    p.rect(img, (wheel[0] - 3, wheel[1] - 3, wheel[2] + 3, wheel[3] + 3), (4, 5, 6), 9)
    p.rect(img, wheel, p.Gradient(wheel, (26, 28, 32), (70, 75, 84), horizontal=True), 8)
    for y in range(wheel[1] + 6, wheel[3] - 4, 5):
        p.rect(img, (wheel[0] + 2, y, wheel[2] - 2, y + 1), (8, 9, 10))
        p.rect(img, (wheel[0] + 2, y + 1, wheel[2] - 2, y + 2), (140, 146, 155), opacity=0.3)
    p.rect(img, (wx - 1, wheel[1] + 4, wx + 1, wheel[3] - 4), p.ORANGE, 1, opacity=0.9)
    for label, direction in ((up, "up"), (down, "down")):
        y = (label.top + label.bottom) / 2
        ax = wheel[2] + 16
        p.triangle(img, ax, y, 10, p.ORANGE, direction)
        p.line(img, [(ax + 8, y), (label.left - 9, y)], p.ORANGE, 1.2, opacity=0.8)
    return img


def label_pip(img, box, state):
    l, t, r, b = box
    colour = {"n": p.ORANGE, "o": p.WHITE, "d": p.ORANGE_LIGHT}[state]
    p.rect(img, (l + 6, t + 7, l + 9, b - 7), colour, 1.5)


def button_page(win, layout):
    base = button_page_base(win)
    decor = {f"Label{i}": label_pip for i in range(7)}
    return three_state(win, base, decor=decor)


def mouse_pictures(win, layout, lit):
    page = layout["button_page"]
    origin = page.points["MousePicture"]
    background = button_page_base(page).copy().crop((origin[0], origin[1], origin[0] + win.width,
                                              origin[1] + win.height))
    mouse = Mouse(page.lines)
    out = {}
    for role, state in STATES:
        img = background.copy()
        mouse.draw(img, origin, lit, state)
        out[role] = img
    return out


# ---------------------------------------------------------------- menus

def menu_item_face(img, box, state, first, last, divider_on_top):
    l, t, r, b = box
    top, bottom = {"n": ((252, 252, 253), (232, 235, 239)), "o": ((196, 92, 22), (160, 64, 10)),
                   "d": ((30, 33, 38), (44, 48, 55))}[state]
    p.rect(img, box, MENU_LINE)
    inner = (l + 1, t + (1 if divider_on_top or first else 0), r - 1, b)
    p.rect(img, inner, p.Gradient(inner, top, bottom))
    stripe = {"n": (214, 218, 224), "o": (255, 206, 150), "d": p.ORANGE}[state]
    p.rect(img, (inner[0] + 1, inner[1] + 2, inner[0] + 3, inner[3] - 2), stripe)
    if state == "n":
        p.rect(img, (inner[0], inner[1], inner[2], inner[1] + 1), p.WHITE, opacity=0.9)
    if state == "d":
        p.rect(img, (inner[0], inner[1], inner[2], inner[1] + 2), p.BLACK, opacity=0.45)


def menu(win, layout, chevrons=()):
    count, pitch, height, _, _ = win.items
    img = Image.new("RGBA", win.size, p.rgba(MENU_LINE))
    out = {}
    for role in win.files:
        state = {"Normal": "n", "Over": "o", "Down": "d", "DownAlt": "d"}[role]
        pic = img.copy()
        for i, item in enumerate(win.item_controls()):
            box = item.rect.box
            menu_item_face(pic, box, state, i == 0, i == count - 1, divider_on_top=height == pitch)
            if i in chevrons:
                colour = {"n": GLYPH_DARK, "o": p.WHITE, "d": p.ORANGE_LIGHT}[state]
                cy = (box[1] + box[3] + (1 if height == pitch else 0)) / 2
                p.chevron(pic, box[2] - 12, cy, 9, colour, 1.5)
        out[role] = pic
    return out


# ---------------------------------------------------------------- combination-key dialog

def keycap(img, box, wide=False):
    l, t, r, b = box
    p.rect(img, (l, t + 2, r, b + 2), p.BLACK, 3, opacity=0.25, blur=1)
    p.rect(img, box, (118, 124, 134), 3)
    p.rect(img, (l + 1, t + 1, r - 1, b - 1), p.Gradient(box, (252, 252, 253), (214, 218, 224)),
           2)
    p.rect(img, (l + 3, t + 2, r - 3, b - 4), p.Gradient(box, p.WHITE, (236, 238, 242)), 2)


def combo(win, layout):
    c = win.controls
    img = metal_window(win, seed=31)
    w, h = win.size
    title_band(img, (1, 1, w - 1, 28), seed=32)
    area = c["TextArea"].rect
    # A light recessed field for the black combination text.
    p.rect(img, area.grow(1).box, p.WHITE, 4, opacity=0.9)
    p.rect(img, (area.left - 1, area.top - 1, area.right + 1, area.bottom), (110, 116, 126), 4)
    p.rect(img, area.box, p.Gradient(area.box, (236, 239, 243), (252, 253, 253)), 3)
    p.rect(img, (area.left + 1, area.top, area.right - 1, area.top + 2), p.BLACK, opacity=0.12)
    p.rect(img, (area.right - 12, area.top + 6, area.right - 10, area.bottom - 6), p.ORANGE, 1)
    # Three key caps joined by plus marks: what the dialog captures.
    ok = c["Ok"].rect
    y0, y1 = ok.top + 6, ok.bottom - 6
    x = 26
    for i, width in enumerate((34, 30, 26)):
        keycap(img, (x, y0, x + width, y1))
        x += width
        if i < 2:
            cx, cy = x + 8, (y0 + y1) / 2
            p.line(img, [(cx - 4, cy), (cx + 4, cy)], p.ORANGE_DEEP, 1.8)
            p.line(img, [(cx, cy - 4), (cx, cy + 4)], p.ORANGE_DEEP, 1.8)
            x += 16
    return three_state(win, img)


# ---------------------------------------------------------------- macro editor

def macro(win, layout):
    c = win.controls
    img = metal_window(win, seed=41)
    w, h = win.size
    title_band(img, (1, 1, w - 1, 30), seed=42)
    stripes(img, c["PanelCaption"].rect.right + 8, 9, 14, step=6, width=3, slant=5)
    for name in ("MacroList", "EventList"):
        r = c[name].rect
        p.glass(img, r.grow(2).box, radius=3, top=(0, 0, 0), bottom=(0, 0, 0), gloss=False)
    # The right-hand group: recording controls on a raised plate.
    group = c["LoopBox"].rect.union(c["ModifyDelay"].rect).union(c["Record"].rect).grow(5)
    p.raised(img, (group.left + 2, group.top, group.right, group.bottom), radius=5,
             top=(238, 240, 243), bottom=(222, 225, 230))
    for name in ("LoopCount", "DelayField"):
        r = c[name].rect
        p.glass(img, r.box, radius=2, top=(0, 0, 0), bottom=(0, 0, 0), gloss=False)
    # The mouse whose three buttons record mouse clicks: its outline follows the three
    # pictured buttons, its palm reaches down to the OK button.
    left, mid, right = c["LeftButton"].rect, c["MiddleButton"].rect, c["RightButton"].rect
    body = (left.left - 3, left.top - 3, right.right + 3, c["Ok"].rect.top - 4)
    outline = p.corners(body, 15, 15, 30, 30)
    p.polygon(img, [(x + 1, y + 4) for x, y in outline], p.BLACK, opacity=0.45, blur=3)
    p.polygon(img, outline, (12, 13, 15))
    shell = p.corners((body[0] + 1, body[1] + 1, body[2] - 1, body[3] - 1), 14, 14, 29, 29)
    p.polygon(img, shell, p.Gradient(body, (78, 84, 94), (28, 31, 36), horizontal=True))
    p.ellipse(img, (body[0] + 6, left.bottom + 2, (body[0] + body[2]) / 2, body[3] - 6), p.WHITE,
              opacity=0.08, blur=4)
    p.rect(img, (left.left, left.bottom + 1, right.right, left.bottom + 2), (8, 9, 11))
    p.rect(img, (mid.left, mid.top - 1, mid.right, mid.bottom), (6, 7, 8), 3)
    palm_y = (left.bottom + body[3]) / 2
    p.emblem(img, (body[0] + body[2]) / 2, palm_y, 12, shadowed=False)

    def mouse_button(kind):
        def paint_button(img, box, state):
            l, t, r, b = box
            base = {"n": (108, 115, 126), "o": (214, 110, 34), "d": (50, 54, 61)}[state]
            light, dark = p.mix(base, p.WHITE, 0.16), p.mix(base, p.BLACK, 0.38)
            if kind == "middle":
                wheel = (l + 6, t + 3, r - 6, b - 7)
                p.rect(img, box, (6, 7, 8), 3)
                p.rect(img, wheel, p.Gradient(wheel, dark, light, horizontal=True), 4)
                for y in range(wheel[1] + 4, wheel[3] - 2, 4):
                    p.rect(img, (wheel[0] + 1, y, wheel[2] - 1, y + 1), (10, 11, 13), opacity=0.8)
                stripe = p.WHITE if state == "o" else (p.ORANGE if state == "d" else (160, 84, 30))
                cx = (l + r) / 2
                p.rect(img, (cx - 0.75, wheel[1] + 2, cx + 0.75, wheel[3] - 2), stripe)
                return
            radii = (11, 2, 3, 3) if kind == "left" else (2, 11, 3, 3)
            rounded = p.corners((l + 0.5, t + 0.5, r - 0.5, b - 0.5), *radii)
            p.polygon(img, rounded, p.Gradient(box, light, dark))
            p.polygon(img, p.corners((l + 2, t + 1.5, r - 2, t + 9), *(max(1, v - 2)
                                                                      for v in radii[:2]), 2, 2),
                      p.WHITE, opacity=0.18 if state != "d" else 0.05)
            if state == "d":
                p.rect(img, (l + 1, t + 1, r - 1, t + 3), p.BLACK, opacity=0.4)
        return paint_button

    def record_dot(img, box, state):
        l, t, r, b = box
        cy = (t + b) / 2
        if state == "d":
            p.ellipse(img, (l + 7, cy - 8, l + 23, cy + 8), (255, 80, 50), opacity=0.5, blur=2)
        p.ellipse(img, (l + 10, cy - 5, l + 20, cy + 5), (214, 52, 30) if state != "o" else p.WHITE)
        p.ellipse(img, (l + 12, cy - 4, l + 16, cy - 1), p.WHITE, opacity=0.45)

    def box_glyph(offset):
        def draw_box(img, box, state):
            l, t, r, b = box
            size = min(12, b - t - 6)
            y = (t + b - size) // 2
            p.check_box(img, (l + offset, y, l + offset + size, y + size), state,
                        checked=state == "d")
        return draw_box

    decor = {"Record": record_dot, "LoopBox": box_glyph(5), "DelayBox": box_glyph(5)}
    override = {"LeftButton": mouse_button("left"), "MiddleButton": mouse_button("middle"),
                "RightButton": mouse_button("right")}
    return three_state(win, img, decor=decor, override=override)


def macro_icons(win, layout):
    out = {}
    dim, lit = (96, 116, 146), p.ORANGE_LIGHT
    for role in win.files:
        selected = role.endswith("Selected")
        colour = lit if selected else dim
        img = Image.new("RGBA", win.size, (0, 0, 0, 0))
        kind = role.replace("Selected", "")
        if kind in ("Up", "Press"):
            # A key cap and an arrow: away from it for a release, onto it for a press.
            p.rect(img, (2, 11, 14, 15), colour, 1.5)
            p.rect(img, (3, 11.5, 13, 12.5), p.WHITE, opacity=0.35)
            if kind == "Up":
                p.triangle(img, 8, 4.2, 9, colour, "up")
                p.rect(img, (6.8, 6, 9.2, 10), colour)
            else:
                p.rect(img, (6.8, 0.5, 9.2, 5), colour)
                p.triangle(img, 8, 6.8, 9, colour, "down")
        else:
            # A stopwatch.
            p.ellipse(img, (2, 3, 14, 15), colour)
            p.ellipse(img, (3.6, 4.6, 12.4, 13.4), (12, 13, 15))
            p.rect(img, (6.5, 0.5, 9.5, 2.5), colour, 0.5)
            p.line(img, [(8, 9), (8, 6)], colour, 1.3)
            p.line(img, [(8, 9), (10.5, 10.5)], colour, 1.3)
        out[role] = img
    return out


# ---------------------------------------------------------------- reset dialog

def warning(img, cx, cy, size):
    s = size / 2
    pts = [(cx, cy - s), (cx + s * 1.08, cy + s * 0.86), (cx - s * 1.08, cy + s * 0.86)]
    p.polygon(img, [(x, y + 2) for x, y in pts], p.BLACK, opacity=0.3, blur=1.5)
    p.polygon(img, pts, p.Gradient((cx - s, cy - s, cx + s, cy + s), p.ORANGE_LIGHT,
                                   p.ORANGE_DEEP))
    p.line(img, [(cx, cy - s * 0.35), (cx, cy + s * 0.28)], (30, 33, 38), size / 9)
    p.ellipse(img, (cx - size / 14, cy + s * 0.48, cx + size / 14, cy + s * 0.62 + size / 14),
              (30, 33, 38))


def reset(win, layout):
    c = win.controls
    img = metal_window(win, seed=51)
    w, h = win.size
    title_band(img, (1, 1, w - 1, 30), dark=True)
    info = c["Info"].rect
    inset = (info.left - 4, info.top - 5, info.right - 3, c["Ok"].rect.top - 4)
    p.glass(img, inset, radius=5)
    warning(img, (12 + inset[0]) / 2, (inset[1] + inset[3]) / 2, 34)
    return three_state(win, img, override={"Close": lambda i, b, s: glyph_button(
        i, b, s, "close", on_dark=True)})


# ---------------------------------------------------------------- about box

def about(win, layout):
    c = win.controls
    img = metal_window(win, seed=61)
    w, h = win.size
    hero = (1, 1, w - 1, 66)
    p.rect(img, hero, p.Gradient(hero, (30, 33, 38), (10, 11, 13)))
    p.ellipse(img, (-40, -50, 200, 110), p.ORANGE, opacity=0.16, blur=20)
    p.rect(img, (1, hero[3], w - 1, hero[3] + 1), p.ORANGE_DEEP)
    p.rect(img, (1, hero[3] + 1, w - 1, hero[3] + 2), p.ORANGE, opacity=0.5)
    p.emblem(img, 38, 33, 42, shadowed=True)
    stripes(img, 70, 20, 26, count=3, step=9, width=5, slant=8)
    rule = (112, 33, 300, 34)
    p.rect(img, rule, p.Gradient(rule, p.ORANGE, (30, 33, 38), horizontal=True), opacity=0.8)
    texts = [c[n].rect for n in ("VersionCaption", "SupportCaption", "ForumCaption",
                                 "InfoCaption", "HomeLink", "ForumLink")]
    box = texts[0]
    for r in texts:
        box = box.union(r)
    inset = (box.left - 6, box.top - 4, w - 10, c["Ok"].rect.top - 6)
    p.glass(img, inset, radius=5)
    return three_state(win, img, override={"Close": lambda i, b, s: glyph_button(
        i, b, s, "close", on_dark=True)})


# ---------------------------------------------------------------- sensitivity page

def slider_groove(img, track):
    l, t, r, b = track.box
    cy = (t + b) / 2
    groove = (l + 2, cy - 2, r - 2, cy + 2)
    p.rect(img, (groove[0], groove[1], groove[2], groove[3] + 1), (70, 75, 83), 2)
    p.rect(img, groove, p.Gradient(groove, (0, 0, 0), (24, 26, 30)), 2)
    p.rect(img, (l + 3, cy - 0.5, l + 60, cy + 0.5), p.ORANGE_DEEP, opacity=0.7)
    thumb = 16
    for k in range(10):
        x = round(l + thumb / 2 + k * (track.width - thumb) / 9) - 0.5
        p.rect(img, (x, t, x + 1, t + 2), (96, 102, 112))
        p.rect(img, (x, b - 2, x + 1, b), (96, 102, 112))


def sensitivity(win, layout):
    c = win.controls
    img = metal_window(win, seed=71, frame=False)
    groups = [
        [c["SpeedCaption"], c["SpeedSlider"], c["Acceleration"], c["AccelerationCaption"]],
        [c["WheelCaption"], c["WheelSlider"]],
        [c["DoubleClickCaption"], c["DoubleClickSlider"]],
    ]
    for members in groups:
        box = members[0].rect
        for m in members:
            box = box.union(m.rect)
        inset = (box.left - 7, box.top - 6, box.right + 8, box.bottom + 14)
        p.glass(img, inset, radius=6)
        slider = [m for m in members if m.kind == "Slider"][0]
        slider_groove(img, slider.rect)
        # Slow and fast marks at the ends of the travel.
        y = slider.rect.bottom + 6
        p.triangle(img, slider.rect.left + 4, y, 5, (110, 116, 126), "left")
        p.triangle(img, slider.rect.right - 4, y, 7, p.ORANGE, "right")
        p.rect(img, (slider.rect.left + 9, y - 0.5, slider.rect.right - 9, y + 0.5),
               (60, 64, 71))
    # The acceleration row: a rising curve before the check box.
    box = c["Acceleration"].rect
    curve = p.path([(box.left - 52, box.bottom - 2), (box.left - 30, box.bottom - 2),
                    (box.left - 16, box.bottom - 6), (box.left - 8, box.top + 1)])
    p.line(img, curve, p.ORANGE, 1.6)
    p.line(img, [(box.left - 54, box.bottom - 1), (box.left - 54, box.top - 1)], (90, 96, 106), 1)
    p.line(img, [(box.left - 54, box.bottom - 1), (box.left - 6, box.bottom - 1)], (90, 96, 106),
           1)
    # The scroll test's window.
    area = c["TestArea"].rect
    bezel = area.grow(4)
    p.rect(img, bezel.grow(1).box, p.WHITE, 6, opacity=0.8)
    p.rect(img, bezel.box, p.Gradient(bezel.box, (44, 48, 54), (22, 24, 28)), 5)
    p.rect(img, area.grow(1).box, (4, 5, 6), 2)
    p.rect(img, area.box, (0, 0x61, 0x96))
    # The resolution group and the dial under it.
    levels = c["Cpi800"].rect.union(c["Cpi2400"].rect)
    caption = c["CpiCaption"].rect
    group = (levels.left - 8, caption.top - 10, levels.right + 9, levels.bottom + 9)
    p.glass(img, group, radius=6)
    p.rect(img, (levels.left + 14, (caption.bottom + levels.top) // 2,
                 levels.right - 14, (caption.bottom + levels.top) // 2 + 1), p.ORANGE_DEEP,
           opacity=0.9)
    dial = (group[0], group[3] + 12, group[2], win.height - 8)
    p.raised(img, dial, radius=6)
    cx, cy = (dial[0] + dial[2]) / 2, dial[3] - 18
    radius = min((dial[2] - dial[0]) / 2 - 18, dial[3] - dial[1] - 30)
    ring = (cx - radius, cy - radius, cx + radius, cy + radius)
    p.draw(img, (176, 181, 189), ring, build=lambda pen: pen.arc(ring, 180, 360, 8))
    for i, (a0, a1) in enumerate(((182, 238), (242, 298), (302, 358))):
        colour = p.mix(p.ORANGE_DEEP, p.ORANGE_LIGHT, i / 2)
        p.draw(img, colour, ring, build=lambda pen, a0=a0, a1=a1: pen.arc(ring, a0, a1, 8))
    needle = (cx + radius * 0.78 * -0.5, cy - radius * 0.78 * 0.866)
    p.line(img, [(cx, cy), needle], (40, 44, 50), 2.2)
    p.ellipse(img, (cx - 6, cy - 6, cx + 6, cy + 6), p.Gradient((cx - 6, cy - 6, cx + 6, cy + 6),
                                                                 (90, 96, 106), (30, 33, 38)))
    return three_state(win, img)


def scroll_test(win, layout):
    """The picture behind the scroll test: bands one wheel line (27 pixels) high and columns one
    step wide, rings round the point under the page's cross lines at rest, and arrows that show
    which way the picture has moved."""
    sens = layout["sensitivity"]
    area = sens.controls["TestArea"].rect
    iw, ih = win.size
    # At rest the page shows the part at ((iw - 175) / 2, (ih - 253) / 2 - 17).
    view_x, view_y = (iw - area.width) // 2, (ih - area.height) // 2 - 17
    vx = sens.lines["TestVertical"][0] - area.left + view_x + 1
    hy = sens.lines["TestHorizontal"][1] - area.top + view_y + 1
    step = 27
    img = Image.new("RGBA", win.size, (0, 0x61, 0x96, 255))
    for k in range(-20, 21):
        y0 = hy - step / 2 + k * step
        if k % 2:
            p.rect(img, (0, y0, iw, y0 + step), (0, 0x55, 0x86))
    for k in range(-10, 11):
        x = vx + k * step
        p.rect(img, (x - 0.5, 0, x + 0.5, ih), (70, 150, 200), opacity=0.35)
    for k in range(-20, 21):
        y = hy + k * step
        p.rect(img, (0, y - 0.5, iw, y + 0.5), (70, 150, 200), opacity=0.35)
    for r in range(2, 40, 2):
        ring = (vx - r * step, hy - r * step, vx + r * step, hy + r * step)
        p.draw(img, (140, 200, 235), ring, build=lambda pen, ring=ring: pen.arc(ring, 0, 360, 1.2),
               opacity=0.35)
    for k in range(1, 17):
        for sign, direction in ((-1, "up"), (1, "down")):
            y = hy + sign * k * step
            if 0 < y < ih:
                p.chevron(img, vx, y, 10, p.ORANGE_LIGHT, 2, direction)
        for sign, direction in ((-1, "left"), (1, "right")):
            x = vx + sign * k * step
            if 0 < x < iw:
                p.chevron(img, x, hy, 10, p.ORANGE_LIGHT, 2, direction)
    p.ellipse(img, (vx - 14, hy - 14, vx + 14, hy + 14), p.ORANGE, opacity=0.35, blur=3)
    p.draw(img, p.ORANGE_LIGHT, (vx - 10, hy - 10, vx + 10, hy + 10),
           build=lambda pen: pen.arc((vx - 10, hy - 10, vx + 10, hy + 10), 0, 360, 2.5))
    p.ellipse(img, (vx - 3, hy - 3, vx + 3, hy + 3), p.WHITE)
    return {"Picture": img}


def slider_thumb(win, layout):
    """The thumb: opaque, with transparent corners that its window's shape leaves out. No pixel
    is pure black, which the shape would also drop."""
    w, h = win.size
    img = Image.new("RGBA", win.size, (0, 0, 0, 0))
    p.rect(img, (0, 0, w, h), (58, 62, 70), 3)
    p.rect(img, (1, 1, w - 1, h - 1), p.Gradient((1, 1, w - 1, h - 1), (252, 252, 253),
                                                 (196, 201, 208)), 2)
    p.rect(img, (w / 2 - 1, 3, w / 2 + 1, h - 3), p.ORANGE, 0.5)
    for x in (w / 2 - 4, w / 2 + 3):
        p.rect(img, (x, 4, x + 1, h - 4), (120, 126, 136))
    # Binary alpha: the shape is cut from the fully transparent corners only.
    alpha = img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    rgb = img.convert("RGB")
    rgb = Image.eval(rgb, lambda v: max(v, 8))
    out = rgb.convert("RGBA")
    out.putalpha(alpha)
    return {"Picture": out}


# ---------------------------------------------------------------- progress popup

def progress(win, layout):
    c = win.controls
    w, h = win.size
    img = metal_window(win, seed=81)
    inner = (4, 4, w - 4, h - 4)
    p.glass(img, inner, radius=5)
    bar = c["Bar"].rect
    update = c["UpdateCaption"].rect
    p.emblem(img, (inner[0] + update.left) / 2 + 1, update.top + 11, 18, shadowed=False)
    groove_box = bar.grow(1).box
    p.rect(img, (groove_box[0], groove_box[1] + 1, groove_box[2], groove_box[3] + 1),
           (80, 86, 95), 3)
    p.rect(img, groove_box, (2, 2, 3), 3)
    p.rect(img, bar.box, p.Gradient(bar.box, (14, 15, 18), (30, 33, 38)), 2)
    for x in range(bar.left + 26, bar.right - 4, 26):
        p.rect(img, (x, bar.top + 3, x + 1, bar.bottom - 3), (44, 48, 54))
    filled = img.copy()
    p.rect(filled, bar.box, p.Gradient(bar.box, p.ORANGE_LIGHT, p.ORANGE_DEEP), 2)
    p.rect(filled, (bar.left + 1, bar.top + 1, bar.right - 1, bar.top + 6), p.WHITE, 2,
           opacity=0.3)
    for x in range(bar.left - 10, bar.right, 12):
        p.polygon(filled, [(x, bar.bottom - 1), (x + 6, bar.top + 1), (x + 11, bar.top + 1),
                           (x + 5, bar.bottom - 1)], p.WHITE, opacity=0.12,
                  clip=lambda pen: pen.rect(bar.inset(1).box))
    return {"Normal": img, "Fill": filled}


PAINTERS = {
    "main_dialog": main_dialog,
    "button_page": button_page,
    "mouse1": lambda w, l: mouse_pictures(w, l, lit=False),
    "mouse2": lambda w, l: mouse_pictures(w, l, lit=True),
    "function_menu": lambda w, l: menu(w, l, chevrons=(7, 8, 9)),
    "submenu": menu,
    "combo": combo,
    "macro": macro,
    "macro_icon": macro_icons,
    "reset": reset,
    "sensitivity": sensitivity,
    "scroll_test": scroll_test,
    "slider_thumb": slider_thumb,
    "about": about,
    "menu1": menu,
    "menu2": menu,
    "menu3": menu,
    "progress": progress,
}
