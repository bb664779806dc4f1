// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test sounds written from scratch, and the analysis of what a sound server
// played: tone amplitude per window (Goertzel) and loudness per window.

#include <QByteArray>
#include <QVector>

namespace onda {

constexpr int kCampioniAlSecondo = 44100;

// A 16-bit mono PCM WAV file holding a pure tone.
QByteArray wavTono(double hertz, double secondi, double ampiezza);

// How the samples of a WAV file are written, as audio editors export them.
struct Formato {
    int bit = 16;             // 8, 16, 24 or 32 bits a sample
    bool virgolaMobile = false; // IEEE float (32 bit) instead of integers
    int canali = 1;           // the same tone on every channel
    int frequenza = kCampioniAlSecondo;
};
QByteArray wavTono(double hertz, double secondi, double ampiezza, Formato formato);

// The samples of a 16-bit mono PCM WAV file at kCampioniAlSecondo, scaled to
// -1..1; empty for any other kind of file.
QVector<double> campioniWav(const QByteArray &wav);

// Raw signed 16-bit little-endian mono samples, scaled to -1..1.
QVector<double> campioni(const QByteArray &pcm);

struct Finestre {
    int lunghezza; // samples in a window
    int passo;     // samples between the starts of two windows
    double passoSecondi() const { return double(passo) / kCampioniAlSecondo; }
};

// The amplitude of a tone of the given frequency in each window.
QVector<double> ampiezzaTono(const QVector<double> &x, double hertz, Finestre f);
// The root mean square of each window.
QVector<double> rms(const QVector<double> &x, Finestre f);

// Where a measure stays at or above a threshold: from the start of the first
// window above it to the start of the last, and the time it is above it.
struct Tratto {
    bool presente = false;
    double inizio = 0;
    double fine = 0;
    double durata = 0;
};
Tratto tratto(const QVector<double> &misura, double soglia, Finestre f);

double massimo(const QVector<double> &misura);

} // namespace onda
