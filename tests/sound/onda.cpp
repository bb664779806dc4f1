// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "onda.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace onda {
namespace {

void aggiungi16(QByteArray &b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void aggiungi32(QByteArray &b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

} // namespace

QByteArray wavTono(double hertz, double secondi, double ampiezza)
{
    return wavTono(hertz, secondi, ampiezza, Formato{});
}

QByteArray wavTono(double hertz, double secondi, double ampiezza, Formato f)
{
    const int n = int(std::lround(secondi * f.frequenza));
    const int byteCampione = f.bit / 8;
    const quint32 blocco = quint32(byteCampione * f.canali);
    const quint32 dati = quint32(n) * blocco;
    QByteArray b;
    b.append("RIFF", 4);
    aggiungi32(b, 36 + dati);
    b.append("WAVEfmt ", 8);
    aggiungi32(b, 16);
    aggiungi16(b, f.virgolaMobile ? 3 : 1); // IEEE float or PCM
    aggiungi16(b, quint16(f.canali));
    aggiungi32(b, quint32(f.frequenza));
    aggiungi32(b, quint32(f.frequenza) * blocco);
    aggiungi16(b, quint16(blocco));
    aggiungi16(b, quint16(f.bit));
    b.append("data", 4);
    aggiungi32(b, dati);
    for (int i = 0; i < n; ++i) {
        const double v = ampiezza * std::sin(2 * std::numbers::pi * hertz * i / f.frequenza);
        for (int c = 0; c < f.canali; ++c) {
            if (f.virgolaMobile) {
                aggiungi32(b, std::bit_cast<quint32>(float(v)));
            } else if (f.bit == 8) {
                b.append(char(quint8(std::lround(v * 127) + 128)));
            } else {
                // Little-endian two's complement, the top byteCampione bytes of 32 bits.
                const auto intero = quint32(qint32(std::lround(v * 2147483647.0)));
                for (int k = 4 - byteCampione; k < 4; ++k)
                    b.append(char(intero >> (8 * k)));
            }
        }
    }
    return b;
}

QVector<double> campioniWav(const QByteArray &wav)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return {};
    bool formatoGiusto = false;
    for (qsizetype pos = 12; pos + 8 <= wav.size();) {
        const QByteArray id = wav.mid(pos, 4);
        const qsizetype lunghezza = qFromLittleEndian<quint32>(wav.constData() + pos + 4);
        const QByteArray corpo = wav.mid(pos + 8, lunghezza);
        if (id == "fmt " && corpo.size() >= 16) {
            const char *f = corpo.constData();
            formatoGiusto = qFromLittleEndian<quint16>(f) == 1 && qFromLittleEndian<quint16>(f + 2) == 1
                            && qFromLittleEndian<quint32>(f + 4) == quint32(kCampioniAlSecondo)
                            && qFromLittleEndian<quint16>(f + 14) == 16;
        } else if (id == "data") {
            return formatoGiusto ? campioni(corpo) : QVector<double>();
        }
        pos += 8 + lunghezza + (lunghezza & 1);
    }
    return {};
}

QVector<double> campioni(const QByteArray &pcm)
{
    QVector<double> x;
    x.reserve(pcm.size() / 2);
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2)
        x.append(qFromLittleEndian<qint16>(pcm.constData() + i) / 32768.0);
    return x;
}

QVector<double> ampiezzaTono(const QVector<double> &x, double hertz, Finestre f)
{
    const double coeff = 2 * std::cos(2 * std::numbers::pi * hertz / kCampioniAlSecondo);
    QVector<double> a;
    for (qsizetype inizio = 0; inizio + f.lunghezza <= x.size(); inizio += f.passo) {
        double s1 = 0, s2 = 0;
        for (int i = 0; i < f.lunghezza; ++i) {
            const double s = x[inizio + i] + coeff * s1 - s2;
            s2 = s1;
            s1 = s;
        }
        const double potenza = std::max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2);
        // A sine of amplitude A gives a bin of magnitude A * N / 2.
        a.append(2 * std::sqrt(potenza) / f.lunghezza);
    }
    return a;
}

QVector<double> rms(const QVector<double> &x, Finestre f)
{
    QVector<double> r;
    for (qsizetype inizio = 0; inizio + f.lunghezza <= x.size(); inizio += f.passo) {
        double somma = 0;
        for (int i = 0; i < f.lunghezza; ++i)
            somma += x[inizio + i] * x[inizio + i];
        r.append(std::sqrt(somma / f.lunghezza));
    }
    return r;
}

Tratto tratto(const QVector<double> &misura, double soglia, Finestre f)
{
    Tratto t;
    int sopra = 0;
    for (qsizetype i = 0; i < misura.size(); ++i) {
        if (misura[i] < soglia)
            continue;
        if (!t.presente)
            t.inizio = i * f.passoSecondi();
        t.presente = true;
        t.fine = i * f.passoSecondi();
        ++sopra;
    }
    t.durata = sopra * f.passoSecondi();
    return t;
}

double massimo(const QVector<double> &misura)
{
    return misura.isEmpty() ? 0.0 : *std::max_element(misura.begin(), misura.end());
}

} // namespace onda
