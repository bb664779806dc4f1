#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's twelve drawings (brindel/1.gif .. 12.gif) and the game window's
initial drawing (windows/immagini/iniziale.gif).

    disegni.py <repository root>                 writes every drawing
    disegni.py <repository root> --contact-sheet <out.png>
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from tela import (Tela, componenti, quadrati, salva_gif,  # noqa: E402
                  AREA_MINIMA, LATO_MINIMO)
from soggetti import SOGGETTI, INIZIALE  # noqa: E402


def disegna(funzione, w, h):
    t = Tela(w, h)
    funzione(t)
    return t.finisci()


def verifica(nome, img):
    """The properties the game relies on; stops the run on a fault."""
    quattro, etichetta = componenti(img)
    otto, _ = componenti(img, otto=True)
    lati = quadrati(img, etichetta, len(quattro))
    w, h = img.size
    for k, (area, lato) in enumerate(zip(quattro, lati)):
        if area < AREA_MINIMA or lato < LATO_MINIMO:
            i = etichetta.index(k + 1)
            sys.exit(f'{nome}: white area of {area} px at {i % w},{i // w}'
                     f' holds no square larger than {lato} x {lato}')
    if len(quattro) != len(otto):
        sys.exit(f'{nome}: regions touch diagonally')
    if len(quattro) < 12:
        sys.exit(f'{nome}: only {len(quattro)} areas')
    # grid cells in the picture's own pixels (the box border is 2 px)
    lw, lh = (w + 4 - 15) / 4, (h + 4 - 20) / 5
    px = img.load()
    vuote = 0
    for r in range(5):
        for c in range(4):
            x0, y0 = int(13 + c * lw), int(18 + r * lh)
            x1, y1 = min(w, int(13 + (c + 1) * lw)), min(h, int(18 + (r + 1) * lh))
            nere = sum(1 for y in range(y0, y1) for x in range(x0, x1)
                       if px[x, y] == 0)
            if nere < 150:
                vuote += 1
    return len(quattro), min(quattro), min(lati), vuote


def foglio(immagini, percorso):
    from PIL import Image, ImageDraw
    larg, alt, colonne = 340, 500, 5
    righe = (len(immagini) + colonne - 1) // colonne
    foglio_img = Image.new('RGB', (larg * colonne, alt * righe), (200, 200, 200))
    d = ImageDraw.Draw(foglio_img)
    for i, (nome, img) in enumerate(immagini):
        x, y = (i % colonne) * larg + 8, (i // colonne) * alt + 22
        foglio_img.paste(img.convert('RGB'), (x, y))
        d.text((x, y - 16), nome, fill=(0, 0, 0))
    foglio_img.save(percorso)


def main():
    radice = sys.argv[1]
    tutte = []
    for numero, (nome, funzione, w, h) in enumerate(SOGGETTI, start=1):
        tutte.append((f'{numero}.gif {nome}', disegna(funzione, w, h),
                      os.path.join(radice, 'brindel', f'{numero}.gif')))
    nome, funzione, w, h = INIZIALE
    tutte.append((f'iniziale {nome}', disegna(funzione, w, h),
                  os.path.join(radice, 'windows', 'immagini', 'iniziale.gif')))
    didascalie = []
    for etichetta, img, _ in tutte:
        aree, minima, lato, vuote = verifica(etichetta, img)
        print(f'{etichetta:22} {img.size[0]}x{img.size[1]}  areas {aree:3}'
              f'  smallest {minima:5}  square {lato:3}'
              f'  cells without lines {vuote}', file=sys.stderr)
        didascalie.append(f'{etichetta}: smallest area {minima} px,'
                          f' square {lato} x {lato}')
    if '--contact-sheet' in sys.argv:
        foglio([(d, i) for d, (_, i, _) in zip(didascalie, tutte)],
               sys.argv[sys.argv.index('--contact-sheet') + 1])
        return
    for _, img, percorso in tutte:
        os.makedirs(os.path.dirname(percorso), exist_ok=True)
        salva_gif(img, percorso)


if __name__ == '__main__':
    main()
