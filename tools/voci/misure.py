# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures of a sound, shared by the voices' generator and the comparison of
synthesizers: Python's standard library only, so that they run with Debian's
/usr/bin/python3 as it comes.

Samples are floats, full scale 1.0, mono.
"""

import cmath
import math
import struct
import wave

FREQ = 44100


def leggi_wav(percorso):
    """The samples of a 16-bit mono WAV file, and its rate."""
    with wave.open(percorso, 'rb') as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2:
            raise ValueError('%s: not 16-bit mono' % percorso)
        n = w.getnframes()
        dati = struct.unpack('<%dh' % n, w.readframes(n))
        return [v / 32768 for v in dati], w.getframerate()


def scrivi_wav(percorso, campioni):
    """16-bit PCM mono at FREQ, rounded half up as the cues are."""
    interi = [max(-32768, min(32767, int(math.floor(v * 32767 + 0.5)))) for v in campioni]
    with wave.open(percorso, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(FREQ)
        w.writeframes(struct.pack('<%dh' % len(interi), *interi))


def fft(a):
    """In-place radix-2 FFT of a list of complex numbers (length a power of 2)."""
    n = len(a)
    j = 0
    for i in range(1, n):
        bit = n >> 1
        while j & bit:
            j ^= bit
            bit >>= 1
        j ^= bit
        if i < j:
            a[i], a[j] = a[j], a[i]
    lung = 2
    while lung <= n:
        meta = lung // 2
        giri = [cmath.exp(-2j * math.pi * k / lung) for k in range(meta)]
        for i in range(0, n, lung):
            for k in range(meta):
                u = a[i + k]
                v = a[i + k + meta] * giri[k]
                a[i + k] = u + v
                a[i + k + meta] = u - v
        lung <<= 1
    return a


def peso_a(f):
    """Gain of the A-weighting curve, 1 at 1 kHz."""
    f2 = f * f
    q = 12194.0 ** 2
    r = q * f2 * f2 / ((f2 + 20.6 ** 2) * math.sqrt((f2 + 107.7 ** 2) * (f2 + 737.9 ** 2)) * (f2 + q))
    return r * 10 ** (2.0 / 20)


def fine_del_suono(x, soglia=33 / 32768):
    """Samples after the last one above -60 dBFS are the closing silence."""
    fine = len(x)
    while fine > 0 and abs(x[fine - 1]) <= soglia:
        fine -= 1
    return fine


def livello_a(x, freq=FREQ):
    """A-weighted RMS level in dB full scale, over the sound up to its
    closing silence: the measure the asset test applies to the cues."""
    n = 1
    while n < len(x):
        n <<= 1
    a = [complex(v) for v in x] + [0j] * (n - len(x))
    fft(a)
    pesata = 0.0
    for k in range(1, n // 2):
        pesata += abs(a[k]) ** 2 * peso_a(k * freq / n) ** 2
    campioni = max(fine_del_suono(x), 1)
    return 10 * math.log10(max(2 * pesata / n / campioni, 1e-12))


def inviluppo(x, freq=FREQ, finestra=0.005):
    """RMS of consecutive windows of `finestra` seconds."""
    w = max(1, int(round(finestra * freq)))
    return [math.sqrt(sum(v * v for v in x[i:i + w]) / w) for i in range(0, len(x) - w + 1, w)]


def silenzio_iniziale(x, freq=FREQ, finestra=0.005, sotto=40):
    """Seconds before the first window whose RMS comes within `sotto` dB of
    the loudest window: the wait before the voice begins."""
    e = inviluppo(x, freq, finestra)
    soglia = max(e) * 10 ** (-sotto / 20)
    for i, v in enumerate(e):
        if v >= soglia:
            return i * finestra
    return len(x) / freq

