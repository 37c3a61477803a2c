#!/usr/bin/python3
"""Makes every skin picture of the skin table, the program and tray-menu icons, and the contact
sheet.

    make_skins.py [--skins DIR] [--icons DIR] [--sheet FILE]
    make_skins.py --list-outputs --skins DIR --icons DIR

Pictures go to DIR/<area>/<file> with the table's exact names: PNG, or 24-bit BMP for the
menu pictures. Run with Debian's /usr/bin/python3 (Pillow)."""

import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import icons  # noqa: E402
import layout  # noqa: E402
import sheet  # noqa: E402
from windows import PAINTERS  # noqa: E402


def render(table):
    """{(window id, role): RGBA picture} for every file of the table."""
    pictures = {}
    for win in table.windows.values():
        made = PAINTERS[win.id](win, table)
        for role in win.files:
            img = made[role]
            if img.size != win.size:
                raise ValueError(f"{win.id} {role}: drew {img.size}, the table says {win.size}")
            pictures[(win.id, role)] = img
    return pictures


def save(img, path):
    path.parent.mkdir(parents=True, exist_ok=True)
    tmp = path.with_name(path.name + ".tmp")
    if path.suffix.lower() == ".bmp":
        img.convert("RGB").save(tmp, format="BMP")
    else:
        img.save(tmp, format="PNG")
    tmp.replace(path)


def outputs(table, skins, icon_dir):
    files = [skins / area / name for _, _, area, name in table.files()]
    if icon_dir:
        files += [icon_dir / name for name in icons.ICONS]
    return files


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--table", type=Path, default=layout.TABLE)
    ap.add_argument("--skins", type=Path)
    ap.add_argument("--icons", type=Path)
    ap.add_argument("--sheet", type=Path)
    ap.add_argument("--list-outputs", action="store_true")
    args = ap.parse_args(argv)
    table = layout.load(args.table)
    if args.list_outputs:
        if not args.skins:
            ap.error("--list-outputs needs --skins")
        print(";".join(str(f) for f in outputs(table, args.skins, args.icons)))
        return 0
    pictures = render(table)
    if args.skins:
        for win, role, area, name in table.files():
            save(pictures[(win.id, role)], args.skins / area / name)
    if args.icons:
        icons.write_all(args.icons)
    if args.sheet:
        save(sheet.contact_sheet(table, pictures, icons.previews()), args.sheet)
    return 0


if __name__ == "__main__":
    sys.exit(main())
