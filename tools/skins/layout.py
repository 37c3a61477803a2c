"""Reads the skin table, src/common/ui/SkinLayout.inc, the one place that holds every picture's
name and size and every rectangle drawn on it. The C++ side includes the same rows as X-macros;
here each row is parsed as a call with literal arguments, and anything else outside comments and
preprocessor lines is an error, so a typo cannot silently drop a rectangle."""

import re
from dataclasses import dataclass, field
from pathlib import Path

TABLE = Path(__file__).resolve().parents[2] / "src" / "common" / "ui" / "SkinLayout.inc"

# The kinds whose pictures a control cuts out of its window's three pictures: they are drawn in
# every state, everything else is the same in the three pictures of a set.
STATEFUL = {"Button", "Glyph", "Check", "Level", "MouseButton"}


@dataclass(frozen=True)
class Rect:
    left: int
    top: int
    right: int
    bottom: int

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    @property
    def box(self):
        return (self.left, self.top, self.right, self.bottom)

    def inset(self, d):
        return Rect(self.left + d, self.top + d, self.right - d, self.bottom - d)

    def grow(self, dx, dy=None):
        dy = dx if dy is None else dy
        return Rect(self.left - dx, self.top - dy, self.right + dx, self.bottom + dy)

    def clip(self, width, height):
        return Rect(max(0, self.left), max(0, self.top), min(width, self.right),
                    min(height, self.bottom))

    def union(self, other):
        return Rect(min(self.left, other.left), min(self.top, other.top),
                    max(self.right, other.right), max(self.bottom, other.bottom))


@dataclass(frozen=True)
class TextStyle:
    name: str
    normal: int
    over: int
    down: int
    checked: int


@dataclass(frozen=True)
class Control:
    window: str
    name: str
    kind: str
    text: TextStyle
    checked: str
    rect: Rect

    @property
    def stateful(self):
        return self.kind in STATEFUL


@dataclass(eq=False)  # one object per window: hashed by identity
class Window:
    id: str
    area: str
    width: int
    height: int
    files: dict = field(default_factory=dict)  # role -> file name, in table order
    controls: dict = field(default_factory=dict)  # name -> Control, in table order
    points: dict = field(default_factory=dict)
    lines: dict = field(default_factory=dict)
    items: tuple = None  # (count, pitch, height, TextStyle, checked)

    def item_controls(self):
        """The menu item buttons as controls (0, pitch i, width, pitch i + height)."""
        if not self.items:
            return []
        count, pitch, height, style, checked = self.items
        return [Control(self.id, f"Item{i}", "Button", style, checked,
                        Rect(0, pitch * i, self.width, pitch * i + height))
                for i in range(count)]

    def all_controls(self):
        return list(self.controls.values()) + self.item_controls()

    @property
    def size(self):
        return (self.width, self.height)


class Layout:
    def __init__(self, windows, styles):
        self.windows = windows  # id -> Window, in table order
        self.styles = styles

    def __getitem__(self, window_id):
        return self.windows[window_id]

    def files(self):
        """(window, role, area, file) for every file of the table."""
        for w in self.windows.values():
            for role, name in w.files.items():
                yield w, role, w.area, name


ROW = re.compile(r"^K2Q_SKIN_(\w+)\((.*)\)$")
ARITY = {"TEXT": 5, "WINDOW": 4, "FILE": 3, "LTRB": 9, "XYWH": 9, "POINT": 4, "LINE": 6,
         "ITEMS": 6}


def _value(text):
    text = text.strip()
    if text.startswith('"'):
        if not text.endswith('"') or len(text) < 2:
            raise ValueError(f"bad string {text}")
        return text[1:-1]
    if re.fullmatch(r"0[xX][0-9a-fA-F]+|-?\d+", text):
        return int(text, 0)
    if re.fullmatch(r"[A-Za-z_]\w*", text):
        return text
    raise ValueError(f"bad argument {text!r}")


def _rows(path):
    in_define = False
    for number, raw in enumerate(Path(path).read_text().splitlines(), 1):
        line = raw.split("//", 1)[0].strip()
        if in_define or line.startswith("#"):
            in_define = line.endswith("\\")
            continue
        if not line:
            continue
        m = ROW.match(line)
        if not m or m.group(1) not in ARITY:
            raise ValueError(f"{path}:{number}: not a skin table row: {raw.strip()}")
        args = [_value(a) for a in m.group(2).split(",")]
        if len(args) != ARITY[m.group(1)]:
            raise ValueError(f"{path}:{number}: {m.group(1)} takes {ARITY[m.group(1)]} values")
        yield number, m.group(1), args


def load(path=TABLE):
    windows, styles = {}, {}
    for number, row, args in _rows(path):
        def window(name):
            if name not in windows:
                raise ValueError(f"{path}:{number}: window {name} is not declared above")
            return windows[name]

        def style(name):
            if name not in styles:
                raise ValueError(f"{path}:{number}: text style {name} is not declared above")
            return styles[name]

        if row == "TEXT":
            styles[args[0]] = TextStyle(*args)
        elif row == "WINDOW":
            windows[args[0]] = Window(args[0], args[1], args[2], args[3])
        elif row == "FILE":
            window(args[0]).files[args[1]] = args[2]
        elif row in ("LTRB", "XYWH"):
            w, name, kind, text, checked, a, b, c, d = args
            rect = Rect(a, b, c, d) if row == "LTRB" else Rect(a, b, a + c, b + d)
            window(w).controls[name] = Control(w, name, kind, style(text), checked, rect)
        elif row == "POINT":
            window(args[0]).points[args[1]] = (args[2], args[3])
        elif row == "LINE":
            window(args[0]).lines[args[1]] = tuple(args[2:])
        elif row == "ITEMS":
            w, count, pitch, height, text, checked = args
            window(w).items = (count, pitch, height, style(text), checked)
    return Layout(windows, styles)
