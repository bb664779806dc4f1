#include "game/disegno.h"

#include "platform/errore.h"
#include "platform/lettura.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <array>
#include <vector>

namespace disegno {
namespace {

// Far more than any drawing the game takes.
constexpr int MegabyteMassimi = 256;
constexpr qint64 ByteMassimi = 64 * 1024 * 1024;

// A GIF's LZW minimum code size: 2 to 8 bits, even for a two-colour picture.
constexpr int CodiceMinimo = 2;
constexpr int CodiceMassimo = 8;
constexpr int CodiciLzw = 4096;

struct Fotogramma
{
    qsizetype dati = 0; // the first sub-block of its LZW data
    int larghezza = 0;
    int altezza = 0;
    int codice = 0;     // the LZW minimum code size
};

// What walking a GIF's blocks up to its trailer tells, without decoding the
// pixels: whether the file is whole (the decoder gives back whatever it
// managed to read of a truncated file), how large a picture it asks for (the
// decoder paints on the header's whole screen, whatever QImageReader reports
// as the size) and where each frame's data lies.
struct Struttura
{
    bool completa = false;
    int larghezza = 0;
    int altezza = 0;
    std::vector<Fotogramma> fotogrammi;
};

Struttura struttura(const QByteArray &d)
{
    Struttura s;
    if (d.size() < 13)
        return s;
    auto byte = [&](qsizetype i) { return int(static_cast<unsigned char>(d[i])); };
    auto parola = [&](qsizetype i) { return byte(i) | byte(i + 1) << 8; };
    s.larghezza = parola(6);
    s.altezza = parola(8);
    qsizetype i = 13;
    auto tavola = [&](int flag) {
        if (flag & 0x80)
            i += 3 * (qsizetype(1) << ((flag & 0x07) + 1));
    };
    auto sottoblocchi = [&] {
        while (i < d.size()) {
            const int n = byte(i);
            i += 1 + n;
            if (n == 0)
                return true;
        }
        return false;
    };
    tavola(byte(10));
    while (i < d.size()) {
        switch (byte(i)) {
        case 0x3B:
            s.completa = !s.fotogrammi.empty();
            return s;
        case 0x21:
            i += 2;
            if (!sottoblocchi())
                return s;
            break;
        case 0x2C: {
            if (i + 10 > d.size())
                return s;
            Fotogramma f;
            f.larghezza = parola(i + 5);
            f.altezza = parola(i + 7);
            s.larghezza = std::max(s.larghezza, parola(i + 1) + f.larghezza);
            s.altezza = std::max(s.altezza, parola(i + 3) + f.altezza);
            const int flag = byte(i + 9);
            i += 10;
            tavola(flag);
            if (i >= d.size())
                return s;
            f.codice = byte(i);
            f.dati = ++i;
            if (!sottoblocchi())
                return s;
            s.fotogrammi.push_back(f);
            break;
        }
        default:
            return s;
        }
    }
    return s;
}

// How many pixels a frame's LZW data yields, counting no further than
// `bastano`: the decoder paints whatever the data leaves out in colour 0.
// A code the table cannot hold yet ends the count, as it ends the decoder.
qint64 pixelDecodificati(const QByteArray &d, const Fotogramma &f, qint64 bastano)
{
    const int pulisci = 1 << f.codice;
    const int fine = pulisci + 1;
    std::array<qint64, CodiciLzw> lunghezza{};
    std::fill(lunghezza.begin(), lunghezza.begin() + pulisci, 1);
    int ampiezza = f.codice + 1;
    int prossimo = pulisci + 2;
    int precedente = -1;
    qint64 pixel = 0;
    quint32 accumulo = 0;
    int bit = 0;
    qsizetype i = f.dati;
    while (i < d.size()) {
        const int n = static_cast<unsigned char>(d[i++]);
        if (n == 0)
            break;
        for (int k = 0; k < n && i < d.size(); ++k, ++i) {
            accumulo |= quint32(static_cast<unsigned char>(d[i])) << bit;
            bit += 8;
            while (bit >= ampiezza) {
                const int codice = int(accumulo & ((1u << ampiezza) - 1));
                accumulo >>= ampiezza;
                bit -= ampiezza;
                if (codice == pulisci) {
                    ampiezza = f.codice + 1;
                    prossimo = pulisci + 2;
                    precedente = -1;
                    continue;
                }
                if (codice == fine)
                    return pixel;
                qint64 l = 0;
                if (precedente < 0) {
                    if (codice > pulisci)
                        return pixel;
                    l = 1;
                } else if (codice < prossimo) {
                    l = lunghezza[codice];
                    if (prossimo < CodiciLzw)
                        lunghezza[prossimo++] = lunghezza[precedente] + 1;
                } else if (codice == prossimo && prossimo < CodiciLzw) {
                    l = lunghezza[precedente] + 1;
                    lunghezza[prossimo++] = l;
                } else {
                    return pixel;
                }
                pixel += l;
                if (pixel >= bastano)
                    return pixel;
                precedente = codice;
                if (prossimo == (1 << ampiezza) && ampiezza < 12)
                    ++ampiezza;
            }
        }
    }
    return pixel;
}

// Whether every frame carries a valid code size and data for all its pixels.
bool fotogrammiInteri(const QByteArray &d, const Struttura &s)
{
    return std::all_of(s.fotogrammi.begin(), s.fotogrammi.end(), [&](const Fotogramma &f) {
        if (f.codice < CodiceMinimo || f.codice > CodiceMassimo)
            return false;
        const qint64 area = qint64(f.larghezza) * f.altezza;
        return pixelDecodificati(d, f, area) >= area;
    });
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

    // The size first, from the header, so that nothing is decoded of a
    // picture the game would refuse anyway.
    const Struttura s = struttura(dati);
    controllaMisure(percorso, s.larghezza, s.altezza, false);
    if (!s.completa)
        rifiuta(percorso, QStringLiteral("L'immagine è incompleta."));
    if (!fotogrammiInteri(dati, s))
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
