// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own player heard through a real PulseAudio server: a private
// one with a null sink, whose monitor the test records and analyses.

#include "comune/segnali.h"
#include "comune/sostituti.h"
#include "comune/xvfb.h"
#include "sound/suoni.h"
#include "sound/onda.h"
#include "sound/riproduttorepulse.h"
#include "sound/serverpulse.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(onda::Formato)

namespace {

struct Tono {
    char segnale;
    const char *file;
    double hertz;
    double secondi;
};

// Long pure tones, far apart in pitch, so each cue can be told in the
// recording and its length measured.
constexpr Tono kToni[] = {
    {'S', "si.wav", 440, 1.5},
    {'N', "no.wav", 550, 1.5},
    {'F', "fatto.wav", 1320, 1.0},
    {'R', "rifai.wav", 1100, 1.0},
};
constexpr double kAmpiezza = 0.5;
constexpr const char *kNomeApplicazione = "Tintar i Brindel";

// 20 ms windows every 5 ms.
constexpr onda::Finestre kFinestre{onda::kCampioniAlSecondo / 50, onda::kCampioniAlSecondo / 200};

struct Soglie {
    double piccoMinimo;       // a tone below this was not played at all
    double tolleranza;        // on a tone's measured length, seconds
    double taglioMassimo;     // how long a cue cut off at once may still sound
    double sovrapposizione;   // how far the first tone may run into the second
    double energiaCampanello; // loudest window RMS that counts as a sound
    double energiaSilenzio;   // loudest window RMS that counts as silence
    double silenzioIniziale;  // seconds at the start of each recording
    std::chrono::milliseconds ritornoMassimo; // for a cue's call to return
    std::chrono::milliseconds avvioMassimo;   // for the server to take the cues
    std::chrono::milliseconds coda;           // recorded after the last sound
};

constexpr Soglie kSoglie{0.1, 0.1, 0.3, 0.05, 0.01, 0.001, 0.5, 500ms, 10000ms, 1500ms};

const Tono &tono(char segnale)
{
    return *std::find_if(std::begin(kToni), std::end(kToni),
                         [&](const Tono &t) { return t.segnale == segnale; });
}

bool scrivi(const QString &percorso, const QByteArray &contenuto)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(contenuto) == contenuto.size();
}

// The loudest window among those starting in [da, a) seconds.
double energiaTra(const QVector<double> &rms, double da, double a)
{
    double m = 0;
    for (qsizetype i = 0; i < rms.size(); ++i) {
        const double t = i * kFinestre.passoSecondi();
        if (t >= da && t < a)
            m = std::max(m, rms[i]);
    }
    return m;
}

// Waits until what the recording holds from sample `da` on has sounded and
// then kept silent for the tail, which is all a cue leaves to hear; gives up
// after the longest cue and its tail.
void aspettaFine(const Registrazione &reg, qsizetype da)
{
    const qsizetype coda = onda::kCampioniAlSecondo * kSoglie.coda.count() / 1000;
    const std::chrono::milliseconds limite = kSoglie.avvioMassimo + kSoglie.coda + 2000ms;
    (void)QTest::qWaitFor([&] {
        const QVector<double> x = reg.finora();
        qsizetype ultimo = -1;
        for (qsizetype i = da; i < x.size(); ++i)
            if (std::abs(x[i]) > kSoglie.energiaCampanello)
                ultimo = i;
        return ultimo >= 0 && x.size() - ultimo >= coda;
    }, int(limite.count()));
}

// What a process holds: open descriptors, threads and memory mappings.
struct Risorse {
    qsizetype descrittori = 0;
    qsizetype fili = 0;
    qsizetype mappe = 0;
    bool operator==(const Risorse &) const = default;
};

Risorse risorse()
{
    QFile mappe("/proc/self/maps");
    qsizetype righe = -1;
    if (mappe.open(QIODevice::ReadOnly))
        righe = mappe.readAll().count('\n');
    return {QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
            QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), righe};
}

QString descrivi(const Risorse &r)
{
    return QString("%1 descriptors, %2 threads, %3 mappings").arg(r.descrittori).arg(r.fili).arg(r.mappe);
}

QString secondi(double s)
{
    return QString::number(s, 'f', 3) + " s";
}

// The first sample from `da` on that is not silence; -1 if none is.
qsizetype inizioSuono(const QVector<double> &x, qsizetype da)
{
    for (qsizetype i = std::max<qsizetype>(da, 0); i < x.size(); ++i)
        if (std::abs(x[i]) > kSoglie.energiaCampanello)
            return i;
    return -1;
}

// Where a file's sound lies in the recording (from `da` on), laid by the
// loudest sample of each: how much of it the recording leaves unexplained
// (0 for the file itself, played sample for sample; near 1 or more for
// another), and how many of its first samples the recording lacks. Its
// first 50 ms are not compared: a sound server may drop the first
// milliseconds of a stream that starts while its sink runs.
struct Confronto {
    double scarto = 1e9;
    qsizetype mancanti = 0;
};

Confronto confronta(const QVector<double> &x, qsizetype da, const QVector<double> &file)
{
    const auto piuForte = [](const QVector<double> &v, qsizetype inizio) {
        qsizetype k = inizio;
        for (qsizetype i = inizio; i < v.size(); ++i)
            if (std::abs(v[i]) > std::abs(v[k]))
                k = i;
        return k;
    };
    constexpr qsizetype salto = onda::kCampioniAlSecondo / 20;
    Confronto migliore;
    if (da >= x.size() || file.size() <= salto)
        return migliore;
    double energia = 0;
    for (qsizetype i = salto; i < file.size(); ++i)
        energia += file[i] * file[i];
    const qsizetype base = piuForte(x, da) - piuForte(file, 0);
    for (qsizetype spostamento = -40; spostamento <= 40; ++spostamento) {
        double resto = 0;
        for (qsizetype i = salto; i < file.size(); ++i) {
            const qsizetype j = base + spostamento + i;
            const double v = j >= 0 && j < x.size() ? x[j] : 0.0;
            resto += (v - file[i]) * (v - file[i]);
        }
        if (resto / energia < migliore.scarto)
            migliore = {resto / energia, std::max<qsizetype>(0, inizioSuono(x, da) - (base + spostamento)) - inizioSuono(file, 0)};
    }
    return migliore;
}

// The spoken names the program ships, by file name ("c3", "c", "3").
QStringList nomiVoci()
{
    QStringList nomi;
    for (char r = 'a'; r <= 'e'; ++r) {
        for (char c = '1'; c <= '4'; ++c)
            nomi << QString(QChar(r)) + QChar(c);
        nomi << QString(QChar(r));
    }
    for (char c = '1'; c <= '4'; ++c)
        nomi << QString(QChar(c));
    return nomi;
}

} // namespace

class TstSuoniReali : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void ilSecondoInterrompeIlPrimo_data();
    void ilSecondoInterrompeIlPrimo();
    void fileIllegibileDaIlCampanello_data();
    void fileIllegibileDaIlCampanello();
    void fileAggiuntoOTolto();
    void fileDelProgrammaSuonanoInteri_data();
    void fileDelProgrammaSuonanoInteri();
    void serverInRitardo();
    void formatiDelMaestro_data();
    void formatiDelMaestro();
    void nessunaRisorsaPersa_data();
    void nessunaRisorsaPersa();
    void serverRiavviato();
    void uscitaImmediata_data();
    void uscitaImmediata();
    void vociDelGioco_data();
    void vociDelGioco();

private:
    QString registrazione() const { return m_runtime.filePath("registrazione.raw"); }

    // The program's own player, made once as the program makes it, and kept
    // (with its connection) from one test to the next.
    suoni::RiproduttorePulse &giocatore() { return *m_giocatore; }

    QTemporaryDir m_runtime;
    std::unique_ptr<ServerPulse> m_server;
    std::unique_ptr<suoni::RiproduttorePulse> m_giocatore;
};

void TstSuoniReali::initTestCase()
{
    for (const char *programma : {"pulseaudio", "parecord", "pactl"})
        if (QStandardPaths::findExecutable(programma).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(programma)));
    QVERIFY(m_runtime.isValid());

    m_server = std::make_unique<ServerPulse>(m_runtime.path());
    QString motivo;
    if (!m_server->avvia(&motivo))
        QSKIP(qPrintable("no sound server could be started: " + motivo));

    // Before the first cue: the player looks for its server only then.
    qputenv("PULSE_SERVER", m_server->indirizzo().toLocal8Bit());
    m_giocatore = std::make_unique<suoni::RiproduttorePulse>();
}

void TstSuoniReali::cleanupTestCase()
{
    m_giocatore.reset();
    if (m_server)
        m_server->ferma();
}

void TstSuoniReali::ilSecondoInterrompeIlPrimo_data()
{
    QTest::addColumn<char>("primo");
    QTest::addColumn<char>("secondo");

    QTest::newRow("ventesima risposta giusta: si, poi fatto") << 'S' << 'F';
    QTest::newRow("quarta risposta sbagliata: no, poi rifai") << 'N' << 'R';
}

// A cue called straight after another cuts the first off at once and plays to its own end, the only stream of the program's on the server.
void TstSuoniReali::ilSecondoInterrompeIlPrimo()
{
    QFETCH(char, primo);
    QFETCH(char, secondo);
    const Tono &t1 = tono(primo);
    const Tono &t2 = tono(secondo);

    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QVERIFY(QDir(programma.path()).mkpath("suoni"));
    for (const Tono &t : kToni)
        QVERIFY(scrivi(programma.filePath(QString("suoni/") + t.file),
                       onda::wavTono(t.hertz, t.secondi, kAmpiezza)));
    const prova::CartellaFissa dove(programma.path());

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    QElapsedTimer orologio;
    orologio.start();
    prova::chiama(primo, giocatore(), dove);
    prova::chiama(secondo, giocatore(), dove);
    const qint64 ms = orologio.elapsed();
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    const QString flussi = m_server->flussi();
    aspettaFine(reg, 0);
    const QVector<double> x = reg.ferma();

    const QVector<double> a1 = onda::ampiezzaTono(x, t1.hertz, kFinestre);
    const QVector<double> a2 = onda::ampiezzaTono(x, t2.hertz, kFinestre);
    const double picco = onda::massimo(a2);
    const double soglia = picco / 2;
    const onda::Tratto primoTratto = onda::tratto(a1, soglia, kFinestre);
    const onda::Tratto secondoTratto = onda::tratto(a2, soglia, kFinestre);
    qInfo().noquote() << "recorded" << secondi(double(x.size()) / onda::kCampioniAlSecondo)
                      << "| calls returned after" << ms << "ms"
                      << "| second cue: amplitude" << picco << "from" << secondi(secondoTratto.inizio)
                      << "to" << secondi(secondoTratto.fine) << "sounding"
                      << secondi(secondoTratto.durata) << "of" << secondi(t2.secondi)
                      << "| first cue: peak" << onda::massimo(a1) << "sounding"
                      << secondi(primoTratto.durata) << "of" << secondi(t1.secondi);

    QVERIFY2(ms < kSoglie.ritornoMassimo.count(), qPrintable(QString::number(ms) + " ms"));
    QVERIFY2(energiaTra(onda::rms(x, kFinestre), 0, kSoglie.silenzioIniziale) < kSoglie.energiaSilenzio,
             "the recording did not start in silence");
    QVERIFY2(picco > kSoglie.piccoMinimo, "the second cue was not heard");
    QVERIFY2(std::abs(secondoTratto.durata - t2.secondi) <= kSoglie.tolleranza,
             "the second cue did not play to its end");
    QVERIFY2(secondoTratto.fine - secondoTratto.inizio <= t2.secondi + kSoglie.tolleranza,
             "the second cue was broken up");
    QCOMPARE(flussi.count("Sink Input #"), 1);
    QVERIFY2(flussi.contains(QString("application.name = \"%1\"").arg(kNomeApplicazione)), qPrintable(flussi));
    QVERIFY2(flussi.contains(QString("application.id = \"%1\"").arg(BRINDEL_ID_APPLICAZIONE)), qPrintable(flussi));
    // Filed as a game's sound, so the desktop's switch for event sounds leaves it alone.
    QVERIFY2(flussi.contains("media.role = \"game\""), qPrintable(flussi));
    QVERIFY2(primoTratto.durata <= kSoglie.taglioMassimo, "the first cue was not cut off");
    QVERIFY2(!primoTratto.presente || primoTratto.fine <= secondoTratto.inizio + kSoglie.sovrapposizione,
             "the first cue went on under the second");
}

void TstSuoniReali::fileIllegibileDaIlCampanello_data()
{
    QTest::addColumn<bool>("cartella");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("file");

    QTest::newRow("manca la cartella suoni") << false << QByteArray() << "";
    QTest::newRow("manca il file") << true << QByteArray() << "";
    QTest::newRow("file vuoto") << true << QByteArray() << "file";
    QTest::newRow("testo rinominato .wav")
        << true << QByteArray("Questo non e' un suono.\n").repeated(200) << "file";
    QTest::newRow("intestazione WAV troncata") << true << onda::wavTono(550, 1.0, kAmpiezza).left(20) << "file";
    // Opening it would wait for a writer for ever, and every later cue with it.
    QTest::newRow("pipe con nome") << true << QByteArray() << "fifo";
}

// A cue whose file is missing or cannot be played gives the desktop's bell, returns at once, and leaves the player working.
void TstSuoniReali::fileIllegibileDaIlCampanello()
{
    QFETCH(bool, cartella);
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, file);

    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    if (cartella)
        QVERIFY(QDir(programma.path()).mkpath("suoni"));
    if (file == "file")
        QVERIFY(scrivi(programma.filePath("suoni/no.wav"), contenuto));
    if (file == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(programma.filePath("suoni/no.wav")).constData(), 0600), 0);
    const prova::CartellaFissa dove(programma.path());

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    QElapsedTimer orologio;
    orologio.start();
    suoni::SuonoNo(giocatore(), dove);
    const qint64 ms = orologio.elapsed();
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    aspettaFine(reg, 0);
    const QVector<double> x = reg.ferma();
    const QVector<double> r = onda::rms(x, kFinestre);

    const double inizio = energiaTra(r, 0, kSoglie.silenzioIniziale);
    const double campanello = onda::massimo(r);
    qInfo().noquote() << "calls returned after" << ms << "ms | loudest window RMS" << campanello;
    QVERIFY2(ms < kSoglie.ritornoMassimo.count(), qPrintable(QString::number(ms) + " ms"));
    QVERIFY2(inizio < kSoglie.energiaSilenzio, "the recording did not start in silence");
    QVERIFY2(campanello > kSoglie.energiaCampanello, "no bell was heard");
    QCOMPARE(giocatore().stato(), suoni::RiproduttorePulse::Stato::Aperto);
}

// A file put in place or taken away while the program runs counts from the very next call.
void TstSuoniReali::fileAggiuntoOTolto()
{
    const Tono &t = tono('R');
    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QVERIFY(QDir(programma.path()).mkpath("suoni"));
    const prova::CartellaFissa dove(programma.path());
    const QString percorso = programma.filePath("suoni/rifai.wav");

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    // The bell, the tone, the bell: each heard out before the next.
    for (int passo = 0; passo < 3; ++passo) {
        if (passo == 1)
            QVERIFY(scrivi(percorso, onda::wavTono(t.hertz, t.secondi, kAmpiezza)));
        if (passo == 2)
            QVERIFY(QFile::remove(percorso));
        const qsizetype da = reg.finora().size();
        suoni::SuonoRifai(giocatore(), dove);
        QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
        aspettaFine(reg, da);
    }
    const QVector<double> x = reg.ferma();

    const QVector<double> a = onda::ampiezzaTono(x, t.hertz, kFinestre);
    const QVector<double> r = onda::rms(x, kFinestre);
    const double picco = onda::massimo(a);
    const onda::Tratto tonoTratto = onda::tratto(a, picco / 2, kFinestre);
    const double prima = energiaTra(r, kSoglie.silenzioIniziale, tonoTratto.inizio - kSoglie.tolleranza);
    const double dopo = energiaTra(r, tonoTratto.fine + kSoglie.tolleranza, 1e9);
    qInfo().noquote() << "bell before: RMS" << prima << "| tone from" << secondi(tonoTratto.inizio)
                      << "sounding" << secondi(tonoTratto.durata) << "| bell after: RMS" << dopo;

    QVERIFY2(picco > kSoglie.piccoMinimo, "the file put in place was not played");
    QVERIFY2(std::abs(tonoTratto.durata - t.secondi) <= kSoglie.tolleranza, "the tone did not play whole");
    QVERIFY2(prima > kSoglie.energiaCampanello, "no bell before the file was there");
    QVERIFY2(dopo > kSoglie.energiaCampanello, "no bell after the file was gone");
}

void TstSuoniReali::fileDelProgrammaSuonanoInteri_data()
{
    QTest::addColumn<char>("segnale");
    QTest::addColumn<QString>("file");

    QTest::newRow("si") << 'S' << "si.wav";
    QTest::newRow("no") << 'N' << "no.wav";
    QTest::newRow("fatto") << 'F' << "fatto.wav";
    QTest::newRow("rifai") << 'R' << "rifai.wav";
}

// The cue files that ship with the program are ones its player can read: each sounds as long as it lasts, not as the bell.
void TstSuoniReali::fileDelProgrammaSuonanoInteri()
{
    QFETCH(char, segnale);
    QFETCH(QString, file);
    const QString sorgente = QStringLiteral(BRINDEL_SOURCE_DIR);
    QFile f(sorgente + "/suoni/" + file);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const QVector<double> originale = onda::campioniWav(f.readAll());
    QVERIFY2(!originale.isEmpty(), "not a 16-bit mono PCM WAV file at the expected rate");
    const prova::CartellaFissa dove(sorgente);

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    prova::chiama(segnale, giocatore(), dove);
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    aspettaFine(reg, 0);
    const QVector<double> x = reg.ferma();

    const QVector<double> rOriginale = onda::rms(originale, kFinestre);
    const QVector<double> r = onda::rms(x, kFinestre);
    const double soglia = onda::massimo(rOriginale) / 10;
    const onda::Tratto atteso = onda::tratto(rOriginale, soglia, kFinestre);
    const onda::Tratto udito = onda::tratto(r, soglia, kFinestre);
    qInfo().noquote() << "file sounds for" << secondi(atteso.fine - atteso.inizio) << "| heard for"
                      << secondi(udito.fine - udito.inizio);
    QVERIFY(atteso.presente);
    QVERIFY2(udito.presente, "nothing was heard");
    QVERIFY2(std::abs((udito.fine - udito.inizio) - (atteso.fine - atteso.inizio)) <= kSoglie.tolleranza,
             "what was heard does not last as long as the file");
}

// A server that answers only after the first cues (a session still logging in) is found by the first cue after it starts.
void TstSuoniReali::serverInRitardo()
{
    const Tono &t = tono('F');
    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QVERIFY(QDir(programma.path()).mkpath("suoni"));
    QVERIFY(scrivi(programma.filePath("suoni/fatto.wav"), onda::wavTono(t.hertz, t.secondi, kAmpiezza)));
    const QString percorso = programma.filePath("suoni/fatto.wav");
    const QByteArray server = qgetenv("PULSE_SERVER");

    suoni::RiproduttorePulse giocatore;
    // Not there yet: a socket nobody listens on.
    qputenv("PULSE_SERVER", QFile::encodeName("unix:" + m_runtime.filePath("non-ancora")));
    for (int volta = 0; volta < 2; ++volta) {
        giocatore.riproduci(percorso);
        QVERIFY(giocatore.attendi(kSoglie.avvioMassimo));
        QCOMPARE(giocatore.stato(), suoni::RiproduttorePulse::Stato::Muto);
    }
    qputenv("PULSE_SERVER", server);

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    QElapsedTimer orologio;
    orologio.start();
    giocatore.riproduci(percorso);
    const qint64 ms = orologio.elapsed();
    QVERIFY(giocatore.attendi(kSoglie.avvioMassimo));
    aspettaFine(reg, 0);
    const QVector<double> x = reg.ferma();
    const onda::Tratto udito = onda::tratto(onda::ampiezzaTono(x, t.hertz, kFinestre), kSoglie.piccoMinimo, kFinestre);
    qInfo().noquote() << "call returned after" << ms << "ms | heard for" << secondi(udito.durata);

    QVERIFY2(ms < kSoglie.ritornoMassimo.count(), qPrintable(QString::number(ms) + " ms"));
    QCOMPARE(giocatore.stato(), suoni::RiproduttorePulse::Stato::Aperto);
    QVERIFY2(std::abs(udito.durata - t.secondi) <= kSoglie.tolleranza, "the cue was not heard whole");
}

void TstSuoniReali::formatiDelMaestro_data()
{
    QTest::addColumn<onda::Formato>("formato");

    QTest::newRow("8 bit mono 22050 Hz") << onda::Formato{8, false, 1, 22050};
    QTest::newRow("16 bit stereo 48000 Hz") << onda::Formato{16, false, 2, 48000};
    QTest::newRow("24 bit mono 44100 Hz") << onda::Formato{24, false, 1, 44100};
    QTest::newRow("24 bit stereo 48000 Hz") << onda::Formato{24, false, 2, 48000};
    QTest::newRow("32 bit mono 44100 Hz") << onda::Formato{32, false, 1, 44100};
    QTest::newRow("32 bit float mono 44100 Hz") << onda::Formato{32, true, 1, 44100};
    QTest::newRow("32 bit float stereo 96000 Hz") << onda::Formato{32, true, 2, 96000};
}

// A cue exported from an audio editor in any common WAV format is heard as itself, whole, not as the bell.
void TstSuoniReali::formatiDelMaestro()
{
    QFETCH(onda::Formato, formato);
    const Tono &t = tono('N');
    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QVERIFY(QDir(programma.path()).mkpath("suoni"));
    QVERIFY(scrivi(programma.filePath("suoni/no.wav"), onda::wavTono(t.hertz, t.secondi, kAmpiezza, formato)));
    const prova::CartellaFissa dove(programma.path());

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    suoni::SuonoNo(giocatore(), dove);
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    aspettaFine(reg, 0);
    const QVector<double> x = reg.ferma();
    const QVector<double> a = onda::ampiezzaTono(x, t.hertz, kFinestre);
    const onda::Tratto udito = onda::tratto(a, onda::massimo(a) / 2, kFinestre);
    qInfo().noquote() << "tone amplitude" << onda::massimo(a) << "sounding" << secondi(udito.durata) << "of"
                      << secondi(t.secondi);
    QVERIFY2(onda::massimo(a) > kSoglie.piccoMinimo, "the cue was not heard");
    QVERIFY2(std::abs(udito.durata - t.secondi) <= kSoglie.tolleranza, "the cue was not heard whole");
}

void TstSuoniReali::nessunaRisorsaPersa_data()
{
    QTest::addColumn<QByteArray>("contenuto");

    QByteArray caso(4096, Qt::Uninitialized);
    for (qsizetype i = 0; i < caso.size(); ++i)
        caso[i] = char((i * 2654435761u) >> 13);
    const QByteArray corto = onda::wavTono(550, 0.05, kAmpiezza, {});
    QTest::newRow("intestazione WAV troncata") << corto.left(30);
    QTest::newRow("byte a caso") << caso;
    QTest::newRow("file vuoto") << QByteArray();
    QTest::newRow("24 bit") << onda::wavTono(550, 0.05, kAmpiezza, {24, false, 1, 44100});
    QTest::newRow("32 bit float") << onda::wavTono(550, 0.05, kAmpiezza, {32, true, 1, 44100});
    QTest::newRow("16 bit") << corto;
}

// Hundreds of cues of a file that plays or of one that does not leave behind no descriptor, thread or mapping.
void TstSuoniReali::nessunaRisorsaPersa()
{
    QFETCH(QByteArray, contenuto);
    constexpr int volte = 200;
    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QVERIFY(QDir(programma.path()).mkpath("suoni"));
    QVERIFY(scrivi(programma.filePath("suoni/no.wav"), contenuto));
    const prova::CartellaFissa dove(programma.path());

    // The first cue sets up what stays for the whole run: the thread, the connection.
    suoni::SuonoNo(giocatore(), dove);
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    const Risorse prima = risorse();
    for (int i = 0; i < volte; ++i) {
        suoni::SuonoNo(giocatore(), dove);
        QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    }
    // Whatever the last cue still plays ends before the count.
    QTest::qWait(1500);
    const Risorse dopo = risorse();
    qInfo().noquote() << "before:" << descrivi(prima) << "| after" << volte << "cues:" << descrivi(dopo);
    QCOMPARE(dopo.descrittori, prima.descrittori);
    QCOMPARE(dopo.fili, prima.fili);
    // The allocator maps and unmaps a few regions of its own as it goes (AddressSanitizer's a few more); a mapping
    // left by one cue in ten is well beyond that.
    QVERIFY2(dopo.mappe < prima.mappe + volte / 10, qPrintable(descrivi(dopo)));
    QCOMPARE(giocatore().stato(), suoni::RiproduttorePulse::Stato::Aperto);
}

// A sound server that dies and comes back mid-game: cues meanwhile are silent and return at once, and the first cue after its return is heard.
void TstSuoniReali::serverRiavviato()
{
    const Tono &t = tono('S');
    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QVERIFY(QDir(programma.path()).mkpath("suoni"));
    QVERIFY(scrivi(programma.filePath("suoni/si.wav"), onda::wavTono(t.hertz, t.secondi, kAmpiezza)));
    const prova::CartellaFissa dove(programma.path());

    suoni::SuonoSi(giocatore(), dove);
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    QCOMPARE(giocatore().stato(), suoni::RiproduttorePulse::Stato::Aperto);
    m_server->ferma();
    QElapsedTimer orologio;
    orologio.start();
    suoni::SuonoSi(giocatore(), dove);
    const qint64 ms = orologio.elapsed();
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    QString motivo;
    QVERIFY2(m_server->avvia(&motivo), qPrintable(motivo));

    Registrazione reg;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    suoni::SuonoSi(giocatore(), dove);
    QVERIFY(giocatore().attendi(kSoglie.avvioMassimo));
    aspettaFine(reg, 0);
    const QVector<double> x = reg.ferma();
    const onda::Tratto udito = onda::tratto(onda::ampiezzaTono(x, t.hertz, kFinestre), kSoglie.piccoMinimo, kFinestre);
    qInfo().noquote() << "cue without a server returned after" << ms << "ms | after the restart heard for"
                      << secondi(udito.durata);
    QVERIFY2(ms < kSoglie.ritornoMassimo.count(), qPrintable(QString::number(ms) + " ms"));
    QVERIFY2(std::abs(udito.durata - t.secondi) <= kSoglie.tolleranza, "no cue was heard after the restart");
    QCOMPARE(giocatore().stato(), suoni::RiproduttorePulse::Stato::Aperto);
}

void TstSuoniReali::uscitaImmediata_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<QString>("tasto");

    QTest::newRow("Esci, Sì, con il server") << true << "Return";
    QTest::newRow("Esci, Sì, senza server") << false << "Return";
    QTest::newRow("ultima finestra chiusa, con il server") << true << "alt+F4";
    QTest::newRow("ultima finestra chiusa, senza server") << false << "alt+F4";
}

// The real program, a cue still playing, ends as soon as it is told to: after "Sì" to "Esci", or when its last window is closed.
void TstSuoniReali::uscitaImmediata()
{
    QFETCH(bool, server);
    QFETCH(QString, tasto);
    prova::ServerX x(true);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path(), 1.0,
                        server ? m_server->indirizzo() : QStringLiteral("unix:/nonexistent"));
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    // Any cover: right or wrong, a cue starts.
    x.clicca(prova::GiocoX::interno(rb) + prova::InizioGriglia + QPoint(20, 20));
    if (server)
        QTRY_VERIFY_WITH_TIMEOUT(m_server->flussi().contains(kNomeApplicazione), 5000);
    if (tasto == "Return")
        QVERIFY(gioco.apriEsci(rb));
    QElapsedTimer orologio;
    orologio.start();
    x.tasto(tasto);
    QVERIFY(gioco.processo().waitForFinished(10000));
    const qint64 ms = orologio.elapsed();
    qInfo().noquote() << "from the key to the end of the process:" << ms << "ms";
    QCOMPARE(gioco.processo().exitStatus(), QProcess::NormalExit);
    QCOMPARE(gioco.processo().exitCode(), 0);
    // Far above what it takes (the key's own xdotool included), far below the old wait for the player's thread.
    QVERIFY2(ms < 1000, qPrintable(QString::number(ms) + " ms"));
}

void TstSuoniReali::vociDelGioco_data()
{
    QTest::addColumn<QString>("premi");  // what is pressed: "nome", "riga A", "colonna 3", "ctrl+d"
    QTest::addColumn<bool>("voci");      // the program's folder has suoni/voce/

    QTest::newRow("nome della cella premuto") << "nome" << true;
    QTest::newRow("lettera A premuta") << "riga A" << true;
    QTest::newRow("numero 3 premuto") << "colonna 3" << true;
    QTest::newRow("Ctrl+D") << "ctrl+d" << true;
    QTest::newRow("nome della cella premuto, senza suoni/voce") << "nome" << false;
}

// The real program on a real X server: a press on the cell's name, a row's letter, a column's number or Ctrl+D plays
// that file of suoni/voce/, sample for sample; without the folder it is silent (no bell) and the game goes on, cues and all.
void TstSuoniReali::vociDelGioco()
{
    QFETCH(QString, premi);
    QFETCH(bool, voci);
    prova::ServerX x(true);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir programma;
    QVERIFY(programma.isValid());
    QString cartella = QStringLiteral(BRINDEL_PROGRAM_DIR);
    if (!voci) {
        // The program and its data as built, but for the voices.
        cartella = programma.path();
        QVERIFY(QFile::copy(QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), cartella + "/tintar-i-brindel"));
        QVERIFY(QFile::setPermissions(cartella + "/tintar-i-brindel", QFile::ReadOwner | QFile::ExeOwner));
        for (const char *sotto : {"brindel", "suoni"}) {
            QVERIFY(QDir(cartella).mkdir(sotto));
            const QDir da(QStringLiteral(BRINDEL_PROGRAM_DIR "/") + sotto);
            for (const QString &f : da.entryList(QDir::Files))
                QVERIFY(QFile::copy(da.filePath(f), cartella + '/' + sotto + '/' + f));
        }
    }
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, cartella + "/tintar-i-brindel", altrove.path(), 1.0, m_server->indirizzo());
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    const QPoint interno = prova::GiocoX::interno(rb);
    const int cella = prova::cellaNominata(x.schermo(), interno);
    QVERIFY(cella >= 0);

    QString atteso;
    QPoint dove;
    const QSize c = prova::cellaDisegni();
    if (premi == "nome") {
        atteso = QString(QChar(u'a' + gioco::rigaDi(cella))) + QString::number(gioco::colonnaDi(cella) + 1);
        dove = interno + prova::centro(layout::brindel::NomeCella);
    } else if (premi == "riga A") {
        atteso = "a";
        dove = interno + QPoint(prova::InizioDisegno.x() + 7, prova::InizioGriglia.y() + c.height() / 2);
    } else if (premi == "colonna 3") {
        atteso = "3";
        dove = interno + prova::InizioGriglia + QPoint(2 * c.width() + c.width() / 2, -10);
    } else {
        atteso = QString(QChar(u'a' + gioco::rigaDi(cella))) + QString::number(gioco::colonnaDi(cella) + 1);
    }

    Registrazione reg;
    QString motivo;
    QVERIFY2(reg.avvia(*m_server, registrazione(), &motivo), qPrintable(motivo));
    // Twice: the first press also loads the sound libraries and connects to the server.
    for (int volta = 0; volta < (voci ? 2 : 1); ++volta) {
        const qsizetype da = reg.finora().size();
        if (premi == "ctrl+d")
            x.tasto(premi);
        else
            x.clicca(dove);
        if (!voci) {
            QTest::qWait(1500);
            break;
        }
        QTRY_VERIFY_WITH_TIMEOUT(inizioSuono(reg.finora(), da) >= 0, 5000);
        aspettaFine(reg, da);
        const QVector<double> registrato = reg.finora();
        const qsizetype inizio = inizioSuono(registrato, da);
        // From xdotool's start, before it sends the press, to the first sample the sound server played, as parecord
        // wrote it in fragments of 20 ms: an upper bound.
        const double attesa = double(inizio - da) / onda::kCampioniAlSecondo;
        QString migliore;
        Confronto piuSimile, delAtteso;
        for (const QString &nome : nomiVoci()) {
            QFile f(QStringLiteral(BRINDEL_SOURCE_DIR "/suoni/voce/") + nome + ".wav");
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            const Confronto confronto = confronta(registrato, da, onda::campioniWav(f.readAll()));
            if (confronto.scarto < piuSimile.scarto) {
                piuSimile = confronto;
                migliore = nome;
            }
            if (nome == atteso)
                delAtteso = confronto;
        }
        qInfo().noquote() << "press" << volta + 1 << "| heard" << migliore << "left unexplained" << piuSimile.scarto
                          << "| expected" << atteso << delAtteso.scarto << "| press to first sound"
                          << secondi(attesa) << "| first samples missing" << delAtteso.mancanti;
        QCOMPARE(migliore, atteso);
        QVERIFY2(delAtteso.scarto < 0.01, "the recording is not the file played sample for sample");
    }
    if (!voci) {
        const QVector<double> r = onda::rms(reg.finora(), kFinestre);
        qInfo().noquote() << "without the voices: loudest window RMS after the press" << onda::massimo(r);
        QVERIFY2(onda::massimo(r) < kSoglie.energiaSilenzio, "a sound (the bell?) stood in for the missing voice");
        // The game goes on: the named cover answered takes it away, with its cue.
        const qsizetype da = reg.finora().size();
        const QPoint coperta = interno + prova::InizioGriglia
            + QPoint(gioco::colonnaDi(cella) * c.width() + c.width() / 2, gioco::rigaDi(cella) * c.height() + c.height() / 2);
        x.clicca(coperta);
        QTRY_VERIFY_WITH_TIMEOUT(prova::coloreA(x.schermo(), coperta) != colore::Giallo, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(inizioSuono(reg.finora(), da) >= 0, 5000);
    }
    reg.ferma();
    QCOMPARE(gioco.processo().state(), QProcess::Running);
}

// With a GUI application, for reading the screen in the fonts of the game.
QTEST_MAIN(TstSuoniReali)
#include "tst_suoni_reali.moc"
