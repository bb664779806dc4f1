// The built program in a real X session: the start window's colour, "Avvio", and the game window's look.

#include "comune/xvfb.h"
#include "shell/colorecasuale.h"
#include "platform/colore.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr char Programma[] = BRINDEL_PROGRAM_DIR "/tintar-i-brindel";

Colore coloreA(const QImage &img, QPoint p)
{
    return colore::daRgb(img.pixel(p));
}

QString esadecimale(Colore c)
{
    return QStringLiteral("0x%1").arg(c, 6, 16, QLatin1Char('0'));
}

} // namespace

class TstX11 : public QObject
{
    Q_OBJECT
private slots:
    void avvioEGioco();
};

void TstX11::avvioEGioco()
{
    // Started from another folder, the program shows a table colour, then the game window with its cyan and yellow covers, and leaves through "Esci".
    prova::ServerX x;
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");

    QTemporaryDir altrove;
    QProcess gioco;
    QProcessEnvironment env = x.ambiente();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    gioco.setProcessEnvironment(env);
    gioco.setWorkingDirectory(altrove.path());
    gioco.setProcessChannelMode(QProcess::ForwardedChannels);
    gioco.start(QString::fromLatin1(Programma), {});
    QVERIFY(gioco.waitForStarted(5000));
    auto fine = qScopeGuard([&] {
        if (gioco.state() != QProcess::NotRunning) {
            gioco.kill();
            gioco.waitForFinished(3000);
        }
    });

    QStringList finestre;
    QTRY_VERIFY_WITH_TIMEOUT(!(finestre = x.finestre(QStringLiteral("tintar-i-brindel"))).isEmpty(), 15000);
    const QString avvio = finestre.last();
    QRect ra;
    QTRY_COMPARE_WITH_TIMEOUT((ra = x.geometria(avvio)).size(), QSize(702, 605), 5000);
    QTest::qWait(500);

    const QImage primo = x.schermo();
    primo.save(QDir::temp().filePath(QStringLiteral("tintar-i-brindel-avvio.png")));
    const QSet<Colore> tabella(ModuloColoriSuoni::ColoriAvvio.begin() + 1, ModuloColoriSuoni::ColoriAvvio.end());
    const Colore sfondo = coloreA(primo, ra.topLeft() + QPoint(10, 10));
    QVERIFY2(tabella.contains(sfondo), qPrintable(esadecimale(sfondo)));
    QCOMPARE(coloreA(primo, ra.topLeft() + QPoint(690, 590)), sfondo);
    QCOMPARE(coloreA(primo, ra.topLeft() + QPoint(20, 300)), sfondo);

    // Click "Avvio" in the middle of its button.
    x.esegui(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(ra.x() + 184 + 137),
                                          QString::number(ra.y() + 328 + 60), QStringLiteral("click"), QStringLiteral("1")});
    QString brindel;
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                 const QStringList f = x.finestre(QStringLiteral("tintar-i-brindel"));
                                 if (f.size() != 1 || f.first() == avvio)
                                     return false;
                                 brindel = f.first();
                                 return true;
                             }()),
                             10000);
    QRect rb;
    QTRY_COMPARE_WITH_TIMEOUT((rb = x.geometria(brindel)).width(), 687, 5000);
    QVERIFY(rb.height() > 513);
    QTest::qWait(500);

    const QImage secondo = x.schermo();
    secondo.save(QDir::temp().filePath(QStringLiteral("tintar-i-brindel-gioco.png")));
    // The interior lies below the menu bar, whose height is the rest of the window.
    const QPoint interno = rb.topLeft() + QPoint(0, rb.height() - 513);
    QCOMPARE(esadecimale(coloreA(secondo, interno + QPoint(400, 480))), esadecimale(colore::Ciano));
    QCOMPARE(esadecimale(coloreA(secondo, interno + QPoint(680, 10))), esadecimale(colore::Ciano));
    // Every cover is yellow at the middle of its cell (cells are about 77 x 90 for our drawings).
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            const QPoint centro = interno + QPoint(8 + 2 + 15 + c * 77 + 38, 2 + 20 + r * 90 + 45);
            QVERIFY2(coloreA(secondo, centro) == colore::Giallo,
                     qPrintable(QStringLiteral("cell %1,%2: %3").arg(c).arg(r).arg(esadecimale(coloreA(secondo, centro)))));
        }
    // The cell name is shown, not the placeholder: Label3's white box has dark letters in it.
    int scuri = 0;
    for (int y = 24; y < 24 + 81; ++y)
        for (int xx = 496; xx < 496 + 113; ++xx)
            scuri += qGray(secondo.pixel(interno + QPoint(xx, y))) < 100 ? 1 : 0;
    QVERIFY(scuri > 100);

    // "Esci" asks first: Escape answers No and the game goes on; Enter answers Sì and the program ends with 0.
    const auto esci = [&] {
        x.esegui(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(rb.x() + 148),
                                              QString::number(rb.y() + 8), QStringLiteral("click"), QStringLiteral("1")});
        QTRY_COMPARE_WITH_TIMEOUT(x.finestre(QStringLiteral("tintar-i-brindel")).size(), 2, 10000);
        QTest::qWait(300);
    };
    esci();
    x.esegui(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    QTRY_COMPARE_WITH_TIMEOUT(x.finestre(QStringLiteral("tintar-i-brindel")).size(), 1, 10000);
    QTest::qWait(300);
    QCOMPARE(gioco.state(), QProcess::Running);
    esci();
    x.esegui(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    QVERIFY(gioco.waitForFinished(10000));
    QCOMPARE(gioco.exitStatus(), QProcess::NormalExit);
    QCOMPARE(gioco.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TstX11)
#include "tst_x11.moc"
