#include "game/disegno.h"

#include "platform/errore.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace disegno {
namespace {

// Far more than any drawing the window can show, far less than a GIF header
// can claim.
constexpr int LatoMassimo = 8192;
constexpr int MegabyteMassimi = 256;
constexpr qint64 ByteMassimi = 64 * 1024 * 1024;

// What walking a GIF's blocks up to its trailer tells, without decoding the
// pixels: whether the file is whole (the decoder gives back whatever it
// managed to read of a truncated file) and how large a picture it asks for
// (the decoder paints on the header's whole screen, whatever QImageReader
// reports as the size).
struct Struttura
{
    bool completa = false;
    int larghezza = 0;
    int altezza = 0;
};

Struttura struttura(const QByteArray &d)
{
    Struttura s;
    if (d.size() < 13)
        return s;
    auto parola = [&](qsizetype i) { return int(static_cast<unsigned char>(d[i])) | int(static_cast<unsigned char>(d[i + 1])) << 8; };
    s.larghezza = parola(6);
    s.altezza = parola(8);
    qsizetype i = 13;
    auto tavola = [&](unsigned char flag) {
        if (flag & 0x80)
            i += 3 * (qsizetype(1) << ((flag & 0x07) + 1));
    };
    auto sottoblocchi = [&] {
        while (i < d.size()) {
            const auto n = static_cast<unsigned char>(d[i]);
            i += 1 + n;
            if (n == 0)
                return true;
        }
        return false;
    };
    tavola(static_cast<unsigned char>(d[10]));
    bool immagine = false;
    while (i < d.size()) {
        switch (static_cast<unsigned char>(d[i])) {
        case 0x3B:
            s.completa = immagine;
            return s;
        case 0x21:
            i += 2;
            if (!sottoblocchi())
                return s;
            break;
        case 0x2C:
            if (i + 10 > d.size())
                return s;
            s.larghezza = std::max(s.larghezza, parola(i + 1) + parola(i + 5));
            s.altezza = std::max(s.altezza, parola(i + 3) + parola(i + 7));
            tavola(static_cast<unsigned char>(d[i + 9]));
            i += 10 + 1;
            if (!sottoblocchi())
                return s;
            immagine = true;
            break;
        default:
            return s;
        }
    }
    return s;
}

[[noreturn]] void rifiuta(const QString &percorso, const QString &perche)
{
    throw ErroreEsecuzione(ErroreEsecuzione::Tipo::DisegnoNonCaricato, QFileInfo(percorso).absoluteFilePath(), perche);
}

} // namespace

QImage carica(const QString &percorso)
{
    QFile file(percorso);
    if (!file.exists())
        rifiuta(percorso, QStringLiteral("Il file non esiste."));
    if (!file.open(QIODevice::ReadOnly))
        rifiuta(percorso, QStringLiteral("Il file non si può leggere: %1").arg(file.errorString()));
    if (file.size() == 0)
        rifiuta(percorso, QStringLiteral("Il file è vuoto."));
    if (file.size() > ByteMassimi)
        rifiuta(percorso, QStringLiteral("Il file è troppo grande per essere un disegno."));
    QByteArray dati = file.readAll();
    if (!dati.startsWith("GIF87a") && !dati.startsWith("GIF89a"))
        rifiuta(percorso, QStringLiteral("Il file non è un'immagine GIF."));

    QBuffer buffer(&dati);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lettore(&buffer, "gif");
    lettore.setAutoDetectImageFormat(false);
    lettore.setAllocationLimit(MegabyteMassimi);
    const Struttura s = struttura(dati);
    const auto troppoGrande = [&](int larghezza, int altezza) {
        if (larghezza > LatoMassimo || altezza > LatoMassimo)
            rifiuta(percorso, QStringLiteral("L'immagine è troppo grande (%1 × %2 pixel).").arg(larghezza).arg(altezza));
    };
    troppoGrande(s.larghezza, s.altezza);
    if (!s.completa)
        rifiuta(percorso, QStringLiteral("L'immagine è incompleta."));

    QImage immagine;
    if (!lettore.read(&immagine) || immagine.isNull())
        rifiuta(percorso, QStringLiteral("L'immagine è danneggiata o incompleta (%1).").arg(lettore.errorString()));
    troppoGrande(immagine.width(), immagine.height());
    return immagine.convertToFormat(QImage::Format_RGB32);
}

} // namespace disegno
