// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/disegno.h"

#include "platform/errore.h"
#include "platform/lettura.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace disegno {
namespace {

// Far more than any drawing the game takes.
constexpr int MegabyteMassimi = 256;
constexpr qint64 ByteMassimi = 64 * 1024 * 1024;

// A GIF's LZW minimum code size is at least 2 bits, even for a two-colour
// picture.
constexpr int CodiceMinimo = 2;

// What reading a GIF through giflib, up to its trailer and every frame's
// pixels, tells about it: whether it is whole (Qt's decoder gives back
// whatever it managed to read of a truncated file, and paints in colour 0
// what damaged data leaves out) and how large a picture it makes (Qt's
// decoder paints on the header's whole screen, whatever QImageReader reports
// as the size). The size is that of the screen and the frames up to where
// the reading stopped; a frame that makes the picture larger than the game
// takes is not decoded.
enum class Difetto { Nessuno, Incompleta, Danneggiata };

struct Esame
{
    Difetto difetto = Difetto::Incompleta;
    int larghezza = 0;
    int altezza = 0;
};

// giflib reads the file from memory, noting whether it ever asked past the
// end: that is a file cut short, any other error a damaged one.
struct Lettore
{
    const QByteArray &dati;
    qsizetype letti = 0;
    bool oltreLaFine = false;
};

int leggiGif(GifFileType *gif, GifByteType *destinazione, int quanti)
{
    auto &l = *static_cast<Lettore *>(gif->UserData);
    const int n = int(std::min<qsizetype>(quanti, l.dati.size() - l.letti));
    l.oltreLaFine = l.oltreLaFine || n < quanti;
    std::memcpy(destinazione, l.dati.constData() + l.letti, size_t(n));
    l.letti += n;
    return n;
}

struct ChiudiGif
{
    void operator()(GifFileType *gif) const { DGifCloseFile(gif, nullptr); }
};

Esame esamina(const QByteArray &dati)
{
    Esame e;
    if (dati.size() < 13)
        return e;
    // The screen from the header, even when giflib gives up on what follows it.
    const auto parola = [&](qsizetype i) { return int(uchar(dati[i])) | int(uchar(dati[i + 1])) << 8; };
    e.larghezza = parola(6);
    e.altezza = parola(8);
    Lettore lettore{dati};
    int errore = 0;
    const std::unique_ptr<GifFileType, ChiudiGif> gif(DGifOpen(&lettore, leggiGif, &errore));
    const auto difetto = [&] {
        e.difetto = lettore.oltreLaFine ? Difetto::Incompleta : Difetto::Danneggiata;
        return e;
    };
    if (!gif)
        return difetto();
    int fotogrammi = 0;
    std::vector<GifPixelType> riga;
    for (;;) {
        GifRecordType tipo = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &tipo) == GIF_ERROR)
            return difetto();
        if (tipo == TERMINATE_RECORD_TYPE) {
            e.difetto = fotogrammi > 0 ? Difetto::Nessuno : Difetto::Incompleta;
            return e;
        }
        if (tipo == EXTENSION_RECORD_TYPE) {
            int codice = 0;
            GifByteType *blocco = nullptr;
            if (DGifGetExtension(gif.get(), &codice, &blocco) == GIF_ERROR)
                return difetto();
            while (blocco)
                if (DGifGetExtensionNext(gif.get(), &blocco) == GIF_ERROR)
                    return difetto();
            continue;
        }
        // giflib refuses any other record itself: this one is a frame.
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            return difetto();
        // The last byte giflib read is the frame's LZW minimum code size,
        // which it takes down to 0 bits and up to 8.
        const int bitMinimi = uchar(dati[lettore.letti - 1]);
        const GifImageDesc &f = gif->Image;
        e.larghezza = std::max(e.larghezza, f.Left + f.Width);
        e.altezza = std::max(e.altezza, f.Top + f.Height);
        if (e.larghezza > LarghezzaMassima || e.altezza > AltezzaMassima)
            return e; // refused for its size, without decoding
        if (bitMinimi < CodiceMinimo) {
            e.difetto = Difetto::Danneggiata;
            return e;
        }
        if (f.Width > 0 && f.Height > 0) {
            riga.resize(size_t(f.Width));
            for (int y = 0; y < f.Height; ++y)
                if (DGifGetLine(gif.get(), riga.data(), f.Width) == GIF_ERROR)
                    return difetto();
        } else {
            // No pixels to decode: the frame's data is passed over.
            int bit = 0;
            GifByteType *blocco = nullptr;
            if (DGifGetCode(gif.get(), &bit, &blocco) == GIF_ERROR)
                return difetto();
            while (blocco)
                if (DGifGetCodeNext(gif.get(), &blocco) == GIF_ERROR)
                    return difetto();
        }
        ++fotogrammi;
    }
}

[[noreturn]] void rifiuta(const QString &percorso, const QString &perche)
{
    throw ErroreEsecuzione(ErroreEsecuzione::Tipo::DisegnoNonCaricato, QFileInfo(percorso).absoluteFilePath(), perche);
}

QString misureAccettate()
{
    return QStringLiteral("Il gioco accetta disegni da %1 × %2 a %3 × %4 pixel: così il disegno sta nella "
                          "finestra accanto alla tavolozza e ogni casella misura almeno %5 × %5 pixel.")
        .arg(LarghezzaMinima)
        .arg(AltezzaMinima)
        .arg(LarghezzaMassima)
        .arg(AltezzaMassima)
        .arg(CellaMinima);
}

void controllaMisure(const QString &percorso, int larghezza, int altezza, bool ancheMinime)
{
    const auto dice = [&](const char *come) {
        rifiuta(percorso, QStringLiteral("Il disegno è troppo %1 (%2 × %3 pixel).\n")
                              .arg(QLatin1String(come))
                              .arg(larghezza)
                              .arg(altezza)
                          + misureAccettate());
    };
    if (larghezza > LarghezzaMassima || altezza > AltezzaMassima)
        dice("grande");
    if (ancheMinime && (larghezza < LarghezzaMinima || altezza < AltezzaMinima))
        dice("piccolo");
}

} // namespace

QImage carica(const QString &percorso)
{
    QString perche;
    std::optional<QByteArray> letti = lettura::leggi(percorso, ByteMassimi, perche);
    if (!letti)
        rifiuta(percorso, perche);
    QByteArray &dati = *letti;
    if (dati.isEmpty())
        rifiuta(percorso, QStringLiteral("Il file è vuoto."));
    if (!dati.startsWith("GIF87a") && !dati.startsWith("GIF89a"))
        rifiuta(percorso, QStringLiteral("Il file non è un'immagine GIF."));

    // The size first, so that nothing more is decoded of a picture the game
    // would refuse anyway.
    const Esame e = esamina(dati);
    controllaMisure(percorso, e.larghezza, e.altezza, false);
    if (e.difetto == Difetto::Incompleta)
        rifiuta(percorso, QStringLiteral("L'immagine è incompleta."));
    if (e.difetto == Difetto::Danneggiata)
        rifiuta(percorso, QStringLiteral("L'immagine è danneggiata: mancano i dati dei suoi pixel."));

    QBuffer buffer(&dati);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lettore(&buffer, "gif");
    lettore.setAutoDetectImageFormat(false);
    lettore.setAllocationLimit(MegabyteMassimi);
    QImage immagine;
    if (!lettore.read(&immagine) || immagine.isNull())
        rifiuta(percorso, QStringLiteral("L'immagine è danneggiata o incompleta."));
    controllaMisure(percorso, immagine.width(), immagine.height(), true);
    return opaca(immagine, colore::Bianco);
}

QImage opaca(const QImage &immagine, Colore sfondo)
{
    if (!immagine.hasAlphaChannel())
        return immagine.convertToFormat(QImage::Format_RGB32);
    QImage risultato(immagine.size(), QImage::Format_RGB32);
    risultato.fill(colore::aQColor(sfondo));
    QPainter p(&risultato);
    p.drawImage(0, 0, immagine);
    return risultato;
}

} // namespace disegno
