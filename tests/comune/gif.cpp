// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "comune/gif.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <stdexcept>

namespace prova {
namespace {

constexpr QRgb Tavolozza[4] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00};

int indice(QRgb c)
{
    for (int i = 0; i < 4; ++i)
        if ((c & 0xFFFFFF) == (Tavolozza[i] & 0xFFFFFF))
            return i;
    return 0;
}

void parola(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

// LZW with 3-bit codes and a clear code before every second pixel, so that
// the code table never grows: valid for every decoder, if not compact.
QByteArray dati(const QImage &img)
{
    constexpr int Clear = 4;
    constexpr int Fine = 5;
    QByteArray uscita;
    quint32 accumulo = 0;
    int bit = 0;
    auto emetti = [&](int codice) {
        accumulo |= quint32(codice) << bit;
        bit += 3;
        while (bit >= 8) {
            uscita.append(char(accumulo & 0xFF));
            accumulo >>= 8;
            bit -= 8;
        }
    };
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (n % 2 == 0)
                emetti(Clear);
            emetti(indice(img.pixel(x, y)));
            ++n;
        }
    emetti(Fine);
    if (bit > 0)
        uscita.append(char(accumulo & 0xFF));
    return uscita;
}

} // namespace

QByteArray gif(const QImage &immagine)
{
    QByteArray b("GIF89a");
    parola(b, immagine.width());
    parola(b, immagine.height());
    b.append(char(0x81)); // global colour table of 4 entries
    b.append(char(0));
    b.append(char(0));
    for (QRgb c : Tavolozza) {
        b.append(char(qRed(c)));
        b.append(char(qGreen(c)));
        b.append(char(qBlue(c)));
    }
    b.append(',');
    parola(b, 0);
    parola(b, 0);
    parola(b, immagine.width());
    parola(b, immagine.height());
    b.append(char(0));
    b.append(char(2)); // LZW minimum code size
    const QByteArray d = dati(immagine);
    for (qsizetype i = 0; i < d.size(); i += 255) {
        const QByteArray blocco = d.mid(i, 255);
        b.append(char(blocco.size()));
        b.append(blocco);
    }
    b.append(char(0));
    b.append(';');
    return b;
}

QByteArray disegnoGif(int larghezza, int altezza)
{
    QImage img(larghezza, altezza, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, larghezza - 1, altezza - 1);
    p.drawLine(larghezza / 2, 0, larghezza / 2, altezza - 1);
    p.drawLine(0, altezza / 2, larghezza - 1, altezza / 2);
    p.end();
    return gif(img);
}

QByteArray puntiniGif()
{
    QImage punti(320, 466, QImage::Format_RGB32);
    punti.fill(Qt::black);
    for (int y = 1; y < punti.height(); y += 4)
        for (int x = 1; x < punti.width(); x += 4)
            punti.setPixel(x, y, qRgb(255, 255, 255));
    return gif(punti);
}

void scriviFile(const QString &percorso, const QByteArray &contenuto)
{
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        throw std::runtime_error("cannot write test file");
}

void scriviDisegni(const QString &cartella, int larghezza, int altezza)
{
    scriviDisegni(cartella, disegnoGif(larghezza, altezza));
}

void scriviDisegni(const QString &cartella, const QByteArray &contenuto)
{
    for (int n = 1; n <= 12; ++n)
        scriviFile(cartella + QStringLiteral("/brindel/%1.gif").arg(n), contenuto);
}

} // namespace prova
