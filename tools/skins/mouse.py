"""The mouse seen from above, for the button page. Its parts sit where the page's leader lines
end: the left and right buttons under the ends of lines 0 and 2, the wheel along line 1, the two
side buttons at the ends of lines 3 and 4. Coordinates are page coordinates; the picture is
drawn at the page's MousePicture point."""

import paint as p

TOP, BOTTOM = 27, 322  # the body's extent on the page
SEAM = 138  # where the two buttons end and the palm begins
SHELL = (12, 13, 15)


def _outline(cx):
    """The body's outline: the right half, then the left half mirrored."""
    h = BOTTOM - TOP
    y = lambda f: TOP + h * f  # noqa: E731
    right = p.path(
        [(cx, TOP), (cx + 33, TOP), (cx + 51, y(0.05)), (cx + 56, y(0.19))],
        [(cx + 56, y(0.19)), (cx + 60, y(0.31)), (cx + 67, y(0.49)), (cx + 68, y(0.61))],
        [(cx + 68, y(0.61)), (cx + 69, y(0.77)), (cx + 63, y(0.91)), (cx + 47, y(0.965))],
        [(cx + 47, y(0.965)), (cx + 33, y(1.0)), (cx + 15, y(1.0)), (cx, y(1.0))],
    )
    return right + list(reversed(p.mirror(right, cx)))[1:]




class Mouse:
    def __init__(self, lines):
        wheel = lines["Leader1"]
        self.cx = wheel[0]
        self.wheel = (self.cx - 6, wheel[1] + 4, self.cx + 6, wheel[3] - 4)
        # Outer tips of the side buttons: the ends of their leader lines.
        self.side = [(lines["Leader3"][2], lines["Leader3"][3]),
                     (lines["Leader4"][2], lines["Leader4"][3])]
        self.outline = _outline(self.cx)

    def draw(self, img, origin, lit, state):
        """Draws onto img whose (0, 0) is the page point origin. lit: the picture shown while
        the pointer is over it; state n, o or d: the look of its buttons."""
        ox, oy = origin
        at = lambda pts: [(x - ox, y - oy) for x, y in pts]  # noqa: E731
        cx = self.cx - ox
        top, bottom, seam = TOP - oy, BOTTOM - oy, SEAM - oy
        body = at(self.outline)
        left, right = min(x for x, _ in body), max(x for x, _ in body)
        inside = lambda pen: pen.polygon(body)  # noqa: E731

        if lit:
            p.polygon(img, body, p.ORANGE, opacity=0.5, blur=6)
        p.polygon(img, [(x + 2, y + 5) for x, y in body], p.BLACK, opacity=0.65, blur=5)

        # The shell: graphite lit from the upper left.
        box = (left, top, right, bottom)
        p.polygon(img, body, SHELL)
        shell = [(x + (-1 if x > cx else 1), y + (1 if y > seam else 0.5)) for x, y in body]
        p.polygon(img, shell, p.Gradient(box, (76, 82, 92), (28, 31, 36), horizontal=True))
        p.ellipse(img, (left + 14, seam - 20, cx - 4, bottom - 30), p.WHITE, opacity=0.09, blur=9)
        p.ellipse(img, (cx + 28, seam, right + 12, bottom - 10), p.BLACK, opacity=0.3, blur=9)

        # The two buttons: lighter shells above the seam, split down the middle.
        base = (98, 105, 116)
        if state == "d":
            base = (62, 67, 76)
        elif lit:
            base = (112, 119, 131)
        if state == "o":
            base = p.mix(base, p.ORANGE, 0.1)  # the buttons warm up under the pointer

        def seam_y(x):
            return seam + 6 * (1 - ((x - cx) / (right - cx)) ** 2)

        for x0, x1 in ((left - 4, cx - 1.2), (cx + 1.2, right + 4)):
            xs = [x1 + (x0 - x1) * i / 30 for i in range(31)]
            button = [(x0, top - 2), (x1, top - 2)] + [(x, seam_y(x)) for x in xs]
            half = (x0, top - 2, x1, seam + 8)
            p.polygon(img, button, p.Gradient(half, p.mix(base, p.WHITE, 0.14),
                                              p.mix(base, p.BLACK, 0.4)),
                      clip=lambda pen: pen.polygon(shell))
        seam_pts = [(x, seam_y(x)) for x in (left + (right - left) * i / 40 for i in range(41))]
        p.line(img, seam_pts, (8, 9, 11), 2.2, caps=False)
        p.line(img, [(x, y + 2) for x, y in seam_pts], p.WHITE, 0.8, opacity=0.16, caps=False)
        p.line(img, [(cx, top + 1), (cx, seam + 6)], (8, 9, 11), 2.4)
        for x0, x1 in ((cx - 44, cx - 10), (cx + 10, cx + 44)):
            p.ellipse(img, (x0, top + 9, x1, top + 58), p.WHITE, opacity=0.22 if lit else 0.15,
                      blur=4)

        # Side buttons on the left flank, their outer tips at the leader lines' ends.
        for tx, ty in self.side:
            x, y = tx - ox, ty - oy
            box = (x, y - 12, x + 19, y + 12)
            face = (120, 127, 138) if state != "d" else (62, 67, 75)
            if lit and state != "d":
                face = (136, 143, 154)
            p.rect(img, (box[0] - 1, box[1] - 1, box[2], box[3] + 1), SHELL, 7)
            p.rect(img, box, p.Gradient(box, face, (46, 50, 57), horizontal=True), 7)
            p.rect(img, (box[0] + 2, box[1] + 4, box[0] + 3.5, box[3] - 4), p.WHITE, 1,
                   opacity=0.3)
            if lit:
                p.rect(img, (box[0] + 1, y - 1.5, box[0] + 4, y + 1.5), p.ORANGE_LIGHT, 1)

        # The wheel in its slot.
        wl, wt, wr, wb = self.wheel[0] - ox, self.wheel[1] - oy, self.wheel[2] - ox, \
            self.wheel[3] - oy
        p.rect(img, (wl - 3, wt - 4, wr + 3, wb + 4), (5, 6, 7), 5)
        rubber = (62, 66, 74) if state != "d" else (40, 43, 48)
        wheel = (wl, wt, wr, wb)
        p.rect(img, wheel, p.Gradient(wheel, (24, 26, 29), rubber, horizontal=True), 5)
        for y in range(round(wt) + 5, round(wb) - 3, 4):
            p.rect(img, (wl + 1, y, wr - 1, y + 1), (8, 9, 10), opacity=0.9)
            p.rect(img, (wl + 1, y + 1, wr - 1, y + 2), (130, 136, 145), opacity=0.3)
        if lit:
            p.rect(img, (cx - 3, wt + 2, cx + 3, wb - 2), p.ORANGE, 3, opacity=0.45, blur=2)
        p.rect(img, (cx - 1, wt + 3, cx + 1, wb - 3), p.ORANGE_LIGHT if lit else (156, 82, 30), 1)

        # Light strips along the flanks of the palm and the mark on the palm.
        for sign in (-1, 1):
            strip = sorted(((x - sign * 7, y) for x, y in body
                            if (x - cx) * sign > 30 and seam + 44 < y < bottom - 56),
                           key=lambda pt: pt[1])
            if len(strip) > 1:
                if lit:
                    p.line(img, strip, p.ORANGE, 4, opacity=0.4, blur=2)
                p.line(img, strip, p.ORANGE_LIGHT if lit else (150, 78, 26), 1.6)
        p.emblem(img, cx, seam + 108, 26, shadowed=False)
