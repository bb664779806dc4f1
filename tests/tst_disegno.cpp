// Reading drawing files: good ones load, bad ones are refused with a message naming the file.

#include "comune/gif.h"
#include "game/disegno.h"
#include "platform/errore.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstDisegno : public QObject
{
    Q_OBJECT
private slots:
    void caricaBuono();
    void rifiuta_data();
    void rifiuta();
    void troncatoOvunque();
    void disegniDelGioco();
};

void TstDisegno::caricaBuono()
{
    // A GIF loads into a 32-bit surface with its own size and pixels.
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("1.gif"));
    prova::scriviFile(percorso, prova::disegnoGif(300, 400));
    const QImage img = disegno::carica(percorso);
    QCOMPARE(img.size(), QSize(300, 400));
    QCOMPARE(img.format(), QImage::Format_RGB32);
    QCOMPARE(img.pixel(0, 0) & 0xFFFFFF, 0x000000u);
    QCOMPARE(img.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
}

void TstDisegno::rifiuta_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("crea");
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

    QTest::newRow("mancante") << QByteArray() << false;
    QTest::newRow("vuoto") << QByteArray() << true;
    QTest::newRow("testo") << QByteArray("non sono un disegno\n") << true;
    QTest::newRow("png rinominato") << pngDati << true;
    QTest::newRow("solo intestazione") << buono.left(13) << true;
    QTest::newRow("troncato a meta") << buono.left(buono.size() / 2) << true;
    QTest::newRow("60000x60000") << gigante << true;
    // Screens far larger than the frame they hold, which the decoder would paint whole.
    for (const char *nome : {"largo-53824x1", "largo-65293x513", "alto-1x65280"}) {
        QFile f(QStringLiteral(BRINDEL_SOURCE_DIR "/fuzz/crashes/%1.gif").arg(QLatin1String(nome)));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::newRow(nome) << f.readAll() << true;
    }
}

void TstDisegno::rifiuta()
{
    // Missing, empty, foreign, truncated or enormous files raise an error naming the file, quickly.
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, crea);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("3.gif"));
    if (crea)
        prova::scriviFile(percorso, contenuto);
    QElapsedTimer t;
    t.start();
    try {
        const QImage img = disegno::carica(percorso);
        QFAIL(qPrintable(QStringLiteral("accepted, %1x%2").arg(img.width()).arg(img.height())));
    } catch (const ErroreEsecuzione &e) {
        QCOMPARE(e.tipo(), ErroreEsecuzione::Tipo::DisegnoNonCaricato);
        QVERIFY2(e.messaggio().contains(percorso), qPrintable(e.messaggio()));
        QVERIFY(e.codiceUscita() != 0);
    }
    QVERIFY(t.elapsed() < 2000);
}

void TstDisegno::troncatoOvunque()
{
    // A drawing cut short at any byte is refused, never shown half-decoded.
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("5.gif"));
    const QByteArray buono = prova::disegnoGif(40, 30);
    for (qsizetype n = 1; n < buono.size(); n += 7) {
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
