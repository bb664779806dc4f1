#include "game/disegno.h"

#include "platform/errore.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace disegno {
namespace {

// Far more than any drawing the window can show, far less than a GIF header
// can claim.
constexpr int LatoMassimo = 8192;
constexpr int MegabyteMassimi = 256;
constexpr qint64 ByteMassimi = 64 * 1024 * 1024;

// Walks the GIF's blocks up to its trailer without decoding the pixels. The
// decoder gives back whatever it managed to read of a truncated file, so the
// end of the file is checked here.
bool completo(const QByteArray &d)
{
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
    if (d.size() < 13)
        return false;
    tavola(static_cast<unsigned char>(d[10]));
    bool immagine = false;
    while (i < d.size()) {
        switch (static_cast<unsigned char>(d[i])) {
        case 0x3B:
            return immagine;
        case 0x21:
            i += 2;
            if (!sottoblocchi())
                return false;
            break;
        case 0x2C:
            if (i + 10 > d.size())
                return false;
            tavola(static_cast<unsigned char>(d[i + 9]));
            i += 10 + 1;
            if (!sottoblocchi())
                return false;
            immagine = true;
            break;
        default:
            return false;
        }
    }
    return false;
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
    const QSize dichiarata = lettore.size();
    if (dichiarata.width() > LatoMassimo || dichiarata.height() > LatoMassimo)
        rifiuta(percorso, QStringLiteral("L'immagine dichiara una misura troppo grande (%1 × %2 pixel).")
                              .arg(dichiarata.width())
                              .arg(dichiarata.height()));

    if (!completo(dati))
        rifiuta(percorso, QStringLiteral("L'immagine è incompleta."));

    QImage immagine;
    if (!lettore.read(&immagine) || immagine.isNull())
        rifiuta(percorso, QStringLiteral("L'immagine è danneggiata o incompleta (%1).").arg(lettore.errorString()));
    return immagine.convertToFormat(QImage::Format_RGB32);
}

} // namespace disegno
