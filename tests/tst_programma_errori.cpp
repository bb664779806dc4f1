// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The real program over bad drawings and short of memory: a message naming what is wrong, then a non-zero exit, never a crash.

#include "comune/gif.h"
#include "comune/xvfb.h"
#include "platform/errore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// AddressSanitizer maps terabytes of address space for itself: under it no
// limit on that space says anything about the program.
#if defined(__SANITIZE_ADDRESS__)
#define BRINDEL_CON_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINDEL_CON_ASAN 1
#endif
#endif

namespace {

constexpr qint64 MiB = 1024 * 1024;

// Run in the game's process before it starts: its address space limited (as
// `ulimit -v` does), and no core file left behind by a crash, which its exit
// status shows all the same.
std::function<void()> limitaMemoria(qint64 byte)
{
    return [byte] {
        const rlimit spazio{rlim_t(byte), rlim_t(byte)};
        ::setrlimit(RLIMIT_AS, &spazio);
        const rlimit nessuno{0, 0};
        ::setrlimit(RLIMIT_CORE, &nessuno);
    };
}

bool scriviByte(const QByteArray &percorso, const QByteArray &contenuto, mode_t modo)
{
    const int fd = ::open(percorso.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, modo);
    if (fd < 0)
        return false;
    const bool scritto = ::write(fd, contenuto.constData(), size_t(contenuto.size())) == contenuto.size();
    return ::close(fd) == 0 && scritto;
}

} // namespace

class TstProgrammaErrori : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void disegnoErrato_data();
    void disegnoErrato();
    void memoriaScarsa_data();
    void memoriaScarsa();

private:
    qint64 limiteCaricatore();

    std::unique_ptr<prova::ServerX> m_x;
    qint64 m_limiteCaricatore = 0;
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
    QTest::addColumn<bool>("latino");
    QTest::newRow("cartella mancante") << "senza-cartella" << QByteArray() << "non esiste" << false;
    QTest::newRow("disegno mancante") << "senza-file" << QByteArray() << "non esiste" << false;
    QTest::newRow("0 byte") << "file" << QByteArray() << "vuoto" << false;
    QTest::newRow("testo") << "file" << QByteArray("GIF? no\n") << "GIF" << false;
    QTest::newRow("troncato") << "file" << prova::disegnoGif(320, 466).left(500) << "incompleta" << false;
    QTest::newRow("10x10") << "file" << prova::disegnoGif(10, 10) << "piccolo" << false;
    QTest::newRow("2000x2000") << "file" << prova::disegnoGif(320, 466).replace(6, 4, "\xD0\x07\xD0\x07") << "452 × 509" << false;
    QTest::newRow("fotogramma senza dati") << "file" << prova::disegnoGif(320, 466).left(36) + QByteArray("\0;", 2)
                                           << "danneggiata" << false;
    QTest::newRow("pipe con nome") << "fifo" << QByteArray() << "FIFO" << false;
    QTest::newRow("giro di collegamenti") << "giro" << QByteArray() << "collegamenti" << false;
    // A folder named on an old USB stick: a Latin-1 "é", not UTF-8. The game plays from it, and a
    // message names it readably.
    QTest::newRow("cartella in Latin-1, si gioca") << "gioca" << prova::disegnoGif(320, 466) << "" << true;
    QTest::newRow("cartella in Latin-1, disegno rotto") << "file" << QByteArray("GIF? no\n") << "GIF" << true;
    QTest::newRow("senza schermo") << "senza-schermo" << prova::disegnoGif(320, 466) << "schermo" << false;
    // The X server dies under the running game: our own Italian line, not Qt's English one.
    QTest::newRow("schermo perso") << "schermo-perso" << prova::disegnoGif(320, 466) << "schermo" << false;
}

void TstProgrammaErrori::disegnoErrato()
{
    // Whatever drawing comes up, the program says which file is wrong and exits with a non-zero status.
    QFETCH(QString, caso);
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, dice);
    QFETCH(bool, latino);

    // A copy of the program in a folder with spaces and accents, with its own brindel/.
    QTemporaryDir dir;
    // Either way the messages name it as a person reads it.
    const QString cartella = dir.filePath(latino ? QStringLiteral("gioco é qui") : QStringLiteral("gioco è qui"));
    QString programma = cartella + QStringLiteral("/tintar-i-brindel");
    if (latino) {
        // Made byte by byte (Qt would write the name as UTF-8), and started through a link with a plain
        // name: the program finds its folder from its real path.
        const QByteArray byte = QFile::encodeName(dir.path()) + "/gioco \xE9 qui";
        QFile eseguibile(QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"));
        QVERIFY(eseguibile.open(QIODevice::ReadOnly));
        QCOMPARE(::mkdir(byte.constData(), 0700), 0);
        QCOMPARE(::mkdir((byte + "/brindel").constData(), 0700), 0);
        QVERIFY(scriviByte(byte + "/tintar-i-brindel", eseguibile.readAll(), 0700));
        for (int n = 1; n <= 12; ++n)
            QVERIFY(scriviByte(byte + "/brindel/" + QByteArray::number(n) + ".gif", contenuto, 0600));
        programma = dir.filePath(QStringLiteral("avvio"));
        QCOMPARE(::symlink((byte + "/tintar-i-brindel").constData(), QFile::encodeName(programma).constData()), 0);
    } else {
        QVERIFY(QDir().mkpath(cartella));
        QVERIFY(QFile::copy(QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), programma));
        QFile::setPermissions(programma, QFile::permissions(programma) | QFile::ExeOwner);
    }
    if (!latino && caso != QLatin1String("senza-cartella")) {
        QVERIFY(QDir().mkpath(cartella + QStringLiteral("/brindel")));
        for (int n = 1; n <= 12; ++n) {
            const QString disegno = cartella + QStringLiteral("/brindel/%1.gif").arg(n);
            if (caso == QLatin1String("file") || caso.startsWith(QLatin1String("senza-schermo"))
                || caso == QLatin1String("schermo-perso"))
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

    if (caso == QLatin1String("schermo-perso")) {
        auto x = std::make_unique<prova::ServerX>();
        QVERIFY(x->avviato());
        prova::GiocoX gioco(*x, programma, QDir::tempPath());
        QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
        x.reset();
        QVERIFY(gioco.processo().waitForFinished(10000));
        const QString testo = QString::fromUtf8(gioco.processo().readAllStandardError());
        QCOMPARE(gioco.processo().exitStatus(), QProcess::NormalExit);
        QVERIFY(gioco.processo().exitCode() != 0);
        QVERIFY2(testo.contains(QStringLiteral("la connessione con lo schermo si è interrotta")), qPrintable(testo));
        QVERIFY2(!testo.contains(QLatin1String("X11 connection broke")), qPrintable(testo));
        return;
    }
    prova::GiocoX gioco(*m_x, programma, QDir::tempPath());
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    if (caso == QLatin1String("gioca")) {
        QVERIFY2(!gioco.premiAvvio().isEmpty(), gioco.mancato().constData());
        QCOMPARE(gioco.processo().state(), QProcess::Running);
        const QString errore = QString::fromLocal8Bit(gioco.processo().readAllStandardError());
        QVERIFY2(!errore.contains(QLatin1String(".gif")), qPrintable(errore));
        return;
    }
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

// Whether a run ended before the program's own code ran: the dynamic loader
// could not map the libraries (status 127 and its own line), or a library's
// own start-up ran out of memory before main (the C++ library's default
// line: from main on, the program's own handler takes any bad_alloc).
bool primaDelProgramma(const QProcess &p, const QByteArray &errore)
{
    return (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 127 && errore.contains("error while loading shared libraries"))
        || errore.contains("terminate called after throwing an instance of 'std::bad_alloc'");
}

// The smallest address space, to a MiB, in which the program's own code
// runs: under less, the loader or a library's start-up fails first.
qint64 TstProgrammaErrori::limiteCaricatore()
{
    if (m_limiteCaricatore)
        return m_limiteCaricatore;
    const auto caricato = [this](qint64 limite) {
        QProcess p;
        p.setProcessEnvironment(m_x->ambiente());
        p.setChildProcessModifier(limitaMemoria(limite));
        p.start(QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), {});
        if (!p.waitForFinished(3000)) {
            p.kill();
            p.waitForFinished(3000);
            return true;
        }
        return !primaDelProgramma(p, p.readAllStandardError());
    };
    qint64 sotto = 16, sopra = 256;
    while (sopra - sotto > 1) {
        const qint64 mezzo = (sotto + sopra) / 2;
        (caricato(mezzo * MiB) ? sopra : sotto) = mezzo;
    }
    return m_limiteCaricatore = sopra * MiB;
}

void TstProgrammaErrori::memoriaScarsa_data()
{
    // MiB above the loader's limit: from where, and up to where (0: up to the first game on the screen).
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("fino");
    // Qt loads its plugin for the display, connects, reads the keyboard's map: "Memoria esaurita", not "no screen".
    QTest::newRow("mentre Qt si collega allo schermo") << 0 << 16;
    QTest::newRow("fino alla prima partita") << 16 << 0;
}

void TstProgrammaErrori::memoriaScarsa()
{
    // The real program under address-space limits a MiB apart, through the start window and "Avvio" to the
    // first drawing: each run either gets there or ends by itself with the out-of-memory status and its line,
    // never with a signal, a wrong message, or a wait for ever.
#ifdef BRINDEL_CON_ASAN
    QSKIP("AddressSanitizer's own address space leaves no limit to test");
#endif
    QFETCH(int, da);
    QFETCH(int, fino);
    const qint64 base = limiteCaricatore();
    int esaurita = 0;
    bool partita = false;
    for (int mib = da; !partita && mib < (fino ? fino : da + 160); ++mib) {
        const qint64 limite = base + mib * MiB;
        const QString dove = QStringLiteral("under %1 MiB of address space").arg(limite / MiB);
        prova::GiocoX gioco(*m_x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), QDir::tempPath(), 1.0,
                            QStringLiteral("unix:/nonexistent"), limitaMemoria(limite));
        QProcess &p = gioco.processo();
        QByteArray errore;
        if (!gioco.aspettaAvvio().isEmpty()) {
            partita = !gioco.premiAvvio().isEmpty();
            errore = p.readAllStandardError();
            // Memory that ran out in a handler shows its box, which Enter closes.
            if (!partita && p.state() == QProcess::Running && errore.contains("Memoria esaurita")) {
                QVERIFY2(gioco.aspettaDomanda(), qPrintable(dove + QStringLiteral(": no box came")));
                m_x->tasto(QStringLiteral("Return"));
            }
        }
        if (partita)
            break;
        if (p.state() != QProcess::NotRunning)
            p.waitForFinished(5000);
        errore += p.readAllStandardError();
        const QString testo = QString::fromUtf8(errore);
        const QString esito = dove + QStringLiteral(": ") + testo;
        QVERIFY2(p.state() == QProcess::NotRunning, qPrintable(dove + QStringLiteral(": neither ended nor showed the game")));
        if (primaDelProgramma(p, errore))
            continue;
        QVERIFY2(p.exitStatus() == QProcess::NormalExit, qPrintable(esito));
        QVERIFY2(p.exitCode() == uscita::MemoriaEsaurita, qPrintable(QStringLiteral("status %1 ").arg(p.exitCode()) + esito));
        QVERIFY2(testo.contains(QStringLiteral("Memoria esaurita")) && !testo.contains(QStringLiteral("schermo")), qPrintable(esito));
        ++esaurita;
    }
    qInfo("The program's own code runs from %lld MiB; runs from +%d MiB: %d out of memory, %s", base / MiB, da, esaurita,
          partita ? "then the game" : "no game");
    QVERIFY2(esaurita > 0, "no run ran out of memory");
    if (!fino)
        QVERIFY2(partita, "no run came to the first game");
}

QTEST_GUILESS_MAIN(TstProgrammaErrori)
#include "tst_programma_errori.moc"
