# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""A two-colour canvas for colouring-book line drawings.

Shapes are given in a nominal 320 x 466 space and scaled to the file's size.
Outlines are rasterised one pixel wide (8-connected, so every closed outline
really separates what is inside from what is outside) and thickened to three
pixels at the end.  Shapes are painted in order: a shape's white fill hides
whatever lies behind it, which is how one part stands in front of another.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

BASE_W, BASE_H = 320, 466
NERO, BIANCO = 0, 255
MACCHIOLINA = 150   # white specks smaller than this are blackened
AREA_MINIMA = 200   # every area a child can fill: at least this many pixels
LATO_MINIMO = 10    # and a white square of this side inside it


# --- point lists (nominal coordinates) ---------------------------------------

def ellisse(cx, cy, rx, ry, passi=None, rot=0.0):
    """Closed list of points on an ellipse, optionally rotated (degrees)."""
    if passi is None:
        passi = max(24, int((rx + ry) * 0.8))
    c, s = math.cos(math.radians(rot)), math.sin(math.radians(rot))
    pts = []
    for i in range(passi):
        a = 2 * math.pi * i / passi
        x, y = rx * math.cos(a), ry * math.sin(a)
        pts.append((cx + x * c - y * s, cy + x * s + y * c))
    return pts


def arco(cx, cy, rx, ry, a0, a1, passi=None):
    """Open arc from angle a0 to a1 (degrees, y pointing down)."""
    if passi is None:
        passi = max(8, int(abs(a1 - a0) / 360 * (rx + ry) * 0.8))
    pts = []
    for i in range(passi + 1):
        a = math.radians(a0 + (a1 - a0) * i / passi)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def liscia(ctrl, chiusa=True, passi=10):
    """Catmull-Rom spline through the control points."""
    n = len(ctrl)
    pts = []
    segmenti = n if chiusa else n - 1
    for i in range(segmenti):
        if chiusa:
            p0, p1, p2, p3 = (ctrl[(i - 1) % n], ctrl[i], ctrl[(i + 1) % n],
                              ctrl[(i + 2) % n])
        else:
            p0 = ctrl[max(i - 1, 0)]
            p1, p2 = ctrl[i], ctrl[i + 1]
            p3 = ctrl[min(i + 2, n - 1)]
        lung = math.dist(p1, p2)
        k = max(passi, int(lung / 3))
        for j in range(k):
            t = j / k
            t2, t3 = t * t, t * t * t
            pts.append(tuple(
                0.5 * (2 * p1[d] + (-p0[d] + p2[d]) * t
                       + (2 * p0[d] - 5 * p1[d] + 4 * p2[d] - p3[d]) * t2
                       + (-p0[d] + 3 * p1[d] - 3 * p2[d] + p3[d]) * t3)
                for d in (0, 1)))
    if not chiusa:
        pts.append(ctrl[-1])
    return pts


def nuvola(cx, cy, rx, ry, gobbe=7, passi=140):
    """Cloud: an ellipse with scalloped bumps."""
    pts = []
    for i in range(passi):
        a = 2 * math.pi * i / passi
        f = 0.78 + 0.22 * abs(math.sin(gobbe * a / 2))
        pts.append((cx + rx * f * math.cos(a), cy + ry * f * math.sin(a)))
    return pts


def stella(cx, cy, r_fuori, r_dentro, punte=5, rot=-90.0):
    pts = []
    for i in range(punte * 2):
        r = r_fuori if i % 2 == 0 else r_dentro
        a = math.radians(rot + 180.0 * i / punte)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def sposta(pts, dx, dy):
    return [(x + dx, y + dy) for x, y in pts]


def specchia(pts, asse=160.0):
    return [(2 * asse - x, y) for x, y in pts]


# --- the canvas ----------------------------------------------------------------

class Tela:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.sx, self.sy = w / BASE_W, h / BASE_H
        self.img = Image.new('L', (w, h), BIANCO)
        self.d = ImageDraw.Draw(self.img)

    def _px(self, pts):
        return [(int(math.floor(x * self.sx + 0.5)),
                 int(math.floor(y * self.sy + 0.5))) for x, y in pts]

    def forma(self, pts, riempi=BIANCO):
        """Closed shape: filled (white hides what is behind), then outlined."""
        p = self._px(pts)
        if riempi is not None:
            self.d.polygon(p, fill=riempi)
        self.d.line(p + [p[0]], fill=NERO, width=1)

    def pieno(self, pts):
        """Solid black shape (pupils, noses)."""
        self.forma(pts, riempi=NERO)

    def linea(self, pts):
        self.d.line(self._px(pts), fill=NERO, width=1)

    def dentro(self, forma, linee):
        """Open lines drawn only inside a closed shape, so that they divide
        it without sticking out of it."""
        maschera = Image.new('L', self.img.size, 0)
        ImageDraw.Draw(maschera).polygon(self._px(forma), fill=255)
        tratti = Image.new('L', self.img.size, 0)
        d = ImageDraw.Draw(tratti)
        for pts in linee:
            d.line(self._px(pts), fill=255, width=1)
        self.img.paste(NERO, (0, 0), ImageChops.multiply(maschera, tratti))

    def tratto(self, x0, y0, x1, y1):
        self.linea([(x0, y0), (x1, y1)])

    def cerchio(self, cx, cy, r, riempi=BIANCO):
        self.forma(ellisse(cx, cy, r, r), riempi)

    def finisci(self):
        """Thickens the lines and blackens specks; returns the 'L' image."""
        img = self.img.point(lambda v: NERO if v < 128 else BIANCO)
        img = img.filter(ImageFilter.MinFilter(3))
        togli_macchioline(img)
        return img


# --- checks -------------------------------------------------------------------

def componenti(img, otto=False):
    """Sizes of the white components (4- or 8-connected) and their labels."""
    w, h = img.size
    px = bytearray(img.tobytes())
    etichetta = [0] * (w * h)
    misure = []
    vicini = [(-1, 0), (1, 0), (0, -1), (0, 1)]
    if otto:
        vicini += [(-1, -1), (1, -1), (-1, 1), (1, 1)]
    for inizio in range(w * h):
        if px[inizio] != BIANCO or etichetta[inizio]:
            continue
        n = len(misure) + 1
        etichetta[inizio] = n
        pila = [inizio]
        conta = 0
        while pila:
            i = pila.pop()
            conta += 1
            x, y = i % w, i // w
            for dx, dy in vicini:
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h:
                    j = ny * w + nx
                    if px[j] == BIANCO and not etichetta[j]:
                        etichetta[j] = n
                        pila.append(j)
        misure.append(conta)
    return misure, etichetta


def togli_macchioline(img):
    misure, etichetta = componenti(img)
    piccole = {i + 1 for i, m in enumerate(misure) if m < MACCHIOLINA}
    if not piccole:
        return
    px = bytearray(img.tobytes())
    for i, e in enumerate(etichetta):
        if e in piccole:
            px[i] = NERO
    img.frombytes(bytes(px))


def salva_gif(img, percorso):
    """Two-entry palette (black, white), no transparency, no comment."""
    indici = img.point(lambda v: 1 if v >= 128 else 0)
    p = Image.frombytes('P', img.size, indici.tobytes())
    p.putpalette([0, 0, 0, 255, 255, 255])
    p.save(percorso, format='GIF', optimize=False)


def quadrati(img, etichetta, n):
    """Side of the largest white square inside each of the n labelled areas,
    exactly: the side of the largest square whose bottom-right corner is at a
    pixel grows by one over the smallest of its three upper-left neighbours."""
    w, h = img.size
    px = img.tobytes()
    lati = [0] * n
    sopra = [0] * (w + 1)
    for y in range(h):
        riga = [0] * (w + 1)
        base = y * w
        for x in range(w):
            if px[base + x] == BIANCO:
                s = min(sopra[x], sopra[x + 1], riga[x]) + 1
                riga[x + 1] = s
                e = etichetta[base + x] - 1
                if s > lati[e]:
                    lati[e] = s
        sopra = riga
    return lati
