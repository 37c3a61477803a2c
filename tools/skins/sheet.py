"""The contact sheet (docs/skins.png): every picture of the skin table with the table's
rectangles outlined over it, and the icons at all their sizes, for review."""

from PIL import Image, ImageDraw, ImageFont

WIDTH = 2140
GAP = 16
BACKGROUND = (46, 49, 54, 255)
INK = (230, 232, 236, 255)
OUTLINE = {
    "Button": (255, 40, 120), "Glyph": (255, 40, 120), "Check": (255, 40, 120),
    "Level": (255, 40, 120), "MouseButton": (255, 40, 120), "Plate": (255, 40, 120),
    "Caption": (0, 210, 255), "Link": (0, 210, 255),
    "List": (190, 90, 255), "Field": (190, 90, 255), "TextArea": (190, 90, 255),
    "Slider": (60, 230, 90), "Bar": (60, 230, 90), "Picture": (60, 230, 90),
    "Page": (60, 230, 90),
}
LINE = (255, 255, 0)
SCALE = {"scroll_test": 0.5}
ZOOM = {"macro_icon": 4, "slider_thumb": 4}
# The tray menu draws its icons on these (selected and normal item).
ICON_BACKGROUND = {True: (177, 185, 207, 255), False: (219, 216, 209, 255)}


def _font(size):
    for name in ("DejaVuSans.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"):
        try:
            return ImageFont.truetype(name, size)
        except OSError:
            pass
    return ImageFont.load_default()


def _outlined(win, img):
    """The picture with the window's rectangles and lines drawn over it."""
    out = img.copy().convert("RGBA")
    over = Image.new("RGBA", out.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(over)
    for c in win.all_controls():
        r = c.rect.clip(*win.size)
        if r.width > 0 and r.height > 0:
            d.rectangle((r.left, r.top, r.right - 1, r.bottom - 1),
                        outline=OUTLINE[c.kind] + (230,))
    for x1, y1, x2, y2 in win.lines.values():
        d.line((x1, y1, x2, y2), fill=LINE + (230,))
    for x, y in win.points.values():
        d.line((x - 4, y, x + 4, y), fill=LINE + (255,))
        d.line((x, y - 4, x, y + 4), fill=LINE + (255,))
    return Image.alpha_composite(out, over)


def _block(title, tiles, font, small):
    """A titled row of (caption, picture) tiles."""
    width = sum(t.width for _, t in tiles) + GAP * (len(tiles) - 1)
    height = max(t.height for _, t in tiles) + 40
    width = max(width, round(font.getlength(title)) + 4)
    block = Image.new("RGBA", (width, height), BACKGROUND)
    d = ImageDraw.Draw(block)
    d.text((0, 0), title, font=font, fill=INK)
    x = 0
    for caption, tile in tiles:
        d.text((x, 20), caption, font=small, fill=(170, 175, 182, 255))
        block.alpha_composite(tile.convert("RGBA"), (x, 38))
        x += tile.width + GAP
    return block


def contact_sheet(table, pictures, icon_previews):
    font, small = _font(15), _font(12)
    blocks = []
    for win in table.windows.values():
        tiles = []
        for role, name in win.files.items():
            img = pictures[(win.id, role)]
            if win.id in ZOOM:
                img = img.resize((img.width * ZOOM[win.id], img.height * ZOOM[win.id]),
                                 Image.Resampling.NEAREST)
            else:
                img = _outlined(win, img)
            if win.id in SCALE:
                s = SCALE[win.id]
                img = img.resize((round(img.width * s), round(img.height * s)),
                                 Image.Resampling.LANCZOS)
            tiles.append((name, img))
        title = f"skins/{win.area}  ·  {win.id}  ·  {win.width} × {win.height}"
        blocks.append(_block(title, tiles, font, small))
    for name, images in icon_previews.items():
        tiles = []
        for img in images:
            tile = Image.new("RGBA", img.size, ICON_BACKGROUND["selected" in name])
            tile.alpha_composite(img)
            tiles.append((f"{img.width}", tile))
        blocks.append(_block(f"{name}  ·  icon", tiles, font, small))
    # Shelf packing: blocks left to right, a new shelf when the width is used up.
    shelves, shelf, used = [], [], 0
    for b in blocks:
        if shelf and used + GAP * 2 + b.width > WIDTH - 2 * GAP:
            shelves.append(shelf)
            shelf, used = [], 0
        shelf.append(b)
        used += b.width + GAP * 2
    shelves.append(shelf)
    height = sum(max(b.height for b in s) + GAP * 2 for s in shelves) + GAP
    out = Image.new("RGBA", (WIDTH, height), BACKGROUND)
    y = GAP
    for s in shelves:
        x = GAP
        for b in s:
            out.alpha_composite(b, (x, y))
            x += b.width + GAP * 2
        y += max(b.height for b in s) + GAP * 2
    return out.convert("RGB")
