#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""The spoken names of the cells, their row letters and column numbers
(suoni/voce/*.wav), rendered by a speech synthesizer with an Italian voice
and made into files like the cues: 16-bit PCM, mono, 44.1 kHz.

    voci.py <output folder> <folder of the cues>

For each utterance the synthesizer's own phoneme output is compared with
what the utterance must say, and nothing is written if one differs. The
silence before and after the voice is cut, the voice fades in and out, is
brought near the cues' A-weighted level and ends in 0.3 s of silence.
"""

import math
import struct
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import misure  # noqa: E402

# The letter names and numbers as written for the synthesizer: a letter
# alone is a word that Italian leaves unstressed ("a", "di", "e": a
# preposition, a conjunction), so the names carry the written accent that
# makes them stressed, and "tré" its closed e.
LETTERE = {'a': 'à', 'b': 'bì', 'c': 'cì', 'd': 'dì', 'e': 'é'}
NUMERI = {'1': 'uno', '2': 'due', '3': 'tré', '4': 'quattro'}

# What each must say, in the phonemes of Festival's Italian lexicon, with
# the stressed vowel marked 1.
FONEMI_LETTERE = {'a': 'a1', 'b': 'b i1', 'c': 'tS i1', 'd': 'd i1', 'e': 'e1'}
FONEMI_NUMERI = {'1': 'u1 n o', '2': 'd u1 e', '3': 't r e1', '4': 'k w a1 t t r o'}


def enunciati():
    """(file name without .wav, text, expected phonemes) for every utterance:
    the 20 cells ("c3": "cì tré"), the 5 letters, the 4 numbers."""
    voci = []
    for lettera in LETTERE:
        for numero in NUMERI:
            voci.append((lettera + numero, LETTERE[lettera] + ' ' + NUMERI[numero],
                         FONEMI_LETTERE[lettera] + ' ' + FONEMI_NUMERI[numero]))
    voci += [(l, t, FONEMI_LETTERE[l]) for l, t in LETTERE.items()]
    voci += [(n, t, FONEMI_NUMERI[n]) for n, t in NUMERI.items()]
    return voci


# Festival reads Latin-1. Each utterance is synthesised, its segments
# printed between markers, and its wave saved.
SCHEMA_FESTIVAL = '''
(%(voce)s)
(define (enuncia testo file allungamento)
  (Parameter.set 'Duration_Stretch allungamento)
  (let ((u (utt.synth (eval (list 'Utterance 'Text testo)))))
    (format t "FONEMI %%s|" file)
    (mapcar (lambda (s) (format t "%%s " (item.name s))) (utt.relation.items u 'Segment))
    (format t "\\n")
    (utt.save.wave u file 'riff)))
'''

# The voice: Festival's Italian female diphone voice (festvox-italp16k),
# its words drawn out for young listeners; a letter or number said alone
# more, or Festival makes it a clipped syllable ("é": 0.1 s).
VOCE = 'voice_lp_diphone'
ALLUNGAMENTO_CELLA = 1.3
ALLUNGAMENTO_SOLO = 1.8


def allungamento(testo):
    return ALLUNGAMENTO_CELLA if ' ' in testo else ALLUNGAMENTO_SOLO


def festival(testi, cartella, voce=VOCE, allungamento=allungamento):
    """Renders each text with Festival into a WAV file in cartella; returns
    {text: (file, phonemes without the pauses '#')}."""
    schema = SCHEMA_FESTIVAL % {'voce': voce}
    file = {}
    for i, testo in enumerate(testi):
        file[testo] = os.path.join(cartella, 'f%d.wav' % i)
        schema += '(enuncia "%s" "%s" %s)\n' % (testo, file[testo], allungamento(testo))
    percorso = os.path.join(cartella, 'voci.scm')
    with open(percorso, 'wb') as f:
        f.write(schema.encode('latin-1'))
    uscita = subprocess.run(['festival', '-b', percorso], env=ambiente(cartella), check=True,
                            capture_output=True).stdout.decode('latin-1')
    fonemi = {}
    for riga in uscita.splitlines():
        if riga.startswith('FONEMI '):
            nome, segmenti = riga[len('FONEMI '):].split('|', 1)
            fonemi[nome] = ' '.join(s for s in segmenti.split() if s != '#')
    return {t: (f, fonemi.get(f)) for t, f in file.items()}


def espeak(testi, cartella, voce='it', parole_al_minuto=150):
    """The same with eSpeak NG (for the comparison): phonemes in its own
    notation."""
    risultato = {}
    for i, testo in enumerate(testi):
        file = os.path.join(cartella, 'e%d.wav' % i)
        comune = ['espeak-ng', '-v', voce, '-s', str(parole_al_minuto)]
        subprocess.run(comune + ['-w', file, testo], env=ambiente(cartella), check=True)
        fonemi = subprocess.run(comune + ['-q', '-x', testo], env=ambiente(cartella), check=True,
                                capture_output=True).stdout.decode('utf-8')
        risultato[testo] = (file, ' '.join(fonemi.replace('_|', ' ').replace('_!', ' ').split()))
    return risultato


def ambiente(cartella):
    """No personal settings of either synthesizer: a home of its own."""
    return {'PATH': '/usr/bin:/bin', 'HOME': cartella, 'LC_ALL': 'C.UTF-8'}


def leggi_sintesi(percorso):
    """A synthesizer's 16-bit output as floats, and its rate. Festival's LPC
    synthesis writes its loudest vowels past 16 bits, where they wrap round
    to the other end of the range (32412, -32701, 30260): such a jump of
    more than three quarters of the range is undone, which is exact as long
    as the true signal never moves that far in one sample (no sound of a
    voice does). The wrapped stretch must end, or the output is refused."""
    x, freq = misure.leggi_wav(percorso)
    y, spostamento = [], 0.0
    for i, v in enumerate(x):
        if i:
            salto = v + spostamento - y[-1]
            if salto > 1.5:
                spostamento -= 2.0
            elif salto < -1.5:
                spostamento += 2.0
        y.append(v + spostamento)
    if spostamento:
        raise SystemExit('voci.py: %s ends past 16 bits' % percorso)
    return y, freq


def a_44100(x, freq):
    """Samples at another rate resampled to 44.1 kHz (sox, very high
    quality), the rumble under 60 Hz taken out."""
    grezzo = subprocess.run(['sox', '-t', 'raw', '-e', 'floating-point', '-b', '32', '-c', '1', '-r', str(freq),
                             '-', '-t', 'raw', '-e', 'floating-point', '-b', '32', '-',
                             'highpass', '60', 'rate', '-v', str(misure.FREQ)],
                            input=struct.pack('<%df' % len(x), *x), check=True, capture_output=True).stdout
    return list(struct.unpack('<%df' % (len(grezzo) // 4), grezzo))


FINESTRA = 0.005          # envelope windows, seconds
SOGLIA_VOCE = 40          # dB under the loudest window: where the voice starts and ends
PRIMA = 0.005             # kept before the first window of voice
DOPO = 0.04               # kept after the last, for the vowel's own decay
ATTACCO = 0.005           # fade in
CODA = 0.04               # fade out
PICCO_MASSIMO = 10 ** (-1 / 20)
GINOCCHIO = 6             # dB under PICCO_MASSIMO where peaks start to bend
SILENZIO_FINALE = 0.3


def taglia(x):
    """The voice alone, with PRIMA before and DOPO after it, faded in and out."""
    e = misure.inviluppo(x, misure.FREQ, FINESTRA)
    soglia = max(e) * 10 ** (-SOGLIA_VOCE / 20)
    sopra = [i for i, v in enumerate(e) if v >= soglia]
    w = int(round(FINESTRA * misure.FREQ))
    inizio = max(0, sopra[0] * w - int(PRIMA * misure.FREQ))
    fine = min(len(x), (sopra[-1] + 1) * w + int(DOPO * misure.FREQ))
    y = x[inizio:fine]
    a, c = int(ATTACCO * misure.FREQ), int(CODA * misure.FREQ)
    for i in range(a):
        y[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(c):
        y[len(y) - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / c)
    return y


# Speech carries far more of its energy in its peaks than the cues' tones
# do: under the same peak limit it is 4 to 6 dB quieter to the ear. The
# voices are brought half a dB over the quietest cue, within 3 dB of the
# loudest too, which takes at most 9 dB of bending at the top of their
# loudest periods.
SOTTO_IL_CUE = -0.5


def livello_dei_cue(cartella_cue):
    """The level the voices are brought to: SOTTO_IL_CUE under the
    A-weighted level of the quietest cue."""
    return min(misure.livello_a(misure.leggi_wav(os.path.join(cartella_cue, n + '.wav'))[0])
               for n in ('si', 'no', 'fatto', 'rifai')) - SOTTO_IL_CUE


def ammorbidisci(y, tetto=PICCO_MASSIMO):
    """Peaks pressed under tetto: samples under the knee, GINOCCHIO dB
    below it, pass as they are; above it they bend (tanh) towards tetto,
    which none reaches. Speech goes above the knee for a few samples at
    the top of its loudest periods."""
    k = tetto * 10 ** (-GINOCCHIO / 20)
    sopra = tetto - k
    return [v if abs(v) <= k else math.copysign(k + sopra * math.tanh((abs(v) - k) / sopra), v) for v in y]


def prepara(x, livello):
    """Cut, faded, at the given A-weighted level with no peak over
    PICCO_MASSIMO, ending in silence; and how high its loudest peak would
    have gone unbent (full scale 1)."""
    y = taglia(x)

    def prova(db):
        g = 10 ** (db / 20)
        z = ammorbidisci([v * g for v in y])
        return z, max(abs(v) for v in y) * g, misure.livello_a(z) - livello

    # The level grows with the gain, more slowly once the peaks bend:
    # secant steps from the gain that would do without them.
    a = livello - misure.livello_a(y)
    z, picco, fa = prova(a)
    b = a - fa
    for _ in range(12):
        z, picco, fb = prova(b)
        if abs(fb) < 0.05:
            return z + [0.0] * int(SILENZIO_FINALE * misure.FREQ), picco
        a, b, fa = b, b - fb * (b - a) / (fb - fa) if fb != fa else b - fb, fb
    raise SystemExit('voci.py: the voice does not reach the cues\' level under the peak limit')


def main():
    uscita, cartella_cue = sys.argv[1], sys.argv[2]
    livello = livello_dei_cue(cartella_cue)
    voci = enunciati()
    with tempfile.TemporaryDirectory() as lavoro:
        resi = festival([t for _, t, _ in voci], lavoro)
        sbagliati = ['%s "%s": says "%s", should say "%s"' % (n, t, resi[t][1], f)
                     for n, t, f in voci if resi[t][1] != f]
        if sbagliati:
            raise SystemExit('voci.py: the synthesizer mispronounces\n  ' + '\n  '.join(sbagliati))
        os.makedirs(uscita, exist_ok=True)
        for nome, testo, _ in voci:
            y, picco = prepara(a_44100(*leggi_sintesi(resi[testo][0])), livello)
            misure.scrivi_wav(os.path.join(uscita, nome + '.wav'), y)
            print('%-3s %-11s voice %.2f s, %2.0f ms before it, %.1f dB(A), peaks bent by %.1f dB'
                  % (nome, testo, misure.fine_del_suono(y) / misure.FREQ, 1000 * misure.silenzio_iniziale(y),
                     misure.livello_a(y), max(0.0, 20 * math.log10(picco / PICCO_MASSIMO))))


if __name__ == '__main__':
    main()
