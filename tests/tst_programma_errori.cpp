// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The real program over bad drawings: a message naming the file, then a non-zero exit, never a crash.

#include "comune/gif.h"
#include "comune/xvfb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    // Every message must be Italian whatever the locale, the system's reasons included.
    qputenv("LANG", "C");
    qputenv("LC_ALL", "C");
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
    QTest::newRow("2000x2000") << "file" << prova::disegnoGif(320, 466).replace(6, 4, "\xD0\x07\xD0\x07") << "452 × 509";
    QTest::newRow("fotogramma senza dati") << "file" << prova::disegnoGif(320, 466).left(36) + QByteArray("\0;", 2)
                                           << "danneggiata";
    QTest::newRow("pipe con nome") << "fifo" << QByteArray() << "FIFO";
    QTest::newRow("giro di collegamenti") << "giro" << QByteArray() << "collegamenti";
    QTest::newRow("senza schermo") << "senza-schermo" << prova::disegnoGif(320, 466) << "schermo";
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
        for (int n = 1; n <= 12; ++n) {
            const QString disegno = cartella + QStringLiteral("/brindel/%1.gif").arg(n);
            if (caso == QLatin1String("file") || caso == QLatin1String("senza-schermo"))
                prova::scriviFile(disegno, contenuto);
            else if (caso == QLatin1String("fifo"))
                QCOMPARE(mkfifo(QFile::encodeName(disegno).constData(), 0600), 0);
            else if (caso == QLatin1String("giro"))
                QVERIFY(QFile::link(disegno, disegno));
        }
    }

    if (caso == QLatin1String("senza-schermo")) {
        // No display at all: one Italian line and a non-zero exit, not Qt's abort.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *nome : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(nome));
        p.setProcessEnvironment(env);
        p.start(programma, {});
        QVERIFY(p.waitForFinished(10000));
        const QString testo = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY(p.exitCode() != 0);
        QVERIFY2(testo.contains(dice) && testo.count(QLatin1Char('\n')) == 1, qPrintable(testo));
        QVERIFY2(!testo.contains(QLatin1String("display")), qPrintable(testo));
        return;
    }

    prova::GiocoX gioco(*m_x, programma, QDir::tempPath());
    QVERIFY(!gioco.aspettaAvvio().isEmpty());
    m_x->clicca(m_x->geometria(gioco.finestraAvvio).topLeft() + prova::centro(layout::avvio::BottoneAvvio));
    // The message box is up, then Enter closes it and the program ends.
    QByteArray errore;
    QTRY_VERIFY_WITH_TIMEOUT((errore += gioco.processo().readAllStandardError()).contains(".gif"), 10000);
    QVERIFY(gioco.aspettaDomanda());
    QCOMPARE(gioco.processo().state(), QProcess::Running);
    m_x->tasto(QStringLiteral("Return"));
    QVERIFY(gioco.processo().waitForFinished(10000));
    errore += gioco.processo().readAllStandardError();
    QCOMPARE(gioco.processo().exitStatus(), QProcess::NormalExit);
    QVERIFY(gioco.processo().exitCode() != 0);
    const QString testo = QString::fromLocal8Bit(errore);
    QVERIFY2(testo.contains(cartella + QStringLiteral("/brindel/")), qPrintable(testo));
    QVERIFY2(testo.contains(dice), qPrintable(testo));
    QVERIFY2(!testo.contains(QLatin1String("symbolic")), qPrintable(testo));
}

QTEST_GUILESS_MAIN(TstProgrammaErrori)
#include "tst_programma_errori.moc"
