// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped drawings, sound cues and pictures, read as the game and the
// platform read them.

#include "comune/aree.h"
#include "game/partita.h"
#include "windows/layout.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QSize>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

const QString radice = QStringLiteral(BRINDEL_SOURCE_DIR);

// What a child's fingertip or an unsteady mouse hand can hit: every area has
// this many pixels and a white square of this side inside it.
constexpr int areaMinima = 200;
constexpr int latoMinimo = 10;
constexpr int areeMinime = 12;
constexpr int larghezzaMassima = 440;
constexpr int altezzaMassima = 509;
constexpr int bordo = 2; // the picture box's border on each side

constexpr QRgb nero = 0xFF000000;
constexpr QRgb bianco = 0xFFFFFFFF;

QImage leggiGif(const QString &percorso)
{
    QImageReader lettore(percorso, "gif");
    lettore.setDecideFormatFromContent(false);
    return lettore.read().convertToFormat(QImage::Format_ARGB32);
}

// Side of the largest white square inside each area, exactly: the largest
// square with its bottom-right corner at a white pixel is one more than the
// smallest of those at its left, upper and upper-left neighbours.
std::vector<int> latiQuadrati(const QImage &img, const std::vector<int> &etichetta, size_t aree)
{
    const int w = img.width();
    std::vector<int> lati(aree, 0), sopra(w + 1, 0), riga(w + 1, 0);
    for (int y = 0; y < img.height(); ++y) {
        riga[0] = 0;
        for (int x = 0; x < w; ++x) {
            const int e = etichetta[static_cast<size_t>(y) * w + x];
            riga[x + 1] = e ? std::min({sopra[x], sopra[x + 1], riga[x]}) + 1 : 0;
            if (e)
                lati[e - 1] = std::max(lati[e - 1], riga[x + 1]);
        }
        std::swap(sopra, riga);
    }
    return lati;
}

struct Wav {
    quint16 formato = 0, canali = 0, bit = 0, allineamento = 0;
    quint32 frequenza = 0, byteAlSecondo = 0;
    std::vector<qint16> campioni;
};

// A RIFF/WAVE reader for what the cues must be: "fmt " and "data" chunks,
// other chunks skipped.  Says what is wrong with a malformed file.
bool leggiWav(const QString &percorso, Wav &wav, QString &errore)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        errore = QStringLiteral("cannot open");
        return false;
    }
    const QByteArray b = f.readAll();
    const auto u8 = [&b](qsizetype at) { return quint32(static_cast<unsigned char>(b.at(at))); };
    const auto u16 = [&u8](qsizetype at) { return quint16(u8(at) | u8(at + 1) << 8); };
    const auto u32 = [&u16](qsizetype at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") {
        errore = QStringLiteral("not RIFF/WAVE");
        return false;
    }
    if (u32(4) != static_cast<quint32>(b.size() - 8)) {
        errore = QStringLiteral("RIFF size does not match the file");
        return false;
    }
    bool fmt = false, data = false;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const quint32 lung = u32(at + 4);
        const qsizetype corpo = at + 8;
        if (corpo + static_cast<qsizetype>(lung) > b.size()) {
            errore = QStringLiteral("chunk runs past the end: ") + QString::fromLatin1(id);
            return false;
        }
        if (id == "fmt " && lung >= 16) {
            wav.formato = u16(corpo);
            wav.canali = u16(corpo + 2);
            wav.frequenza = u32(corpo + 4);
            wav.byteAlSecondo = u32(corpo + 8);
            wav.allineamento = u16(corpo + 12);
            wav.bit = u16(corpo + 14);
            fmt = true;
        } else if (id == "data") {
            if (!fmt || lung % 2 != 0) {
                errore = QStringLiteral("data before fmt, or odd data size");
                return false;
            }
            wav.campioni.resize(lung / 2);
            for (quint32 i = 0; i < lung / 2; ++i)
                wav.campioni[i] = static_cast<qint16>(u16(corpo + 2 * qsizetype(i)));
            data = true;
        }
        at = corpo + lung + (lung & 1);
    }
    if (!fmt || !data) {
        errore = QStringLiteral("missing fmt or data chunk");
        return false;
    }
    return true;
}

// Samples after the last one above -60 dBFS are the cue's closing silence.
size_t fineDelSuono(const std::vector<qint16> &s)
{
    constexpr int sogliaSilenzio = 33; // -60 dBFS
    size_t fine = s.size();
    while (fine > 0 && std::abs(int(s[fine - 1])) <= sogliaSilenzio)
        --fine;
    return fine;
}

// In-place radix-2 FFT; the size is a power of two.
void fft(std::vector<std::complex<double>> &a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t lung = 2; lung <= n; lung <<= 1) {
        const std::complex<double> passo = std::polar(1.0, -2 * std::numbers::pi / double(lung));
        for (size_t i = 0; i < n; i += lung) {
            std::complex<double> w(1.0);
            for (size_t k = 0; k < lung / 2; ++k, w *= passo) {
                const std::complex<double> u = a[i + k], v = a[i + k + lung / 2] * w;
                a[i + k] = u + v;
                a[i + k + lung / 2] = u - v;
            }
        }
    }
}

// Gain of the A-weighting curve, 1 at 1 kHz.
double pesoA(double f)
{
    const double f2 = f * f, q = 12194.0 * 12194.0;
    const double r = q * f2 * f2
                     / ((f2 + 20.6 * 20.6) * std::sqrt((f2 + 107.7 * 107.7) * (f2 + 737.9 * 737.9)) * (f2 + q));
    return r * std::pow(10.0, 2.0 / 20);
}

struct Ascolto {
    double livelloA = 0; // A-weighted RMS of the sound, dB full scale
    double sopra300 = 0; // share of the energy above 300 Hz
};

// How loud a cue sounds to the ear over its length, and how much of it a
// small speaker, which plays little under 300 Hz, can give.
Ascolto ascolta(const std::vector<qint16> &s)
{
    size_t n = 1;
    while (n < s.size())
        n <<= 1;
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < s.size(); ++i)
        a[i] = s[i] / 32768.0;
    fft(a);
    double tutta = 0, pesata = 0, alta = 0;
    for (size_t k = 1; k < n / 2; ++k) {
        const double f = double(k) * 44100 / double(n), e = std::norm(a[k]);
        tutta += e;
        pesata += e * pesoA(f) * pesoA(f);
        alta += f > 300 ? e : 0;
    }
    // Parseval: the one-sided spectrum holds half the energy, times n.
    const double campioni = double(std::max<size_t>(fineDelSuono(s), 1));
    return {10 * std::log10(std::max(2 * pesata / double(n) / campioni, 1e-12)), tutta > 0 ? alta / tutta : 0};
}

} // namespace

class TstAssets : public QObject
{
    Q_OBJECT

private slots:
    void disegno_data();
    void disegno();
    void linee_data();
    void linee();
    void arrotondamentoDelleCelle();
    void suono_data();
    void suono();
    void suoniUgualmenteForti();
    void voce_data();
    void voce();
    void immagine_data();
    void immagine();
};

static void tabellaDisegni()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QSize>("esatta"); // a required size, or invalid
    for (int n = 1; n <= 12; ++n) {
        const QString nome = QString::number(n) + QStringLiteral(".gif");
        QTest::newRow(qPrintable(nome)) << radice + QStringLiteral("/brindel/") + nome << QSize();
    }
    QTest::newRow("iniziale.gif")
        << radice + QStringLiteral("/windows/immagini/iniziale.gif") << QSize(320, 466);
}

void TstAssets::disegno_data()
{
    tabellaDisegni();
}

// Each drawing loads as a two-colour GIF of a size the game window holds,
// with enough white areas, each big enough for a child's press, and cells.
void TstAssets::disegno()
{
    QFETCH(QString, percorso);
    QFETCH(QSize, esatta);

    const QImage img = leggiGif(percorso);
    QVERIFY2(!img.isNull(), qPrintable(percorso));
    if (esatta.isValid())
        QCOMPARE(img.size(), esatta);
    QVERIFY(img.width() <= larghezzaMassima);
    QVERIFY(img.height() <= altezzaMassima);
    QVERIFY2(img.height() > img.width(), "drawings are portrait");

    QSet<QRgb> colori;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            colori.insert(img.pixel(x, y));
    QCOMPARE(colori, (QSet<QRgb>{nero, bianco}));

    std::vector<int> etichetta;
    const std::vector<prova::Area> aree = prova::areeBianche(img, false, &etichetta);
    QVERIFY2(static_cast<int>(aree.size()) >= areeMinime,
             qPrintable(QStringLiteral("%1 white areas").arg(aree.size())));
    const std::vector<int> lati = latiQuadrati(img, etichetta, aree.size());
    for (size_t k = 0; k < aree.size(); ++k) {
        QVERIFY2(aree[k].pixel >= areaMinima && lati[k] >= latoMinimo,
                 qPrintable(QStringLiteral("white area of %1 px at %2,%3, largest square %4")
                                .arg(aree[k].pixel).arg(aree[k].seme.x()).arg(aree[k].seme.y()).arg(lati[k])));
    }

    // The box takes the picture's size plus its border; the game lays its cells out from that.
    const gioco::Geometria g = gioco::geometriaPerRiquadro(img.width() + 2 * bordo, img.height() + 2 * bordo);

    // Most cells uncover part of the drawing: lines in at least 16 of 20.
    int conLinee = 0;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c) {
            int neri = 0;
            const int x0 = g.sinistra(c) - bordo, y0 = g.alto(r) - bordo;
            for (int y = y0; y < std::min(y0 + g.altezzaCella, img.height()); ++y)
                for (int x = x0; x < std::min(x0 + g.larghezzaCella, img.width()); ++x)
                    neri += img.pixel(x, y) == nero;
            conLinee += neri >= 150; // black pixels: a line or two across the cell
        }
    }
    QVERIFY2(conLinee >= 16, qPrintable(QStringLiteral("%1 cells with lines").arg(conLinee)));
}

void TstAssets::linee_data()
{
    tabellaDisegni();
}

// Lines are at least two pixels thick everywhere, so areas never touch
// diagonally: a fill stays in its area whether it spreads 4- or 8-ways.
void TstAssets::linee()
{
    QFETCH(QString, percorso);
    const QImage img = leggiGif(percorso);
    QVERIFY(!img.isNull());

    const auto neroIn = [&img](int x, int y) {
        return x >= 0 && y >= 0 && x < img.width() && y < img.height() && img.pixel(x, y) == nero;
    };
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (!neroIn(x, y))
                continue;
            bool inBlocco = false;
            for (int dy = -1; dy <= 0 && !inBlocco; ++dy)
                for (int dx = -1; dx <= 0 && !inBlocco; ++dx)
                    inBlocco = neroIn(x + dx, y + dy) && neroIn(x + dx + 1, y + dy)
                               && neroIn(x + dx, y + dy + 1) && neroIn(x + dx + 1, y + dy + 1);
            QVERIFY2(inBlocco, qPrintable(QStringLiteral("thin line at %1,%2").arg(x).arg(y)));
        }
    }
    QCOMPARE(prova::areeBianche(img, true).size(), prova::areeBianche(img, false).size());
}

// The drawings' widths make the game round an exact half cell width both
// down and up to the even neighbour.
void TstAssets::arrotondamentoDelleCelle()
{
    bool giu = false, su = false;
    for (int n = 1; n <= 12; ++n) {
        const QImage img = leggiGif(radice + QStringLiteral("/brindel/%1.gif").arg(n));
        QVERIFY(!img.isNull());
        const int utile = img.width() + 2 * bordo - 15;
        if (utile % 4 != 2)
            continue;
        const int intero = utile / 4; // the half lies between intero and intero + 1
        const int pari = intero % 2 == 0 ? intero : intero + 1;
        QCOMPARE(int(gioco::geometriaPerRiquadro(img.width() + 2 * bordo, img.height() + 2 * bordo).larghezzaCella), pari);
        (pari == intero ? giu : su) = true;
    }
    QVERIFY2(giu, "no drawing whose half cell width rounds down");
    QVERIFY2(su, "no drawing whose half cell width rounds up");
}

void TstAssets::suono_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<double>("minimo"); // seconds of sound, before the silence
    QTest::addColumn<double>("massimo");
    QTest::newRow("si") << QStringLiteral("si") << 0.1 << 0.6;
    QTest::newRow("no") << QStringLiteral("no") << 0.1 << 0.6;
    QTest::newRow("fatto") << QStringLiteral("fatto") << 1.0 << 2.0;
    QTest::newRow("rifai") << QStringLiteral("rifai") << 0.8 << 1.25;
}

// Each cue is 16-bit mono PCM at 44.1 kHz, of its length, peaking near
// -3 dBFS, starting without a click and ending in a quarter second of silence.
void TstAssets::suono()
{
    QFETCH(QString, nome);
    QFETCH(double, minimo);
    QFETCH(double, massimo);

    Wav wav;
    QString errore;
    QVERIFY2(leggiWav(radice + QStringLiteral("/suoni/") + nome + QStringLiteral(".wav"), wav, errore),
             qPrintable(errore));
    QCOMPARE(wav.formato, quint16(1));
    QCOMPARE(wav.canali, quint16(1));
    QCOMPARE(wav.frequenza, quint32(44100));
    QCOMPARE(wav.bit, quint16(16));
    QCOMPARE(wav.allineamento, quint16(2));
    QCOMPARE(wav.byteAlSecondo, quint32(88200));
    QVERIFY(!wav.campioni.empty());

    const std::vector<qint16> &s = wav.campioni;
    int picco = 0;
    for (qint16 v : s)
        picco = std::max(picco, std::abs(int(v)));
    const double dbfs = 20 * std::log10(picco / 32768.0);
    QVERIFY2(dbfs > -4.0 && dbfs < -2.0, qPrintable(QStringLiteral("peak %1 dBFS").arg(dbfs)));

    const size_t fine = fineDelSuono(s);
    const double suono = double(fine) / 44100;
    const double silenzio = double(s.size() - fine) / 44100;
    QVERIFY2(suono >= minimo && suono <= massimo, qPrintable(QStringLiteral("%1 s of sound").arg(suono)));
    QVERIFY2(silenzio >= 0.25, qPrintable(QStringLiteral("%1 s of silence at the end").arg(silenzio)));

    // First sample near zero, and the first millisecond still well below the peak.
    QVERIFY(std::abs(int(s[0])) <= 328);
    for (size_t i = 0; i < 44 && i < s.size(); ++i)
        QVERIFY2(std::abs(int(s[i])) <= picco / 4, qPrintable(QStringLiteral("sample %1").arg(i)));

    // A small laptop or tablet speaker still plays a good part of it.
    const double sopra = ascolta(s).sopra300;
    QVERIFY2(sopra >= 1.0 / 3, qPrintable(QStringLiteral("%1 % of the energy above 300 Hz").arg(100 * sopra)));
}

// No cue is much quieter to the ear than the others: the child hears a
// wrong answer as clearly as a right one.
void TstAssets::suoniUgualmenteForti()
{
    double minimo = 1000, massimo = -1000;
    QString livelli;
    for (const char *nome : {"si", "no", "fatto", "rifai"}) {
        Wav wav;
        QString errore;
        QVERIFY2(leggiWav(radice + QStringLiteral("/suoni/%1.wav").arg(QLatin1String(nome)), wav, errore),
                 qPrintable(errore));
        const double l = ascolta(wav.campioni).livelloA;
        minimo = std::min(minimo, l);
        massimo = std::max(massimo, l);
        livelli += QStringLiteral(" %1 %2 dB").arg(QLatin1String(nome)).arg(l, 0, 'f', 1);
    }
    QVERIFY2(massimo - minimo <= 4.0, qPrintable(QStringLiteral("A-weighted levels:") + livelli));
}

// The A-weighted level of each cue, as suoniUgualmenteForti measures it.
static std::vector<double> livelliDeiCue()
{
    std::vector<double> livelli;
    for (const char *nome : {"si", "no", "fatto", "rifai"}) {
        Wav wav;
        QString errore;
        if (leggiWav(radice + QStringLiteral("/suoni/%1.wav").arg(QLatin1String(nome)), wav, errore))
            livelli.push_back(ascolta(wav.campioni).livelloA);
    }
    return livelli;
}

void TstAssets::voce_data()
{
    QTest::addColumn<QString>("nome");
    // The 20 cells, the 5 row letters, the 4 column numbers; nothing else in the folder.
    QStringList nomi;
    for (char r = 'a'; r <= 'e'; ++r) {
        nomi << QString(QChar(r));
        for (char c = '1'; c <= '4'; ++c)
            nomi << QString(QChar(r)) + QChar(c);
    }
    for (char c = '1'; c <= '4'; ++c)
        nomi << QString(QChar(c));
    QStringList presenti = QDir(radice + QStringLiteral("/suoni/voce")).entryList(QDir::Files);
    for (const QString &nome : nomi)
        QTest::newRow(qPrintable(nome)) << nome;
    for (const QString &file : presenti)
        if (!nomi.contains(file.chopped(file.endsWith(QStringLiteral(".wav")) ? 4 : 0)))
            QTest::newRow(qPrintable(QStringLiteral("not a voice: ") + file)) << file;
}

// Each spoken name is in the cues' format, a voice of at most 1.2 s that
// begins within 30 ms, ends in silence, never reaches full scale, and is as
// loud to the ear as the cues, within 3 dB of their mean.
void TstAssets::voce()
{
    QFETCH(QString, nome);

    Wav wav;
    QString errore;
    QVERIFY2(leggiWav(radice + QStringLiteral("/suoni/voce/") + nome + QStringLiteral(".wav"), wav, errore),
             qPrintable(errore));
    QCOMPARE(wav.formato, quint16(1));
    QCOMPARE(wav.canali, quint16(1));
    QCOMPARE(wav.frequenza, quint32(44100));
    QCOMPARE(wav.bit, quint16(16));
    QCOMPARE(wav.allineamento, quint16(2));
    const std::vector<qint16> &s = wav.campioni;
    QVERIFY(!s.empty());

    int picco = 0;
    for (qint16 v : s)
        picco = std::max(picco, std::abs(int(v)));
    QVERIFY2(picco < 32767 * 0.95, qPrintable(QStringLiteral("peak %1").arg(picco)));

    const size_t fine = fineDelSuono(s);
    const double suono = double(fine) / 44100;
    QVERIFY2(suono > 0.1 && suono <= 1.2, qPrintable(QStringLiteral("%1 s of sound").arg(suono)));
    QVERIFY2(double(s.size() - fine) / 44100 >= 0.25, "no silence at the end");

    // The wait before the voice: until the first 5 ms whose RMS comes within
    // 40 dB of the loudest 5 ms.
    constexpr size_t finestra = 44100 / 200;
    std::vector<double> rms;
    for (size_t i = 0; i + finestra <= s.size(); i += finestra) {
        double e = 0;
        for (size_t k = i; k < i + finestra; ++k)
            e += double(s[k]) * s[k];
        rms.push_back(std::sqrt(e / finestra));
    }
    const double soglia = *std::max_element(rms.begin(), rms.end()) / 100;
    const size_t prima = size_t(std::find_if(rms.begin(), rms.end(), [&](double v) { return v >= soglia; }) - rms.begin());
    QVERIFY2(prima * finestra <= 44100 * 30 / 1000, qPrintable(QStringLiteral("%1 ms before the voice").arg(prima * 5)));
    QVERIFY(std::abs(int(s[0])) <= 328);

    // As loud to the ear as every one of the four cues, to within 3 dB.
    const std::vector<double> cue = livelliDeiCue();
    QCOMPARE(cue.size(), size_t(4));
    const double livello = ascolta(s).livelloA;
    for (const double c : cue)
        QVERIFY2(std::abs(livello - c) <= 3.0, qPrintable(QStringLiteral("%1 dB, a cue %2 dB").arg(livello, 0, 'f', 1).arg(c, 0, 'f', 1)));
}

void TstAssets::immagine_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<int>("lato");
    // Each window picture at every size the windows load it at: nome.png at 32, nome-N.png.
    for (const char *nome : {"icona", "faccina", "avvio", "freccia"})
        for (int n : layout::LatiFigura)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(nome)).arg(n)))
                << radice + QStringLiteral("/windows/immagini/%1%2.png").arg(QLatin1String(nome), n == layout::LatoIcona ? QString() : QStringLiteral("-%1").arg(n))
                << n;
    for (int n : {48, 64, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(n)))
            << radice + QStringLiteral("/packaging/icons/%1x%1/tintar-i-brindel.png").arg(n) << n;
}

// Each picture loads at its size and is not blank.
void TstAssets::immagine()
{
    QFETCH(QString, percorso);
    QFETCH(int, lato);
    QImageReader lettore(percorso, "png");
    const QImage img = lettore.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!img.isNull(), qPrintable(percorso));
    QCOMPARE(img.size(), QSize(lato, lato));
    int opachi = 0;
    QSet<QRgb> colori;
    for (int y = 0; y < lato; ++y) {
        for (int x = 0; x < lato; ++x) {
            opachi += qAlpha(img.pixel(x, y)) == 255;
            colori.insert(img.pixel(x, y));
        }
    }
    QVERIFY2(opachi >= lato * lato / 4, "mostly transparent");
    QVERIFY2(colori.size() >= 3, "a flat picture");
}

QTEST_GUILESS_MAIN(TstAssets)
#include "tst_assets.moc"
