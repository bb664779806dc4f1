#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Review sheet for the cues: each cue's waveform above its sox spectrogram.

    grafico.py <folder with the .wav files> <out.png>
"""

import os
import struct
import subprocess
import sys
import tempfile
import wave

from PIL import Image, ImageDraw

NOMI = ('si', 'no', 'fatto', 'rifai')
LARG, ALT_ONDA = 800, 160


def onda(percorso):
    with wave.open(percorso, 'rb') as w:
        n = w.getnframes()
        campioni = struct.unpack('<%dh' % n, w.readframes(n))
        freq = w.getframerate()
    img = Image.new('RGB', (LARG, ALT_ONDA), (255, 255, 255))
    d = ImageDraw.Draw(img)
    # 2 s across the whole width, so that the cues compare at one scale
    per_px = 2.0 * freq / LARG
    meta = ALT_ONDA // 2
    for y in (meta - 0.708 * meta, meta + 0.708 * meta):    # -3 dBFS
        d.line([(0, y), (LARG, y)], fill=(255, 160, 160))
    for x in range(LARG):
        pezzo = campioni[int(x * per_px):int((x + 1) * per_px)]
        if not pezzo:
            break
        lo, hi = min(pezzo) / 32768, max(pezzo) / 32768
        d.line([(x, meta - hi * meta), (x, meta - lo * meta)], fill=(0, 0, 160))
    d.text((4, 4), '%s  %.2f s' % (os.path.basename(percorso), n / freq),
           fill=(0, 0, 0))
    return img


def main():
    cartella, uscita = sys.argv[1], sys.argv[2]
    pezzi = []
    with tempfile.TemporaryDirectory() as tmp:
        for nome in NOMI:
            wav = os.path.join(cartella, nome + '.wav')
            spettro = os.path.join(tmp, nome + '.png')
            subprocess.run(['sox', wav, '-n', 'spectrogram', '-x', str(LARG - 144),
                            '-y', '200', '-t', nome, '-o', spettro], check=True)
            pezzi.append(onda(wav))
            pezzi.append(Image.open(spettro).convert('RGB'))
        alt = sum(p.size[1] for p in pezzi)
        foglio = Image.new('RGB', (max(p.size[0] for p in pezzi), alt), 'white')
        y = 0
        for p in pezzi:
            foglio.paste(p, (0, y))
            y += p.size[1]
        foglio.save(uscita)


if __name__ == '__main__':
    main()
