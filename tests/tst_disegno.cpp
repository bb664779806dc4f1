// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading drawing files: good ones load, bad ones are refused with a message naming the file.

#include "comune/gif.h"
#include "game/disegno.h"
#include "platform/errore.h"
#include "windows/layout.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The sizes the loader takes follow the game window's layout.
static_assert(disegno::InizioRiquadro == layout::brindel::RiquadroDisegno.left);
static_assert(disegno::InizioTavolozza == layout::brindel::Cornice.left);
static_assert(disegno::AltezzaFinestra == layout::brindel::AltezzaInterna);
static_assert(disegno::AltezzaMassima + 2 * layout::Bordo <= layout::brindel::AltezzaInterna);

class TstDisegno : public QObject
{
    Q_OBJECT
private slots:
    void caricaBuono_data();
    void caricaBuono();
    void rifiuta_data();
    void rifiuta();
    void troncatoOvunque();
    void disegniDelGioco();
};

void TstDisegno::caricaBuono_data()
{
    QTest::addColumn<QSize>("misura");
    QTest::addColumn<bool>("neroTrasparente");
    QTest::newRow("300x400") << QSize(300, 400) << false;
    QTest::newRow("il piu piccolo: celle di 40x40") << QSize(171, 216) << false;
    QTest::newRow("il piu grande: fino alla tavolozza") << QSize(452, 509) << false;
    QTest::newRow("trasparente: bianco come lo sfondo") << QSize(300, 400) << true;
}

void TstDisegno::caricaBuono()
{
    // A GIF of any size the game takes loads into a 32-bit surface with its own size and pixels; transparent pixels are the box's white.
    QFETCH(QSize, misura);
    QFETCH(bool, neroTrasparente);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("1.gif"));
    QByteArray dati = prova::disegnoGif(misura.width(), misura.height());
    if (neroTrasparente) // a graphic control extension after the colour table: colour 0 (black) transparent
        dati.insert(13 + (3 << ((dati[10] & 7) + 1)), QByteArray("\x21\xF9\x04\x01\x00\x00\x00\x00", 8));
    prova::scriviFile(percorso, dati);
    const QImage img = disegno::carica(percorso);
    QCOMPARE(img.size(), misura);
    QCOMPARE(img.format(), QImage::Format_RGB32);
    QCOMPARE(img.pixel(0, 0) & 0xFFFFFF, neroTrasparente ? 0xFFFFFFu : 0x000000u);
    QCOMPARE(img.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
}

void TstDisegno::rifiuta_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("come");
    QTest::addColumn<QString>("dice");
    const QByteArray buono = prova::disegnoGif(320, 466);
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::white);
    QByteArray pngDati;
    {
        QBuffer b(&pngDati);
        b.open(QIODevice::WriteOnly);
        png.save(&b, "PNG");
    }
    QByteArray gigante = buono.left(13);
    gigante[6] = char(0x60); // 60000 = 0xEA60
    gigante[7] = char(0xEA);
    gigante[8] = char(0x60);
    gigante[9] = char(0xEA);
    gigante += buono.mid(13, 12);
    gigante += QByteArray::fromHex("2C0000000060EA60EA0002");
    gigante += QByteArray(2000, char(0x7F));

    // The test drawings put the LZW code size at byte 35 and the data's sub-blocks after it.
    const auto codice = [&](int bit) {
        QByteArray g = buono;
        g[35] = char(bit);
        return g;
    };
    const auto misura = [&](int larghezza, int altezza) {
        QByteArray g = buono;
        for (int i : {6, 30}) {
            g[i] = char(larghezza & 0xFF);
            g[i + 1] = char(larghezza >> 8);
            g[i + 2] = char(altezza & 0xFF);
            g[i + 3] = char(altezza >> 8);
        }
        return g;
    };
    const QString file = QStringLiteral("file");

    QTest::newRow("mancante") << QByteArray() << "niente" << "non esiste";
    QTest::newRow("vuoto") << QByteArray() << file << "vuoto";
    QTest::newRow("testo") << QByteArray("non sono un disegno\n") << file << "GIF";
    QTest::newRow("png rinominato") << pngDati << file << "GIF";
    QTest::newRow("solo intestazione") << buono.left(13) << file << "incompleta";
    QTest::newRow("troncato a meta") << buono.left(buono.size() / 2) << file << "incompleta";
    QTest::newRow("60000x60000") << gigante << file << "grande";
    // Screens far larger than the frame they hold, which the decoder would paint whole.
    for (const char *nome : {"largo-53824x1", "largo-65293x513", "alto-1x65280"}) {
        QFile f(QStringLiteral(BRINDEL_SOURCE_DIR "/fuzz/crashes/%1.gif").arg(QLatin1String(nome)));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::newRow(nome) << f.readAll() << file << "grande";
    }
    // Special files in place of the drawing: refused at once, never waited on.
    QTest::newRow("pipe con nome") << QByteArray() << "fifo" << "FIFO";
    QTest::newRow("cartella") << QByteArray() << "cartella" << "cartella";
    QTest::newRow("giro di collegamenti") << QByteArray() << "giro" << "collegamenti";
    // Damaged data the decoder would paint in colour 0, a black board.
    for (int bit : {0, 1, 9, 12})
        QTest::newRow(qPrintable(QStringLiteral("codice LZW di %1 bit").arg(bit))) << codice(bit) << file << "danneggiata";
    QTest::newRow("fotogramma senza dati") << buono.left(36) + QByteArray("\0;", 2) << file << "danneggiata";
    QTest::newRow("fotogramma di 0x0 con codice LZW di 1 bit")
        << buono.left(25) + QByteArray::fromHex("2C000000000000000000" "01" "0100" "00" "3B") << file << "danneggiata";
    QTest::newRow("dati per meta fotogramma") << buono.left(36 + 256 * 10) + QByteArray("\0;", 2) << file << "danneggiata";
    // Sizes a child could not play: covers too small, or the grid past the palette or the window.
    QTest::newRow("14x19") << prova::disegnoGif(14, 19) << file << "piccolo";
    QTest::newRow("170x466") << prova::disegnoGif(170, 466) << file << "piccolo";
    QTest::newRow("320x215") << prova::disegnoGif(320, 215) << file << "piccolo";
    QTest::newRow("453x466") << prova::disegnoGif(453, 466) << file << "grande";
    QTest::newRow("320x510") << prova::disegnoGif(320, 510) << file << "grande";
    QTest::newRow("560x466") << misura(560, 466) << file << "grande";
    QTest::newRow("2000x2000") << misura(2000, 2000) << file << "grande";
    QTest::newRow("8192x8192") << misura(8192, 8192) << file << "452 × 509";
}

void TstDisegno::rifiuta()
{
    // Missing, special, empty, foreign, damaged or ill-sized files raise an error naming the file and why, quickly.
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, come);
    QFETCH(QString, dice);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("3.gif"));
    const QByteArray nome = QFile::encodeName(percorso);
    if (come == QLatin1String("file"))
        prova::scriviFile(percorso, contenuto);
    else if (come == QLatin1String("fifo"))
        QCOMPARE(mkfifo(nome.constData(), 0600), 0);
    else if (come == QLatin1String("cartella"))
        QVERIFY(QDir().mkpath(percorso));
    else if (come == QLatin1String("giro"))
        QVERIFY(QFile::link(percorso, percorso));
    QElapsedTimer t;
    t.start();
    try {
        const QImage img = disegno::carica(percorso);
        QFAIL(qPrintable(QStringLiteral("accepted, %1x%2").arg(img.width()).arg(img.height())));
    } catch (const ErroreEsecuzione &e) {
        QCOMPARE(e.tipo(), ErroreEsecuzione::Tipo::DisegnoNonCaricato);
        QVERIFY2(e.messaggio().contains(percorso), qPrintable(e.messaggio()));
        QVERIFY2(e.messaggio().contains(dice), qPrintable(e.messaggio()));
        // Our own words, not the system's, whatever the locale.
        QVERIFY2(!e.messaggio().contains(QLatin1String("symbolic")), qPrintable(e.messaggio()));
        QVERIFY(e.codiceUscita() != 0);
    }
    QVERIFY(t.elapsed() < 2000);
}

void TstDisegno::troncatoOvunque()
{
    // A drawing cut short at any byte is refused, never shown half-decoded.
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("5.gif"));
    const QByteArray buono = prova::disegnoGif(180, 220);
    for (qsizetype n = 1; n < buono.size(); n += 31) {
        prova::scriviFile(percorso, buono.left(n));
        QVERIFY_THROWS_EXCEPTION(ErroreEsecuzione, disegno::carica(percorso));
    }
}

void TstDisegno::disegniDelGioco()
{
    // Every drawing the game ships loads as a two-colour surface.
    for (int n = 1; n <= 12; ++n) {
        const QString percorso = QStringLiteral(BRINDEL_SOURCE_DIR "/brindel/%1.gif").arg(n);
        const QImage img = disegno::carica(percorso);
        QVERIFY2(!img.isNull(), qPrintable(percorso));
        QVERIFY(img.width() <= 440 && img.height() <= 509);
    }
}

QTEST_GUILESS_MAIN(TstDisegno)
#include "tst_disegno.moc"
