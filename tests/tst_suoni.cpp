// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "comune/segnali.h"
#include "comune/sostituti.h"
#include "sound/suoni.h"
#include "sound/riproduttorepulse.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>

using namespace std::chrono_literals;

namespace {

// Sends everything the process writes on stdout and stderr to a file while
// it lives.
class CatturaUscita
{
public:
    explicit CatturaUscita(const QString &file)
    {
        std::fflush(stdout);
        std::fflush(stderr);
        m_out = dup(STDOUT_FILENO);
        m_err = dup(STDERR_FILENO);
        const int fd = open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        close(fd);
    }
    ~CatturaUscita()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(m_out, STDOUT_FILENO);
        dup2(m_err, STDERR_FILENO);
        close(m_out);
        close(m_err);
    }
    CatturaUscita(const CatturaUscita &) = delete;
    CatturaUscita &operator=(const CatturaUscita &) = delete;

private:
    int m_out = -1;
    int m_err = -1;
};

// A Unix socket that takes connections and never reads or answers them.
class SocketMuto
{
public:
    explicit SocketMuto(const QString &percorso)
    {
        const QByteArray nome = QFile::encodeName(percorso);
        sockaddr_un indirizzo{};
        indirizzo.sun_family = AF_UNIX;
        if (nome.size() >= static_cast<qsizetype>(sizeof indirizzo.sun_path))
            return;
        std::memcpy(indirizzo.sun_path, nome.constData(), static_cast<std::size_t>(nome.size()));
        m_fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (m_fd >= 0
            && (bind(m_fd, reinterpret_cast<const sockaddr *>(&indirizzo), sizeof indirizzo) != 0
                || listen(m_fd, 16) != 0)) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~SocketMuto()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    SocketMuto(const SocketMuto &) = delete;
    SocketMuto &operator=(const SocketMuto &) = delete;
    bool inAscolto() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

constexpr int kChiamate = 50;
constexpr auto kLimiteChiamate = 2000ms;

} // namespace

class TstSuoni : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void ogniSegnaleChiedeIlSuoFile_data();
    void ogniSegnaleChiedeIlSuoFile();
    void percorsoRifattoAdOgniChiamata();
    void senzaServerNonBloccaNeStampa();
    void serverMutoNonBlocca();

private:
    QTemporaryDir m_cartella;
    std::optional<prova::RegistroSuoni> m_registro;
    std::optional<prova::CartellaFissa> m_inCartella;
};

void TstSuoni::initTestCase()
{
    QVERIFY(m_cartella.isValid());
    // Whatever sound server this machine has, the program's own player must
    // find none here.
    qputenv("PULSE_SERVER", "unix:/nonexistent/tintar-i-brindel/native");
}

void TstSuoni::init()
{
    m_registro.emplace();
    m_inCartella.emplace(m_cartella.path());
}

void TstSuoni::cleanup()
{
    m_registro.reset();
    m_inCartella.reset();
}

void TstSuoni::ogniSegnaleChiedeIlSuoFile_data()
{
    QTest::addColumn<QString>("segnali");
    QTest::addColumn<QStringList>("file");

    QTest::newRow("risposta giusta") << "S" << QStringList{"si.wav"};
    QTest::newRow("risposta sbagliata") << "N" << QStringList{"no.wav"};
    QTest::newRow("disegno finito") << "F" << QStringList{"fatto.wav"};
    QTest::newRow("si ricomincia") << "R" << QStringList{"rifai.wav"};
    QTest::newRow("ventesima risposta giusta") << "SF" << QStringList{"si.wav", "fatto.wav"};
    QTest::newRow("quarta risposta sbagliata") << "NR" << QStringList{"no.wav", "rifai.wav"};
    QTest::newRow("lo stesso segnale due volte") << "NN" << QStringList{"no.wav", "no.wav"};
    QTest::newRow("la coda di una partita intera")
        << "SNSNNRSF" << QStringList{"si.wav", "no.wav", "si.wav", "no.wav", "no.wav",
                                     "rifai.wav", "si.wav", "fatto.wav"};
}

// Each cue asks the player for its own file in suoni/ under the program's folder, once, in call order.
void TstSuoni::ogniSegnaleChiedeIlSuoFile()
{
    QFETCH(QString, segnali);
    QFETCH(QStringList, file);

    for (const QChar s : segnali)
        prova::chiama(s.toLatin1(), *m_registro, *m_inCartella);

    QStringList attesi;
    for (const QString &f : file)
        attesi << m_cartella.path() + "/suoni/" + f;
    QCOMPARE(m_registro->percorsi, attesi);
}

// The path follows the program's folder as it is at each call, not as it was at the first; the program's own
// folder is the executable's.
void TstSuoni::percorsoRifattoAdOgniChiamata()
{
    QTemporaryDir altra;
    QVERIFY(altra.isValid());

    suoni::SuonoFatto(*m_registro, *m_inCartella);
    m_inCartella->dove = altra.path();
    suoni::SuonoFatto(*m_registro, *m_inCartella);
    suoni::SuonoFatto(*m_registro, cartella::DelProgramma());

    const QStringList attesi{
        m_cartella.path() + "/suoni/fatto.wav",
        altra.path() + "/suoni/fatto.wav",
        QCoreApplication::applicationDirPath() + "/suoni/fatto.wav",
    };
    QCOMPARE(m_registro->percorsi, attesi);
}

// With no sound server the program's own player looks for one at the first cue, not before; it returns at once from
// every cue, goes silent and prints nothing.
void TstSuoni::senzaServerNonBloccaNeStampa()
{
    // Files that exist, so that nothing falls back to the bell either.
    QVERIFY(QDir(m_cartella.path()).mkpath("suoni"));
    for (const char *nome : {"si.wav", "no.wav", "fatto.wav", "rifai.wav"}) {
        QFile f(m_cartella.path() + "/suoni/" + nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    const QString uscita = m_cartella.filePath("uscita.txt");
    qint64 ms = 0;
    bool calmo = false;
    suoni::RiproduttorePulse giocatore;
    QCOMPARE(giocatore.stato(), suoni::RiproduttorePulse::Stato::Chiuso);
    {
        CatturaUscita cattura(uscita);
        QElapsedTimer tempo;
        tempo.start();
        for (int i = 0; i < kChiamate; ++i)
            prova::chiama("SNFR"[i % 4], giocatore, *m_inCartella);
        ms = tempo.elapsed();
        calmo = giocatore.attendi(kLimiteChiamate);
    }

    QVERIFY2(ms < kLimiteChiamate.count(), qPrintable(QString::number(ms) + " ms"));
    QVERIFY(calmo);
    QCOMPARE(giocatore.stato(), suoni::RiproduttorePulse::Stato::Muto);
    QFile f(uscita);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(f.readAll()), QString());
}

// A server that takes connections but never answers holds up neither the cues nor the player for long: it gives up and goes silent.
void TstSuoni::serverMutoNonBlocca()
{
    const QString presa = m_cartella.filePath("native");
    SocketMuto muto(presa);
    QVERIFY(muto.inAscolto());
    const QByteArray prima = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", QFile::encodeName("unix:" + presa));

    bool calmo = false;
    qint64 ms = 0;
    suoni::RiproduttorePulse::Stato stato{};
    {
        suoni::RiproduttorePulse giocatore;
        QElapsedTimer tempo;
        tempo.start();
        for (int i = 0; i < kChiamate; ++i)
            giocatore.riproduci(m_cartella.filePath("suoni/si.wav"));
        ms = tempo.elapsed();
        calmo = giocatore.attendi(10s);
        stato = giocatore.stato();
    }
    qputenv("PULSE_SERVER", prima);

    QVERIFY2(ms < kLimiteChiamate.count(), qPrintable(QString::number(ms) + " ms"));
    QVERIFY(calmo);
    QCOMPARE(stato, suoni::RiproduttorePulse::Stato::Muto);
}

QTEST_GUILESS_MAIN(TstSuoni)
#include "tst_suoni.moc"
