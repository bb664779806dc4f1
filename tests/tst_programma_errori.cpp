// The real program over bad drawings: a message naming the file, then a non-zero exit, never a crash.

#include "comune/gif.h"
#include "comune/xvfb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstProgrammaErrori : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void disegnoErrato_data();
    void disegnoErrato();

private:
    std::unique_ptr<prova::ServerX> m_x;
};

void TstProgrammaErrori::initTestCase()
{
    m_x = std::make_unique<prova::ServerX>();
    if (!m_x->avviato())
        QSKIP("Xvfb could not be started here");
}

void TstProgrammaErrori::cleanupTestCase()
{
    m_x.reset();
}

void TstProgrammaErrori::disegnoErrato_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("dice");
    QTest::newRow("cartella mancante") << "senza-cartella" << QByteArray() << "non esiste";
    QTest::newRow("disegno mancante") << "senza-file" << QByteArray() << "non esiste";
    QTest::newRow("0 byte") << "file" << QByteArray() << "vuoto";
    QTest::newRow("testo") << "file" << QByteArray("GIF? no\n") << "GIF";
    QTest::newRow("troncato") << "file" << prova::disegnoGif(320, 466).left(500) << "incompleta";
    QTest::newRow("10x10") << "file" << prova::disegnoGif(10, 10) << "piccolo";
}

void TstProgrammaErrori::disegnoErrato()
{
    // Whatever drawing comes up, the program says which file is wrong and exits with a non-zero status.
    QFETCH(QString, caso);
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, dice);

    // A copy of the program in a folder with spaces and accents, with its own brindel/.
    QTemporaryDir dir;
    const QString cartella = dir.filePath(QStringLiteral("gioco è qui"));
    QVERIFY(QDir().mkpath(cartella));
    const QString programma = cartella + QStringLiteral("/tintar-i-brindel");
    QVERIFY(QFile::copy(QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), programma));
    QFile::setPermissions(programma, QFile::permissions(programma) | QFile::ExeOwner);
    if (caso != QLatin1String("senza-cartella")) {
        QVERIFY(QDir().mkpath(cartella + QStringLiteral("/brindel")));
        if (caso == QLatin1String("file"))
            for (int n = 1; n <= 12; ++n)
                prova::scriviFile(cartella + QStringLiteral("/brindel/%1.gif").arg(n), contenuto);
    }

    prova::GiocoX gioco(*m_x, programma, QDir::tempPath());
    QVERIFY(!gioco.aspettaAvvio().isEmpty());
    m_x->clicca(m_x->geometria(gioco.finestraAvvio).topLeft() + QPoint(320, 370));
    // The message box is up, then Enter closes it and the program ends.
    QByteArray errore;
    QTRY_VERIFY_WITH_TIMEOUT((errore += gioco.processo().readAllStandardError()).contains(".gif"), 10000);
    QTest::qWait(500);
    QCOMPARE(gioco.processo().state(), QProcess::Running);
    m_x->tasto(QStringLiteral("Return"));
    QVERIFY(gioco.processo().waitForFinished(10000));
    errore += gioco.processo().readAllStandardError();
    QCOMPARE(gioco.processo().exitStatus(), QProcess::NormalExit);
    QVERIFY(gioco.processo().exitCode() != 0);
    const QString testo = QString::fromLocal8Bit(errore);
    QVERIFY2(testo.contains(cartella + QStringLiteral("/brindel/")), qPrintable(testo));
    QVERIFY2(testo.contains(dice), qPrintable(testo));
}

QTEST_GUILESS_MAIN(TstProgrammaErrori)
#include "tst_programma_errori.moc"
