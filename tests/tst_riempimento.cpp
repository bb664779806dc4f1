// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring/riempimento.h"
#include "colouring/storia.h"
#include "comune/aree.h"

#include <QImage>
#include <QTest>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

// One character per pixel in the hand-drawn pictures below.
struct Inchiostro {
    char segno;
    Colore colore;
};
constexpr Inchiostro Inchiostri[] = {
    {'.', 0xFFFFFF}, // white
    {'#', 0x000000}, // black
    {'s', 0xFEFFFF}, // a white one step off in red
    {'r', 0x0000FF}, // red
    {'g', 0x00FF00}, // green
    {'b', 0xFF0000}, // blue
};

Colore coloreDi(char segno)
{
    for (const auto &i : Inchiostri)
        if (i.segno == segno)
            return i.colore;
    qFatal("unknown ink '%c'", segno);
}

QImage disegna(const QStringList &righe)
{
    QImage immagine(static_cast<int>(righe.first().size()), static_cast<int>(righe.size()),
                    QImage::Format_RGB32);
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            immagine.setPixel(x, y, colore::aRgb(coloreDi(righe[y][x].toLatin1())));
    return immagine;
}

QStringList leggi(const QImage &immagine)
{
    QStringList righe;
    for (int y = 0; y < immagine.height(); ++y) {
        QString riga;
        for (int x = 0; x < immagine.width(); ++x) {
            const Colore c = colore::daRgb(immagine.pixel(x, y));
            char segno = '?';
            for (const auto &i : Inchiostri)
                if (i.colore == c)
                    segno = i.segno;
            riga += QLatin1Char(segno);
        }
        righe << riga;
    }
    return righe;
}

// Compares two RGB32 images pixel by pixel, alpha byte included.
bool stessiPixel(const QImage &a, const QImage &b, QString &dove)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = reinterpret_cast<const QRgb *>(a.constScanLine(y))[x];
            const QRgb pb = reinterpret_cast<const QRgb *>(b.constScanLine(y))[x];
            if (pa != pb) {
                dove = QStringLiteral("(%1, %2): %3 against %4")
                           .arg(x).arg(y).arg(pa, 8, 16, QLatin1Char('0')).arg(pb, 8, 16, QLatin1Char('0'));
                return false;
            }
        }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(riempimento::Percorso)

class TstRiempimento : public QObject
{
    Q_OBJECT

private slots:
    void disegniAMano_data();
    void disegniAMano();
    void fuoriDallImmagine_data();
    void fuoriDallImmagine();
    void alfaIgnorato();
    void copiaCondivisaIntatta();
    void righeConMargine();
    void formatoSbagliato();
    void labirinto_data();
    void labirinto();
    void confrontoCasuale_data();
    void confrontoCasuale();
    void percorsoDallAmbiente();
    void storiaDeiRiempimenti_data();
    void storiaDeiRiempimenti();
};

void TstRiempimento::disegniAMano_data()
{
    QTest::addColumn<QStringList>("prima");
    QTest::addColumn<QPoint>("punto");
    QTest::addColumn<char>("regione");
    QTest::addColumn<char>("riempimento");
    QTest::addColumn<QStringList>("dopo");
    QTest::addColumn<QRect>("riquadro");

    QTest::newRow("scatola chiusa")
        << QStringList{"......",
                       ".####.",
                       ".#..#.",
                       ".#..#.",
                       ".####."}
        << QPoint(2, 2) << '.' << 'r'
        << QStringList{"......",
                       ".####.",
                       ".#rr#.",
                       ".#rr#.",
                       ".####."}
        << QRect(2, 2, 2, 2);
    QTest::newRow("una sfumatura appena diversa fa da confine")
        << QStringList{"....s...",
                       "....s...",
                       "sssss...",
                       "........"}
        << QPoint(0, 0) << '.' << 'g'
        << QStringList{"ggggs...",
                       "ggggs...",
                       "sssss...",
                       "........"}
        << QRect(0, 0, 4, 2);
    QTest::newRow("un varco in diagonale non lascia passare")
        << QStringList{"..#...",
                       ".#....",
                       "#.....",
                       "......"}
        << QPoint(0, 0) << '.' << 'b'
        << QStringList{"bb#...",
                       "b#....",
                       "#.....",
                       "......"}
        << QRect(0, 0, 2, 2);
    QTest::newRow("un corridoio di un pixel viene seguito")
        << QStringList{"#.######",
                       "#.#....#",
                       "#.#.##.#",
                       "#...##.#",
                       "######.#"}
        << QPoint(1, 0) << '.' << 'r'
        << QStringList{"#r######",
                       "#r#rrrr#",
                       "#r#r##r#",
                       "#rrr##r#",
                       "######r#"}
        << QRect(1, 0, 6, 5);
    QTest::newRow("un clic sul contorno lo ricolora tutto")
        << QStringList{"........",
                       ".######.",
                       ".#....#.",
                       ".#.##.#.",
                       ".######.",
                       "........"}
        << QPoint(1, 1) << '#' << 'g'
        << QStringList{"........",
                       ".gggggg.",
                       ".g....g.",
                       ".g.gg.g.",
                       ".gggggg.",
                       "........"}
        << QRect(1, 1, 6, 4);
    QTest::newRow("colore uguale a quello della regione: nulla cambia")
        << QStringList{"..#.",
                       "..#."}
        << QPoint(0, 0) << '.' << '.'
        << QStringList{"..#.",
                       "..#."}
        << QRect();
    QTest::newRow("pixel di partenza di un altro colore: nulla")
        << QStringList{"..#.",
                       "..#."}
        << QPoint(2, 0) << '.' << 'r'
        << QStringList{"..#.",
                       "..#."}
        << QRect();
    QTest::newRow("una regione gia riempita si riempie di nuovo")
        << QStringList{"rrr#..",
                       "r#r#..",
                       "rrr#.."}
        << QPoint(2, 2) << 'r' << 'b'
        << QStringList{"bbb#..",
                       "b#b#..",
                       "bbb#.."}
        << QRect(0, 0, 3, 3);
    QTest::newRow("un pixel isolato")
        << QStringList{"#.#.",
                       ".#.#",
                       "#.#."}
        << QPoint(1, 1) << '#' << 'r'
        << QStringList{"#.#.",
                       ".r.#",
                       "#.#."}
        << QRect(1, 1, 1, 1);
    QTest::newRow("una U aperta in basso si riempie in entrambi i bracci")
        << QStringList{"................",
                       ".######..######.",
                       ".#....#..#....#.",
                       ".#....####....#.",
                       ".#............#.",
                       ".##############."}
        << QPoint(12, 2) << '.' << 'b'
        << QStringList{"................",
                       ".######..######.",
                       ".#bbbb#..#bbbb#.",
                       ".#bbbb####bbbb#.",
                       ".#bbbbbbbbbbbb#.",
                       ".##############."}
        << QRect(2, 2, 12, 3);
    QTest::newRow("lo sfondo attorno alle forme, bordi compresi")
        << QStringList{"..........",
                       ".###..###.",
                       ".#.#..#.#.",
                       ".###..###.",
                       ".........."}
        << QPoint(9, 4) << '.' << 'g'
        << QStringList{"gggggggggg",
                       "g###gg###g",
                       "g#.#gg#.#g",
                       "g###gg###g",
                       "gggggggggg"}
        << QRect(0, 0, 10, 5);
    QTest::newRow("una riga lunga oltre i passi di otto pixel")
        << QStringList{"...................#...",
                       "#######################",
                       "......................."}
        << QPoint(10, 0) << '.' << 'r'
        << QStringList{"rrrrrrrrrrrrrrrrrrr#...",
                       "#######################",
                       "......................."}
        << QRect(0, 0, 19, 1);
}

// A fill paints exactly the 4-connected pixels of the region colour and returns their bounding box.
void TstRiempimento::disegniAMano()
{
    QFETCH(QStringList, prima);
    QFETCH(QPoint, punto);
    QFETCH(char, regione);
    QFETCH(char, riempimento);
    QFETCH(QStringList, dopo);
    QFETCH(QRect, riquadro);

    QImage immagine = disegna(prima);
    const QRect r = riempimento::riempi(immagine, punto.x(), punto.y(), coloreDi(regione), coloreDi(riempimento));
    QCOMPARE(leggi(immagine), dopo);
    QCOMPARE(r, riquadro);
    QCOMPARE(r.isEmpty(), prima == dopo);

    // The same fill once more finds nothing of the region colour at the start.
    if (!r.isEmpty()) {
        const QRect ancora = riempimento::riempi(immagine, punto.x(), punto.y(), coloreDi(regione),
                                                 coloreDi(riempimento));
        QVERIFY(ancora.isEmpty());
        QCOMPARE(leggi(immagine), dopo);
    }
}

void TstRiempimento::fuoriDallImmagine_data()
{
    QTest::addColumn<QPoint>("punto");
    QTest::newRow("a sinistra") << QPoint(-1, 1);
    QTest::newRow("sopra") << QPoint(1, -1);
    QTest::newRow("a destra") << QPoint(4, 1);
    QTest::newRow("sotto") << QPoint(1, 3);
    QTest::newRow("lontanissimo") << QPoint(1 << 30, -(1 << 30));
}

// A start outside the image paints nothing and returns an empty rectangle.
void TstRiempimento::fuoriDallImmagine()
{
    QFETCH(QPoint, punto);
    const QStringList righe{"....", "....", "...."};
    QImage immagine = disegna(righe);
    QVERIFY(riempimento::riempi(immagine, punto.x(), punto.y(), 0xFFFFFF, 0x0000FF).isEmpty());
    QCOMPARE(leggi(immagine), righe);
}

// The alpha byte of a pixel plays no part in its colour, and painted pixels are opaque.
void TstRiempimento::alfaIgnorato()
{
    QImage immagine = disegna({"....", "....", "#..."});
    auto *riga = reinterpret_cast<QRgb *>(immagine.scanLine(1));
    riga[2] = 0x00FFFFFFu;
    riga[3] = 0x7FFFFFFFu;
    riempimento::riempi(immagine, 2, 1, 0xFFFFFF, 0x0000FF);
    QCOMPARE(leggi(immagine), QStringList({"rrrr", "rrrr", "#rrr"}));
    QCOMPARE(riga[2], 0xFFFF0000u);
    QCOMPARE(riga[3], 0xFFFF0000u);
    QCOMPARE(reinterpret_cast<const QRgb *>(immagine.constScanLine(2))[0], 0xFF000000u);
}

// Filling an image leaves a copy that shares its pixels untouched.
void TstRiempimento::copiaCondivisaIntatta()
{
    QImage immagine = disegna({"..#", "..#"});
    const QImage copia = immagine;
    riempimento::riempi(immagine, 0, 0, 0xFFFFFF, 0x00FF00);
    QCOMPARE(leggi(immagine), QStringList({"gg#", "gg#"}));
    QCOMPARE(leggi(copia), QStringList({"..#", "..#"}));
}

// Rows padded past their width are walked by the line stride, and the padding is never painted.
void TstRiempimento::righeConMargine()
{
    constexpr int larghezza = 13;
    constexpr int altezza = 6;
    constexpr int passo = larghezza + 5;
    std::vector<QRgb> memoria(passo * altezza, colore::aRgb(0xFFFFFF));
    QImage immagine(reinterpret_cast<uchar *>(memoria.data()), larghezza, altezza,
                    passo * static_cast<int>(sizeof(QRgb)), QImage::Format_RGB32);
    for (int x = 0; x < larghezza - 1; ++x)
        immagine.setPixel(x, 3, colore::aRgb(0x000000));
    const QRect r = riempimento::riempi(immagine, 0, 0, 0xFFFFFF, 0xFF0000);
    QCOMPARE(r, QRect(0, 0, larghezza, altezza));
    QCOMPARE(immagine.constBits(), reinterpret_cast<const uchar *>(memoria.data()));
    for (int y = 0; y < altezza; ++y)
        for (int x = 0; x < passo; ++x) {
            const QRgb atteso = x >= larghezza ? colore::aRgb(0xFFFFFF)
                : (y == 3 && x < larghezza - 1) ? colore::aRgb(0x000000)
                : colore::aRgb(0xFF0000);
            QCOMPARE(memoria[static_cast<std::size_t>(y * passo + x)], atteso);
        }
}

// Any format but RGB32 is refused before a pixel is touched.
void TstRiempimento::formatoSbagliato()
{
    QImage immagine(4, 4, QImage::Format_ARGB32);
    immagine.fill(0xFFFFFFFFu);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, riempimento::riempi(immagine, 1, 1, 0xFFFFFF, 0));
    QCOMPARE(immagine.pixel(1, 1), 0xFFFFFFFFu);
    QImage vuota;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, riempimento::riempi(vuota, 0, 0, 0xFFFFFF, 0));
}

void TstRiempimento::labirinto_data()
{
    QTest::addColumn<int>("lato");
    QTest::addColumn<bool>("trasposto");
    QTest::newRow("512, corridoi verticali") << 512 << false;
    QTest::newRow("512, corridoi orizzontali") << 512 << true;
    QTest::newRow("101, corridoi verticali") << 101 << false;
    QTest::newRow("101, corridoi orizzontali") << 101 << true;
}

// A serpentine maze of one-pixel walls fills end to end from one corner.
void TstRiempimento::labirinto()
{
    QFETCH(int, lato);
    QFETCH(bool, trasposto);
    QImage immagine = prova::serpentina(lato, 1, trasposto);
    const QImage prima = immagine.copy();
    const QRect r = riempimento::riempi(immagine, 0, 0, 0xFFFFFF, 0x00FF00);
    // With an even side the last corridor is a wall along the far edge.
    const int ultimo = lato % 2 == 0 ? lato - 2 : lato - 1;
    QCOMPARE(r, QRect(QPoint(0, 0), trasposto ? QPoint(lato - 1, ultimo) : QPoint(ultimo, lato - 1)));
    int dipinti = 0;
    for (int y = 0; y < lato; ++y)
        for (int x = 0; x < lato; ++x) {
            const bool muro = colore::daRgb(prima.pixel(x, y)) == 0x000000;
            QCOMPARE(colore::daRgb(immagine.pixel(x, y)), muro ? Colore{0x000000} : Colore{0x00FF00});
            dipinti += muro ? 0 : 1;
        }
    // Every corridor end to end, and the gap through each wall between two.
    const int corridoi = (ultimo / 2) + 1;
    QCOMPARE(dipinti, corridoi * lato + (corridoi - 1));
}

void TstRiempimento::percorsoDallAmbiente()
{
    // The fill takes the widest way this processor runs, and the plain one when BRINDEL_RIEMPIMENTO=semplice asks
    // for it (CTest runs this again with it set).
    riempimento::Percorso atteso = riempimento::Percorso::Sse2;
    if (qgetenv("BRINDEL_RIEMPIMENTO") != "semplice")
        for (const auto p : {riempimento::Percorso::Avx2, riempimento::Percorso::Avx512})
            if (riempimento::disponibile(p))
                atteso = p;
    qInfo("the fill's way: %s", riempimento::nome(riempimento::percorsoScelto()));
    QCOMPARE(riempimento::nome(riempimento::percorsoScelto()), riempimento::nome(atteso));
}

void TstRiempimento::confrontoCasuale_data()
{
    QTest::addColumn<riempimento::Percorso>("percorso");
    QTest::addColumn<int>("casi");
    QTest::addColumn<int>("latoMassimo");
    QTest::addColumn<int>("colori");
    QTest::addColumn<bool>("pettine");
    // Every vector width the fill has, each on the same pictures.
    for (const auto percorso : {riempimento::Percorso::Sse2, riempimento::Percorso::Avx2,
                                riempimento::Percorso::Avx512}) {
        const auto riga = [percorso](const char *nome) -> QTestData & {
            return QTest::addRow("%s, %s", riempimento::nome(percorso), nome) << percorso;
        };
        riga("piccole, due colori") << 3000 << 12 << 2 << false;
        riga("piccole, tre colori") << 3000 << 12 << 3 << false;
        riga("larghe, due colori") << 800 << 70 << 2 << false;
        riga("larghe, quattro colori") << 800 << 70 << 4 << false;
        riga("pettini con centinaia di denti") << 40 << 400 << 2 << true;
    }
}

// On random pictures the fill paints the same pixels and returns the same box as a plain breadth-first fill.
void TstRiempimento::confrontoCasuale()
{
    QFETCH(riempimento::Percorso, percorso);
    QFETCH(int, casi);
    QFETCH(int, latoMassimo);
    QFETCH(int, colori);
    QFETCH(bool, pettine);
    if (!riempimento::disponibile(percorso))
        QSKIP(qPrintable(QStringLiteral("this processor has no %1").arg(riempimento::nome(percorso))));

    constexpr Colore Scelta[] = {0xFFFFFF, 0x000000, 0xFEFFFF, 0x0000FF};
    std::mt19937 caso(20240611u + static_cast<unsigned>(casi * 7 + latoMassimo * 13 + colori));
    const auto tra = [&caso](int da, int a) { return std::uniform_int_distribution<int>(da, a)(caso); };

    for (int n = 0; n < casi; ++n) {
        const int w = tra(1, latoMassimo);
        const int h = pettine ? tra(3, 30) : tra(1, latoMassimo);
        QImage immagine(w, h, QImage::Format_RGB32);
        const int densita = tra(5, 60);
        for (int y = 0; y < h; ++y) {
            auto *riga = reinterpret_cast<QRgb *>(immagine.scanLine(y));
            for (int x = 0; x < w; ++x) {
                Colore c;
                if (pettine)
                    c = (y > 0 && y < h - 1 && x % 2 == 1) || (y == h - 1 && tra(0, 3) == 0) ? 0x000000
                                                                                              : 0xFFFFFF;
                else
                    c = tra(0, 99) < densita ? Scelta[tra(1, colori - 1)] : Scelta[0];
                // Stray alpha bytes must not change the outcome.
                const QRgb alfa = tra(0, 9) == 0 ? static_cast<QRgb>(tra(0, 255)) << 24 : 0xFF000000u;
                riga[x] = (colore::aRgb(c) & 0xFFFFFFu) | alfa;
            }
        }
        const int x = tra(-1, w);
        const int y = pettine ? 0 : tra(-1, h);
        const bool dentro = x >= 0 && y >= 0 && x < w && y < h;
        Colore regione = Scelta[tra(0, colori - 1)];
        if (dentro && tra(0, 4) != 0)
            regione = colore::daRgb(immagine.pixel(x, y));
        const Colore riempimento = tra(0, 9) == 0 ? regione : 0x00FF00;

        QImage attesa = immagine.copy();
        const QRect rAtteso = prova::riempiSemplice(attesa, x, y, regione, riempimento);
        const QRect r = riempimento::riempi(immagine, x, y, regione, riempimento, percorso);
        QString dove;
        const QString caso_ = QStringLiteral("case %1: %2x%3 from (%4, %5)").arg(n).arg(w).arg(h).arg(x).arg(y);
        QVERIFY2(stessiPixel(immagine, attesa, dove), qPrintable(caso_ + QStringLiteral(", pixel ") + dove));
        QVERIFY2(r == rAtteso, qPrintable(caso_));
    }
}

void TstRiempimento::storiaDeiRiempimenti_data()
{
    QTest::addColumn<QString>("disegno");
    QTest::addColumn<int>("riempimenti");
    QTest::addColumn<int>("limite");
    constexpr int Solito = int(storia::Riempimenti::MassimoByte);
    QTest::newRow("disegno 3, 500 riempimenti") << QStringLiteral(BRINDEL_SOURCE_DIR "/brindel/3.gif") << 500 << Solito;
    QTest::newRow("disegno 8, 500 riempimenti") << QStringLiteral(BRINDEL_SOURCE_DIR "/brindel/8.gif") << 500 << Solito;
    // The largest picture filled whole each time, past a limit of 64 KB.
    QTest::newRow("oltre il limite") << QString() << 1200 << 64 * 1024;
}

// Fills taken back one by one lead through every earlier picture to the loaded one, pixel for pixel, and brought
// again to the last; a new fill drops what was taken back; the steps kept never hold more than the limit, the
// oldest going first.
void TstRiempimento::storiaDeiRiempimenti()
{
    QFETCH(QString, disegno);
    QFETCH(int, riempimenti);
    QFETCH(int, limite);
    superficie::Superficie sup;
    if (disegno.isEmpty()) {
        sup.immagine = QImage(452, 509, QImage::Format_RGB32);
        sup.immagine.fill(Qt::white);
    } else {
        sup.immagine = QImage(disegno).convertToFormat(QImage::Format_RGB32);
    }
    QVERIFY(!sup.immagine.isNull());
    // Each picture on the way, by a hash of its pixels.
    const auto impronta = [&sup] {
        return qHash(QByteArrayView(sup.immagine.constBits(), sup.immagine.sizeInBytes()), 5381u);
    };
    constexpr Colore Colori[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFFFF, 0x000000, 0x808080, 0xFF00FF};
    std::mt19937 caso(77u + static_cast<unsigned>(riempimenti));
    storia::Riempimenti storia(static_cast<std::size_t>(limite));
    storia.nuovoDisegno(sup);
    const QImage caricato = sup.immagine.copy();
    QList<std::size_t> stati{impronta()};
    for (int n = 0; n < riempimenti; ++n) {
        const QPoint p = disegno.isEmpty() ? QPoint(0, 0)
                                           : QPoint(int(caso() % unsigned(sup.immagine.width())), int(caso() % unsigned(sup.immagine.height())));
        // A fill on its own colour changes nothing and is not kept.
        if (!storia.riempi(sup, p.x(), p.y(), colore::daRgb(sup.immagine.pixel(p)), Colori[caso() % 8]).isEmpty())
            stati << impronta();
    }
    const QImage ultimo = sup.immagine.copy();
    qInfo("%d fills of %dx%d: %zu steps kept in %zu bytes, %.1f KB a step", riempimenti, sup.immagine.width(),
          sup.immagine.height(), storia.passi(), storia.byte(), storia.byte() / 1024.0 / double(storia.passi()));
    QVERIFY(storia.byte() <= std::size_t(limite));
    const qsizetype tenuti = qsizetype(storia.passi());
    if (disegno.isEmpty())
        QVERIFY(tenuti < stati.size() - 1);
    else
        QCOMPARE(tenuti, stati.size() - 1);
    for (qsizetype k = stati.size() - 2; k >= stati.size() - 1 - tenuti; --k) {
        QVERIFY(!storia.annulla(sup).isEmpty());
        QCOMPARE(impronta(), stati[k]);
    }
    QVERIFY(storia.annulla(sup).isEmpty());
    if (!disegno.isEmpty())
        QVERIFY(sup.immagine == caricato);
    while (!storia.ripeti(sup).isEmpty())
        ;
    QVERIFY(sup.immagine == ultimo);
    for (int i = 0; i < 3; ++i)
        storia.annulla(sup);
    const Colore qui = colore::daRgb(sup.immagine.pixel(1, 1));
    QVERIFY(!storia.riempi(sup, 1, 1, qui, qui ^ 0xFFu).isEmpty());
    const QImage dopo = sup.immagine.copy();
    QVERIFY(storia.ripeti(sup).isEmpty());
    QVERIFY(sup.immagine == dopo);
}

QTEST_APPLESS_MAIN(TstRiempimento)
#include "tst_riempimento.moc"
