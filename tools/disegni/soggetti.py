# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""The subjects, one function each, drawn in the nominal 320 x 466 space."""

import math

from tela import arco, ellisse, liscia, nuvola, specchia, stella


# --- bits of scenery ------------------------------------------------------------

def sole(t, cx, cy, r, raggi=10, lungo=16, faccia=False):
    for i in range(raggi):
        a = 2 * math.pi * (i + 0.5) / raggi
        t.tratto(cx + (r + 6) * math.cos(a), cy + (r + 6) * math.sin(a),
                 cx + (r + 6 + lungo) * math.cos(a),
                 cy + (r + 6 + lungo) * math.sin(a))
    t.cerchio(cx, cy, r)
    if faccia:
        t.pieno(ellisse(cx - r * 0.35, cy - r * 0.2, r * 0.1, r * 0.14))
        t.pieno(ellisse(cx + r * 0.35, cy - r * 0.2, r * 0.1, r * 0.14))
        t.linea(arco(cx, cy + r * 0.05, r * 0.5, r * 0.45, 20, 160))


def tulipano(t, x, y, alto=45):
    t.linea([(x, y), (x, y - alto)])
    t.forma(liscia([(x, y - 6), (x - 12, y - 30), (x - 34, y - 42), (x - 26, y - 14)]))
    cima = y - alto
    t.forma([(x - 18, cima - 30), (x - 9, cima - 16), (x, cima - 32),
             (x + 9, cima - 16), (x + 18, cima - 30)]
            + arco(x, cima - 10, 18, 14, 0, 180)[:-1])


def margherita(t, cx, cy, r=18, petali=6):
    for i in range(petali):
        a = 360.0 * i / petali
        px = cx + r * 0.9 * math.cos(math.radians(a))
        py = cy + r * 0.9 * math.sin(math.radians(a))
        t.forma(ellisse(px, py, r * 0.8, r * 0.5, rot=a))
    t.cerchio(cx, cy, r * 0.5)


def prato(t, y, onde=((-5, 0), (80, -8), (160, 2), (240, -9), (330, 0))):
    t.linea(liscia([(x, y + dy) for x, dy in onde], chiusa=False))


# --- 1: il gatto ----------------------------------------------------------------

def gatto(t):
    t.linea([(-5, 402), (330, 402)])
    t.forma(ellisse(160, 448, 150, 24))                        # rug
    t.forma(ellisse(160, 448, 112, 13))
    # yarn ball
    t.cerchio(40, 392, 30)
    t.dentro(ellisse(40, 392, 30, 30), [arco(90, 340, 62, 62, 80, 200),
                                       arco(90, 340, 82, 82, 80, 200)])
    # tail, behind the body
    coda = liscia([(225, 385), (266, 372), (284, 322), (286, 262), (278, 212),
                   (292, 188), (306, 214), (306, 286), (298, 346), (278, 392),
                   (240, 404)])
    t.forma(coda)
    t.dentro(coda, [[(270, 236), (330, 226)], [(270, 290), (330, 292)],
                    [(260, 346), (330, 362)]])
    t.forma(liscia([(160, 205), (228, 228), (256, 300), (258, 372), (236, 408),
                    (84, 408), (62, 372), (64, 300), (92, 228)]))
    t.forma(ellisse(160, 312, 46, 62))                         # belly
    for x in (124, 196):
        t.forma(ellisse(x, 392, 26, 24))                       # paws
        t.tratto(x - 8, 400, x - 8, 414)
        t.tratto(x + 8, 400, x + 8, 414)
    t.cerchio(160, 250, 20)                                    # bell
    t.tratto(141, 250, 179, 250)
    # ears then head
    for lato in (False, True):
        orecchio = [(72, 128), (76, 28), (146, 78)]
        dentro = [(88, 112), (90, 54), (128, 82)]
        if lato:
            orecchio, dentro = specchia(orecchio), specchia(dentro)
        t.forma(orecchio)
        t.forma(dentro)
    t.forma(ellisse(160, 150, 102, 84))
    t.tratto(160, 70, 160, 92)
    t.tratto(138, 73, 142, 94)
    t.tratto(182, 73, 178, 94)
    for x in (116, 204):
        t.forma(ellisse(x, 138, 22, 26))
        t.pieno(ellisse(x + 3, 143, 8, 14))
    t.pieno([(148, 172), (172, 172), (160, 186)])
    t.tratto(160, 186, 160, 196)
    t.linea(arco(149, 194, 11, 10, 0, 160))
    t.linea(arco(171, 194, 11, 10, 20, 180))
    for dy in (-8, 6):
        t.tratto(100, 180 + dy, 30, 172 + 2 * dy)
        t.tratto(220, 180 + dy, 290, 172 + 2 * dy)


# --- 2: la casa -----------------------------------------------------------------

def casa(t):
    sole(t, 52, 58, 28)
    t.forma(nuvola(262, 48, 56, 28))
    prato(t, 404)
    for x, y in ((40, 466), (292, 462)):
        tulipano(t, x, y, 26)
    t.linea([(140, 412), (112, 470)])                          # path
    t.linea([(182, 412), (212, 470)])
    t.forma([(205, 110), (240, 110), (240, 200), (205, 200)])  # chimney
    t.cerchio(218, 88, 11)                                     # smoke
    t.cerchio(200, 62, 14)
    t.forma([(48, 222), (272, 222), (272, 412), (48, 412)])    # walls
    t.forma([(26, 236), (160, 112), (294, 236)])               # roof
    t.cerchio(160, 192, 24)
    t.tratto(160, 168, 160, 216)
    t.tratto(136, 192, 184, 192)
    t.forma([(134, 412), (134, 318)] + arco(160, 318, 26, 26, 180, 360)[1:-1]
            + [(186, 318), (186, 412)])                        # door
    t.pieno(ellisse(176, 364, 4, 4))
    for x in (66, 204):
        t.forma([(x, 262), (x + 52, 262), (x + 52, 318), (x, 318)])
        t.tratto(x + 26, 262, x + 26, 318)
        t.tratto(x, 290, x + 52, 290)
        t.forma([(x - 6, 318), (x + 58, 318), (x + 58, 334), (x - 6, 334)])  # sill


# --- 3: il fiore ----------------------------------------------------------------

def fiore(t):
    # sun peeping in at the corner: its outline meets the picture's edges
    t.forma(arco(320, 0, 58, 58, 90, 180) + [(330, -10)])
    for a in (100, 125, 150, 172):
        r = math.radians(a)
        t.tratto(320 + 68 * math.cos(r), 68 * math.sin(r),
                 320 + 90 * math.cos(r), 90 * math.sin(r))
    t.forma(nuvola(58, 42, 44, 24, gobbe=5))
    t.linea([(-5, 452), (330, 452)])                           # table
    t.forma([(96, 362), (224, 362), (206, 458), (114, 458)])    # pot
    t.forma([(84, 338), (236, 338), (236, 370), (84, 370)])     # pot rim
    t.forma(liscia([(150, 340), (146, 280), (150, 220), (156, 180), (170, 180),
                    (164, 220), (160, 280), (166, 340)]))       # stem
    t.forma(liscia([(150, 300), (112, 262), (62, 262), (96, 298)]))
    t.linea(liscia([(146, 296), (110, 276), (76, 268)], chiusa=False))
    t.forma(liscia([(162, 262), (204, 224), (256, 222), (218, 262)]))
    t.linea(liscia([(166, 258), (206, 238), (242, 228)], chiusa=False))
    for i in range(10):
        a = 36.0 * i - 90
        r = math.radians(a)
        t.forma(ellisse(160 + 64 * math.cos(r), 132 + 60 * math.sin(r),
                        42, 20, rot=a))
    t.cerchio(160, 132, 40)
    for dx, dy in ((-14, -12), (12, -16), (-2, 2), (16, 10), (-16, 14), (2, 22)):
        t.pieno(ellisse(160 + dx, 132 + dy, 3, 3))
    # ladybird on the pot rim side
    t.forma(ellisse(46, 402, 30, 24))
    t.tratto(46, 378, 46, 426)
    t.pieno(ellisse(16, 402, 8, 10))
    t.pieno(ellisse(36, 394, 5, 5))
    t.pieno(ellisse(58, 410, 5, 5))
    t.pieno(ellisse(58, 392, 4, 4))


# --- 4: il pesce ----------------------------------------------------------------

def pesce(t):
    onde = [(-5, 58)]
    for i in range(9):
        onde.append((i * 40 + 20, 50 if i % 2 == 0 else 64))
    onde.append((330, 58))
    t.linea(liscia(onde, chiusa=False))
    sole(t, 262, 22, 16, raggi=8, lungo=10)
    t.linea(liscia([(-5, 418), (70, 408), (160, 420), (250, 406), (330, 416)],
                   chiusa=False))                              # sand
    t.forma(liscia([(24, 440), (18, 380), (36, 330), (22, 280), (38, 230),
                    (30, 190), (46, 226), (40, 284), (54, 330), (40, 380),
                    (44, 440)]))                               # seaweed
    t.forma(liscia([(276, 440), (290, 392), (276, 346), (292, 300), (282, 262),
                    (300, 296), (304, 350), (296, 396), (298, 440)]))
    t.forma(stella(120, 440, 30, 13, rot=-80))
    t.forma(ellisse(210, 442, 24, 12))
    # the small fish
    t.forma(liscia([(236, 356), (268, 334), (262, 356), (268, 378)]))
    t.forma(ellisse(210, 356, 36, 20))
    t.pieno(ellisse(190, 352, 4, 4))
    # the big fish, facing left
    t.forma(liscia([(226, 226), (300, 160), (284, 230), (302, 300)]))
    pinna = ([(108, 180)] + liscia([(108, 180), (128, 134), (178, 106)],
                                   chiusa=False)[1:]
             + liscia([(178, 106), (188, 150), (220, 194)], chiusa=False)[1:])
    t.forma(pinna)                                               # top fin
    t.dentro(pinna, [[(140, 180), (150, 110)], [(170, 180), (172, 110)]])
    t.forma([(136, 286), (160, 326), (196, 290)])              # lower fin
    t.forma(liscia([(52, 228), (100, 170), (170, 160), (236, 196),
                    (248, 230), (236, 262), (170, 298), (100, 290)]))
    t.linea(liscia([(142, 164), (130, 230), (142, 296)], chiusa=False))
    t.linea(liscia([(196, 172), (184, 230), (196, 286)], chiusa=False))
    t.forma(ellisse(156, 246, 22, 10, rot=30))                  # side fin
    t.cerchio(94, 212, 19)
    t.pieno(ellisse(91, 212, 6, 8))
    t.linea(arco(76, 238, 16, 10, 30, 140))                   # smile
    for x, y, r in ((44, 176, 10), (30, 136, 13), (48, 96, 16)):
        t.cerchio(x, y, r)



# --- 5: la barca a vela -----------------------------------------------------------

def barca(t):
    sole(t, 46, 50, 24)
    for x, y in ((236, 52), (270, 84), (214, 100)):          # gulls
        t.linea(arco(x - 10, y, 10, 8, 200, 340))
        t.linea(arco(x + 10, y, 10, 8, 200, 340))
    for y, a in ((334, 10), (392, 12), (440, 10)):
        onde = [(-5 + i * 30, y + (a if i % 2 else -a) / 2) for i in range(13)]
        t.linea(liscia(onde, chiusa=False))
    scafo = [(30, 296), (290, 296), (250, 372), (72, 372)]
    t.forma(scafo)
    t.dentro(scafo, [[(0, 316), (330, 316)]])
    for x in (110, 160, 210):
        t.cerchio(x, 344, 12)
    t.forma([(152, 40), (168, 40), (168, 296), (152, 296)])  # mast
    t.forma([(168, 42), (210, 52), (168, 64)])               # flag
    randa = [(174, 70)] + liscia([(174, 70), (232, 150), (282, 282)],
                                 chiusa=False)[1:] + [(174, 282)]
    t.forma(randa)
    t.dentro(randa, [[(174, 190), (300, 170)]])
    fiocco = [(146, 88)] + liscia([(146, 88), (98, 170), (46, 282)],
                                  chiusa=False)[1:] + [(146, 282)]
    t.forma(fiocco)
    t.dentro(fiocco, [[(146, 200), (40, 214)]])


# --- 6: il razzo ------------------------------------------------------------------

def razzo(t):
    t.forma(arco(56, 58, 36, 36, 70, 290) + arco(76, 52, 30, 30, 250, 110))  # moon
    for x, y, r in ((268, 44, 20), (40, 190, 18), (282, 232, 16), (36, 318, 20),
                    (286, 400, 18), (230, 120, 18), (60, 440, 18)):
        t.forma(stella(x, y, r, r * 0.48))
    t.cerchio(270, 320, 26)                                  # planet
    t.dentro(ellisse(270, 320, 26, 26), [[(240, 312), (300, 306)],
                                        [(240, 332), (300, 326)]])
    fiamma = liscia([(124, 360), (136, 420), (160, 456), (184, 420), (196, 360)])
    t.forma(fiamma)
    t.forma(liscia([(142, 362), (150, 404), (160, 424), (170, 404), (178, 362)]))
    for lato in (False, True):
        aletta = [(112, 260), (62, 330), (66, 372), (114, 344)]
        t.forma(specchia(aletta) if lato else aletta)
    corpo = liscia([(160, 30), (200, 90), (212, 190), (210, 300), (200, 352),
                    (120, 352), (110, 300), (108, 190), (120, 90)])
    t.forma(corpo)
    t.dentro(corpo, [arco(160, 60, 70, 40, 20, 160), arco(160, 270, 80, 30, 20, 160)])
    t.cerchio(160, 186, 39)
    t.cerchio(160, 186, 24)
    t.forma([(152, 296), (168, 296), (168, 372), (152, 372)])


# --- 7: il coniglio --------------------------------------------------------------

def coniglio(t):
    sole(t, 42, 42, 22, raggi=9, lungo=12)
    t.forma(nuvola(266, 48, 50, 24, gobbe=5))
    prato(t, 412)
    margherita(t, 40, 292, 20)
    t.linea([(40, 314), (40, 410)])
    margherita(t, 280, 300, 20)
    t.linea([(280, 320), (280, 406)])
    for lato in (-1, 1):
        t.forma(ellisse(160 + lato * 42, 96, 26, 74, rot=lato * 10))
        t.forma(ellisse(160 + lato * 42, 104, 13, 54, rot=lato * 10))
    corpo = liscia([(160, 236), (226, 276), (248, 352), (232, 420), (88, 420),
                    (72, 352), (94, 276)])
    t.forma(corpo)
    t.forma(ellisse(160, 346, 46, 58))
    for x in (108, 212):
        t.forma(ellisse(x, 424, 44, 18))
        t.tratto(x - 10, 410, x - 10, 420)
        t.tratto(x + 10, 410, x + 10, 420)
    for x in (112, 208):
        t.forma(ellisse(x, 300, 18, 34, rot=(x - 160) / 3))    # arms
    t.forma(ellisse(160, 200, 76, 62))
    for x in (130, 190):
        t.forma(ellisse(x, 186, 17, 21))
        t.pieno(ellisse(x + 2, 189, 5, 8))
    t.pieno(liscia([(150, 212), (170, 212), (160, 224)]))
    t.tratto(160, 224, 160, 234)
    t.linea(arco(150, 232, 10, 9, 0, 160))
    t.linea(arco(170, 232, 10, 9, 20, 180))
    for dy in (-6, 6):
        t.tratto(132, 222 + dy, 96, 216 + 2 * dy)
        t.tratto(188, 222 + dy, 224, 216 + 2 * dy)


# --- 8: la farfalla ---------------------------------------------------------------

def farfalla(t):
    prato(t, 436, ((-5, 0), (80, -6), (160, 2), (240, -6), (330, 0)))
    for x, y, r in ((34, 384, 22), (286, 384, 22)):
        t.linea([(x, y + r), (x, 444)])              # stem, down into the grass
        margherita(t, x, y, r)
    for lato in (False, True):
        su = liscia([(156, 190), (120, 110), (60, 50), (18, 70), (14, 150),
                     (50, 220), (150, 236)])
        giu = liscia([(154, 234), (90, 250), (46, 300), (60, 350), (110, 354),
                      (150, 300)])
        macchie = [ellisse(78, 124, 30, 36), ellisse(104, 200, 16, 14),
                   ellisse(90, 298, 24, 20)]
        if lato:
            su, giu = specchia(su), specchia(giu)
            macchie = [specchia(m) for m in macchie]
        t.forma(giu)
        t.forma(su)
        for m in macchie:
            t.forma(m)
    t.forma(ellisse(78, 124, 14, 16))
    t.forma(ellisse(242, 124, 14, 16))
    for lato in (-1, 1):
        t.linea(liscia([(160 + lato * 6, 140), (160 + lato * 30, 90),
                        (160 + lato * 46, 60)], chiusa=False))
        t.pieno(ellisse(160 + lato * 48, 56, 7, 7))
    corpo = ellisse(160, 250, 16, 86)
    t.forma(corpo)
    t.dentro(corpo, [[(140, y), (180, y)] for y in (210, 250, 290)])
    t.cerchio(160, 148, 27)
    t.pieno(ellisse(151, 150, 4, 5))
    t.pieno(ellisse(169, 150, 4, 5))
    t.linea(arco(160, 158, 8, 6, 20, 160))


# --- 9: l'albero di mele --------------------------------------------------------

def albero(t):
    prato(t, 420, ((-5, 0), (90, -6), (170, 4), (250, -6), (330, 0)))
    t.forma(liscia([(136, 430), (142, 360), (140, 280), (180, 280), (178, 360),
                    (186, 430), (160, 436)]))                 # trunk
    t.pieno(ellisse(160, 350, 10, 14))
    t.forma(nuvola(160, 170, 154, 138, gobbe=9, passi=220))
    for x, y in ((90, 110), (160, 80), (230, 112), (70, 200), (140, 170),
                 (214, 198), (110, 256), (190, 262), (256, 250), (60, 280)):
        t.cerchio(x, y, 17)
        t.tratto(x, y - 16, x + 4, y - 26)
    # basket with two apples
    t.cerchio(246, 394, 15)
    t.cerchio(276, 398, 15)
    cesto = [(220, 400), (304, 400), (292, 454), (232, 454)]
    t.forma(cesto)
    t.dentro(cesto, [[(200, 426), (320, 426)]])
    t.linea(arco(262, 400, 38, 30, 190, 350))
    t.cerchio(60, 440, 18)
    t.tratto(60, 422, 66, 410)


# --- 10: l'orsetto -----------------------------------------------------------------

def orsetto(t):
    t.linea([(-5, 430), (330, 430)])
    t.forma(ellisse(284, 66, 26, 36))                         # balloon
    t.forma([(284, 102), (276, 112), (292, 112)])
    t.linea(liscia([(284, 112), (270, 180), (284, 240), (250, 296)], chiusa=False))
    t.forma([(6, 378), (62, 378), (62, 432), (6, 432)])         # building blocks
    t.forma([(14, 326), (56, 326), (56, 378), (14, 378)])
    for lato in (-1, 1):
        t.cerchio(160 + lato * 62, 72, 28)
        t.cerchio(160 + lato * 62, 72, 14)
    corpo = liscia([(160, 210), (220, 240), (240, 320), (226, 392), (94, 392),
                    (80, 320), (100, 240)])
    t.forma(corpo)
    t.forma(ellisse(160, 320, 46, 52))
    for lato in (-1, 1):
        t.forma(ellisse(160 + lato * 78, 288, 26, 44, rot=-lato * 30))  # arms
        t.forma(ellisse(160 + lato * 52, 396, 36, 34))                  # legs
        t.forma(ellisse(160 + lato * 52, 400, 20, 20))
    t.forma(ellisse(160, 140, 86, 78))
    t.forma(ellisse(160, 172, 36, 28))
    t.pieno(ellisse(160, 160, 12, 8))
    t.tratto(160, 166, 160, 180)
    t.linea(arco(160, 174, 14, 10, 20, 160))
    t.pieno(ellisse(128, 126, 7, 9))
    t.pieno(ellisse(192, 126, 7, 9))
    t.forma([(160, 228), (126, 210), (126, 246)])             # bow tie
    t.forma([(160, 228), (194, 210), (194, 246)])
    t.cerchio(160, 228, 12)


# --- 11: l'automobile --------------------------------------------------------------

def automobile(t):
    sole(t, 262, 60, 28, faccia=True)
    t.forma(nuvola(76, 64, 56, 28))
    t.forma(nuvola(150, 150, 40, 20, gobbe=5))
    t.linea([(-5, 380), (330, 380)])                         # road
    t.linea([(-5, 440), (330, 440)])
    for x in (10, 90, 170, 250):
        t.pieno([(x, 406), (x + 44, 406), (x + 44, 414), (x, 414)])
    carrozzeria = liscia([(24, 280), (40, 252), (90, 244), (120, 196), (220, 196),
                          (254, 244), (296, 256), (306, 300), (300, 344),
                          (22, 344), (16, 312)])
    t.forma(carrozzeria)
    t.dentro(carrozzeria, [[(160, 196), (160, 344)], [(0, 262), (330, 262)]])
    t.forma([(128, 210), (154, 210), (154, 250), (100, 250)])
    t.forma([(166, 210), (212, 210), (238, 250), (166, 250)])
    t.forma([(140, 276), (152, 276), (152, 282), (140, 282)])
    t.forma([(174, 276), (186, 276), (186, 282), (174, 282)])
    t.forma(ellisse(292, 282, 10, 14))                      # headlight
    t.forma([(16, 300), (30, 300), (30, 322), (16, 322)])   # tail light
    for x in (84, 240):
        t.cerchio(x, 344, 38)
        t.cerchio(x, 344, 16)


# --- 12: il gufo --------------------------------------------------------------------

def gufo(t):
    t.forma(arco(266, 62, 36, 36, 70, 290) + arco(286, 56, 30, 30, 250, 110))  # moon
    for x, y, r in ((46, 46, 20), (190, 34, 18), (40, 210, 16), (290, 200, 16)):
        t.forma(stella(x, y, r, r * 0.48))
    ramo = liscia([(-10, 370), (120, 362), (220, 366), (330, 358), (330, 406),
                   (220, 410), (120, 408), (-10, 414)])
    t.forma(ramo)
    for x, y, rot in ((44, 428, 30), (252, 432, -30), (284, 334, -40)):
        foglia = ellisse(x, y, 36, 20, rot=rot)
        t.forma(foglia)
        t.dentro(foglia, [[(x - 40, y - 40 * math.tan(math.radians(rot))),
                           (x + 40, y + 40 * math.tan(math.radians(rot)))]])
    for lato in (-1, 1):                                      # ear tufts
        t.forma([(160 + lato * 40, 110), (160 + lato * 78, 60),
                 (160 + lato * 86, 150)])
    corpo = liscia([(160, 90), (232, 120), (256, 230), (236, 340), (160, 384),
                    (84, 340), (64, 230), (88, 120)])
    t.forma(corpo)
    pancia = ellisse(160, 290, 58, 74)
    t.forma(pancia)
    t.dentro(pancia, [arco(160 + dx, y, 16, 10, 20, 160)
                      for y in (250, 290, 330) for dx in (-32, 0, 32)])
    for lato in (-1, 1):
        t.forma(liscia([(160 + lato * 90, 200), (160 + lato * 112, 260),
                        (160 + lato * 100, 330), (160 + lato * 76, 300)]))
        t.cerchio(160 + lato * 42, 168, 37)
        t.cerchio(160 + lato * 42, 168, 22)
        t.pieno(ellisse(160 + lato * 42, 170, 8, 8))
        t.forma(liscia([(160 + lato * 14, 372), (160 + lato * 50, 372),
                        (160 + lato * 46, 392), (160 + lato * 18, 392)]))  # feet
    t.forma([(148, 196), (172, 196), (160, 226)])


# --- the initial drawing: a rainbow ---------------------------------------------

def arcobaleno(t):
    sole(t, 268, 56, 30, faccia=True)
    t.forma(nuvola(60, 50, 48, 24, gobbe=5))
    for r in (150, 126, 102, 78):
        t.forma(arco(160, 300, r, r, 180, 360))
    t.forma(liscia([(-30, 470), (-10, 360), (80, 330), (180, 380), (200, 470)]))
    t.forma(liscia([(120, 470), (170, 380), (260, 340), (340, 370), (350, 470)]))
    for x, y in ((30, 300), (290, 300)):
        t.forma(nuvola(x, y, 50, 28, gobbe=5))
    t.forma(ellisse(160, 420, 40, 16))                        # pond
    for x, y in ((60, 400), (260, 420)):
        margherita(t, x, y, 22)


SOGGETTI = [
    ('gatto', gatto, 320, 466),
    ('casa', casa, 321, 458),
    ('fiore', fiore, 316, 470),
    ('pesce', pesce, 325, 452),
    ('barca', barca, 318, 476),
    ('razzo', razzo, 329, 462),
    ('coniglio', coniglio, 322, 480),
    ('farfalla', farfalla, 317, 455),
    ('albero', albero, 324, 468),
    ('orsetto', orsetto, 330, 450),
    ('automobile', automobile, 319, 474),
    ('gufo', gufo, 327, 460),
]

INIZIALE = ('arcobaleno', arcobaleno, 320, 466)
