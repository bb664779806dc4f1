#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""The four sound cues (suoni/si.wav, no.wav, fatto.wav, rifai.wav),
synthesised note by note: 16-bit PCM, mono, 44.1 kHz.

    suoni.py <output folder>

Every cue fades in and out, peaks at -3 dBFS and ends in 0.3 s of silence,
because some audio paths drop the tail of a buffer.
"""

import math
import os
import struct
import sys
import wave

FREQ = 44100
PICCO = 10 ** (-3 / 20)          # -3 dBFS
SILENZIO_FINALE = 0.3
ATTACCO_CUE = 0.005              # fade at the very start, against clicks
CODA_CUE = 0.03                  # fade at the end of the sound


def nota(buf, inizio, durata, freq, parziali=((1, 1.0),), attacco=0.005,
         decadimento=None, rilascio=0.03, glissando=1.0, vibrato=0.0,
         volume=1.0):
    """Adds one note to buf (a list of floats).

    parziali: (multiple of freq, relative level); decadimento: time constant
    of an exponential decay (None holds the level); glissando: frequency
    ratio reached at the end of the note (exponential glide).
    """
    n0 = int(round(inizio * FREQ))
    n = int(round(durata * FREQ))
    if len(buf) < n0 + n:
        buf.extend([0.0] * (n0 + n - len(buf)))
    fase = [0.0] * len(parziali)
    for i in range(n):
        t = i / FREQ
        inv = 1.0
        if t < attacco:
            inv = 0.5 - 0.5 * math.cos(math.pi * t / attacco)
        resto = durata - t
        if resto < rilascio:
            inv *= 0.5 - 0.5 * math.cos(math.pi * resto / rilascio)
        if decadimento is not None:
            inv *= math.exp(-t / decadimento)
        f = freq * glissando ** (t / durata)
        if vibrato:
            f *= 1.0 + vibrato * math.sin(2 * math.pi * 5.5 * t)
        v = 0.0
        for k, (mult, livello) in enumerate(parziali):
            fase[k] += 2 * math.pi * f * mult / FREQ
            v += livello * math.sin(fase[k])
        buf[n0 + i] += volume * inv * v


def finisci(buf):
    """Fades, normalises to the peak level, appends the silence; returns
    16-bit samples."""
    n = len(buf)
    a, c = int(ATTACCO_CUE * FREQ), int(CODA_CUE * FREQ)
    for i in range(a):
        buf[i] *= i / a
    for i in range(c):
        buf[n - 1 - i] *= i / c
    massimo = max(abs(v) for v in buf)
    scala = PICCO * 32767 / massimo
    campioni = [int(math.floor(v * scala + 0.5)) for v in buf]
    campioni += [0] * int(SILENZIO_FINALE * FREQ)
    return campioni


CAMPANA = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.05))
OTTONE = ((1, 1.0), (2, 0.5), (3, 0.3), (4, 0.15), (5, 0.07))
VOCE = ((1, 1.0), (2, 0.55), (3, 0.22), (4, 0.08))


def si():
    # a bright little chime going up a fifth
    buf = []
    nota(buf, 0.00, 0.30, 880.0, CAMPANA, decadimento=0.12, volume=0.8)
    nota(buf, 0.09, 0.42, 1318.5, CAMPANA, decadimento=0.15)
    return buf


# Strong upper partials: a small laptop or tablet speaker plays nothing much
# below 300 Hz, so a cue's body has to lie above it.
BONK = ((1, 1.0), (2, 0.9), (3, 0.5), (4, 0.3), (5, 0.15), (6, 0.08))


def no():
    # a soft, round "bonk" that drops a third (E4 to C4) and dies away
    buf = []
    nota(buf, 0.0, 0.36, 329.63, BONK, attacco=0.01, decadimento=0.7,
         rilascio=0.08, glissando=0.8)
    return buf


def fatto():
    # C E G, then a held high C
    buf = []
    for i, f in enumerate((523.25, 659.25, 783.99)):
        nota(buf, 0.16 * i, 0.20, f, OTTONE, attacco=0.015, rilascio=0.05,
             decadimento=0.4, volume=0.8)
    nota(buf, 0.48, 0.85, 1046.5, OTTONE, attacco=0.02, rilascio=0.3,
         decadimento=1.2, vibrato=0.006)
    return buf


def rifai():
    # "oh-oh": two gentle vowels, the second lower
    buf = []
    nota(buf, 0.00, 0.36, 392.0, VOCE, attacco=0.04, rilascio=0.10,
         glissando=0.97, vibrato=0.004)
    nota(buf, 0.44, 0.56, 311.13, VOCE, attacco=0.04, rilascio=0.25,
         glissando=0.94, vibrato=0.004, decadimento=1.0)
    return buf


CUE = {'si': si, 'no': no, 'fatto': fatto, 'rifai': rifai}


def scrivi(percorso, campioni):
    with wave.open(percorso, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(FREQ)
        w.writeframes(struct.pack('<%dh' % len(campioni), *campioni))


def main():
    cartella = sys.argv[1]
    os.makedirs(cartella, exist_ok=True)
    for nome, funzione in CUE.items():
        campioni = finisci(funzione())
        scrivi(os.path.join(cartella, nome + '.wav'), campioni)


if __name__ == '__main__':
    main()
