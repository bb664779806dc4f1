#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Compares Debian's Italian speech synthesizers on the game's 29
utterances, by measurement: what each says (its own phoneme output), how
long it takes, its pitch contour and the texture of its spectrum.

    confronto.py

Prints one line per synthesizer, averaged over the utterances:
- errors: utterances whose phonemes differ from what they must say;
- s: length of the voice, cut as voci.py cuts it;
- F0: median pitch; range: 10th to 90th percentile of the pitch, semitones;
- fall: the pitch of the last voiced 50 ms under the highest, semitones
  (an Italian statement ends falling);
- micro: frame-to-frame pitch movement left after a 50 ms moving average,
  cents (a human voice is never quite steady; a rule-driven source is);
- HNR: harmonics-to-noise ratio of the voiced frames, dB;
- flux: mean change of the 20-band log spectrum between 10 ms voiced
  frames, dB (a recorded voice glides from sound to sound; a formant
  synthesizer holds its targets still and jumps between them);
- steady: share of voiced frames whose spectrum moved under 1 dB.
"""

import cmath
import math
import os
import statistics
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import misure  # noqa: E402
import voci  # noqa: E402

ANALISI = 16000
FINESTRA = 480       # 30 ms
PASSO = 160          # 10 ms
N = 1024

# eSpeak NG's own phonemes for the same words ("_|" and "_!" are its
# pauses between two vowels).
ESPEAK_LETTERE = {'a': "'a", 'b': "b'i", 'c': "tS'i", 'd': "d'i", 'e': "'e"}
ESPEAK_NUMERI = {'1': "'uno", '2': "d'ue", '3': "t@-*'e", '4': "kw'at:@-*o"}


def atteso_espeak(nome):
    parti = [ESPEAK_LETTERE[c] if c.isalpha() else ESPEAK_NUMERI[c] for c in nome]
    return ' '.join(parti)


def a_16k(x):
    grezzo = struct.pack('<%df' % len(x), *x)
    uscita = subprocess.run(['sox', '-t', 'raw', '-e', 'floating-point', '-b', '32', '-c', '1',
                             '-r', str(misure.FREQ), '-', '-t', 'raw', '-e', 'floating-point', '-b', '32',
                             '-', 'rate', '-v', str(ANALISI)], input=grezzo, capture_output=True, check=True).stdout
    return list(struct.unpack('<%df' % (len(uscita) // 4), uscita))


HANN = [0.5 - 0.5 * math.cos(2 * math.pi * (i + 0.5) / FINESTRA) for i in range(FINESTRA)]


def autocorrelazione(frame):
    a = [complex(v) for v in frame] + [0j] * (N - len(frame))
    misure.fft(a)
    potenza = [abs(v) ** 2 for v in a]
    b = [complex(p) for p in potenza]
    misure.fft(b)       # the inverse, but for a scale and a mirror the real part needs no more
    return [v.real / N for v in b], potenza


AC_HANN = autocorrelazione(HANN)[0]
# 20 bands, evenly spaced on the mel scale, 100 Hz to 7.5 kHz.
MEL = [2595 * math.log10(1 + f / 700) for f in (100, 7500)]
BORDI = [700 * (10 ** ((MEL[0] + (MEL[1] - MEL[0]) * i / 20) / 2595) - 1) for i in range(21)]


def bande(potenza):
    fuori = []
    for b in range(20):
        k0, k1 = int(BORDI[b] * N / ANALISI), max(int(BORDI[b + 1] * N / ANALISI), int(BORDI[b] * N / ANALISI) + 1)
        fuori.append(10 * math.log10(sum(potenza[k0:k1]) + 1e-12))
    return fuori


def analizza(x):
    y = a_16k(x)
    frame = []
    for s in range(0, len(y) - FINESTRA, PASSO):
        pezzo = [v * h for v, h in zip(y[s:s + FINESTRA], HANN)]
        energia = sum(v * v for v in pezzo)
        ac, potenza = autocorrelazione(pezzo)
        r = {t: ac[t] / ac[0] / (AC_HANN[t] / AC_HANN[0]) if ac[0] > 0 else 0.0
             for t in range(ANALISI // 400, ANALISI // 70)}
        # The shortest lag that comes near the best: a period, not a multiple of it.
        massimo = max(r.values())
        ritardo = min(t for t, v in r.items() if v >= 0.9 * massimo
                      and v >= r.get(t - 1, 0) and v >= r.get(t + 1, 0)) if massimo > 0 else 0
        migliore = r.get(ritardo, 0.0)
        frame.append((energia, migliore, ANALISI / ritardo if ritardo else 0, bande(potenza)))
    massima = max(f[0] for f in frame)
    voce = [f if f[0] > massima * 1e-3 and f[1] > 0.45 else None for f in frame]
    f0 = [f[2] if f else None for f in voce]
    st = [12 * math.log2(f / 100) for f in f0 if f]
    micro = []
    for i in range(2, len(f0) - 2):
        intorno = f0[i - 2:i + 3]
        if all(intorno):
            media = sum(12 * math.log2(f / 100) for f in intorno) / 5
            micro.append(abs(12 * math.log2(f0[i] / 100) - media) * 100)
    flussi = [sum(abs(a - b) for a, b in zip(p[3], q[3])) / 20 for p, q in zip(voce, voce[1:]) if p and q]
    hnr = [10 * math.log10(min(f[1], 0.999) / (1 - min(f[1], 0.999))) for f in voce if f]
    decili = statistics.quantiles(st, n=10)
    ultimi = [s for s in st[-5:]]
    return {
        's': len(x) / misure.FREQ,
        'F0': statistics.median(f for f in f0 if f),
        'range': decili[8] - decili[0],
        'fall': max(st) - statistics.mean(ultimi),
        'micro': statistics.mean(micro) if micro else 0.0,
        'HNR': statistics.median(hnr),
        'flux': statistics.mean(flussi) if flussi else 0.0,
        'steady': sum(1 for f in flussi if f < 1.0) / len(flussi) if flussi else 0.0,
    }


CANDIDATI = [
    ('espeak-ng it (male), 150 wpm', lambda t, c: voci.espeak(t, c, 'it', 150), atteso_espeak),
    ('espeak-ng it+f3 (female), 150 wpm', lambda t, c: voci.espeak(t, c, 'it+f3', 150), atteso_espeak),
    ('festival lp_diphone (female)', lambda t, c: voci.festival(t, c, 'voice_lp_diphone'), None),
    ('festival pc_diphone (male)', lambda t, c: voci.festival(t, c, 'voice_pc_diphone'), None),
]


def main():
    enunciati = voci.enunciati()
    testi = [t for _, t, _ in enunciati]
    chiavi = ['s', 'F0', 'range', 'fall', 'micro', 'HNR', 'flux', 'steady']
    print('%-38s %6s ' % ('synthesizer', 'errors') + ' '.join('%7s' % k for k in chiavi))
    for nome, rendi, atteso in CANDIDATI:
        with tempfile.TemporaryDirectory() as lavoro:
            resi = rendi(testi, lavoro)
            errori = sum(1 for n, t, f in enunciati if resi[t][1] != (atteso(n) if atteso else f))
            valori = [analizza(voci.taglia(voci.a_44100(*voci.leggi_sintesi(resi[t][0])))) for t in testi]
        medie = [statistics.mean(v[k] for v in valori) for k in chiavi]
        print('%-38s %6d ' % (nome, errori) + ' '.join('%7.2f' % m for m in medie), flush=True)


if __name__ == '__main__':
    main()
