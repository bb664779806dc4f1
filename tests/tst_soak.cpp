// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// Ten thousand games in a row, with mistakes, restarts, colouring and fills: no error, no leak, no growth.

#include "comune/registratori.h"
#include "shell/programma.h"
#include "windows/controlli.h"
#include "windows/formbrindel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <malloc.h>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define BRINDEL_CON_ASAN 1
#else
#define BRINDEL_CON_ASAN 0
#endif

namespace {

// Resident memory in kilobytes.
long residente()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> campi = f.readAll().split(' ');
    return campi.size() > 1 ? campi[1].toLong() * 4 : -1;
}

// Heap memory in use, in kilobytes: what the program holds, whatever the
// allocator keeps around it.
long inUso()
{
#if BRINDEL_CON_ASAN
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

} // namespace

class TstSoak : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Programma::preparaApplicazione(); }
    void diecimilaPartite();
};

void TstSoak::diecimilaPartite()
{
    // Ten thousand scripted games leave no error box, and heap and resident memory where they were after a hundred.
    const int partite = qEnvironmentVariableIntValue("BRINDEL_SOAK_PARTITE") > 0
        ? qEnvironmentVariableIntValue("BRINDEL_SOAK_PARTITE")
        : 10000;
    prova::RegistroMessaggi messaggi;
    prova::RegistroSuoni suoni;
    const prova::CartellaFissa cartella(QStringLiteral(BRINDEL_SOURCE_DIR));
    casuale::Generatore casuale(20261208);
    std::mt19937 bambino(42);

    FormBrindel f(Servizi{suoni, casuale, cartella, messaggi});
    f.show();
    QVERIFY(messaggi.box.isEmpty());

    long dopoCento = 0;
    long heapDopoCento = 0;
    int completate = 0;
    int ricominciate = 0;
    QElapsedTimer tempo;
    tempo.start();
    for (int partita = 0; partita < partite; ++partita) {
        // Up to four mistakes, spread over the game; the fourth starts a new one.
        const int sbagli = std::uniform_int_distribution<int>(0, 4)(bambino);
        int fatti = 0;
        while (f.partita().fase() == gioco::Fase::Ricerca) {
            const int prima = f.partita().Errori();
            const bool altre = f.partita().Trovati() < 19; // some other cover is there to miss
            if (fatti < sbagli && altre && std::bernoulli_distribution(0.2)(bambino)) {
                int i = 0;
                do
                    i = std::uniform_int_distribution<int>(0, 19)(bambino);
                while (i == f.partita().Numero() || !f.partita().coperture()[i].visibile);
                f.rispondi(i);
                ++fatti;
                if (prima == 3) {
                    QCOMPARE(int(f.partita().Errori()), 0);
                    ++ricominciate;
                    break;
                }
            } else {
                f.rispondi(f.partita().Numero());
            }
            if (f.partita().fase() == gioco::Fase::Ricerca && std::bernoulli_distribution(0.05)(bambino))
                f.premiDisegno(Qt::LeftButton, {}, std::uniform_int_distribution<int>(0, 300)(bambino),
                               std::uniform_int_distribution<int>(0, 440)(bambino));
        }
        if (f.partita().fase() == gioco::Fase::Colorazione) {
            ++completate;
            for (int k = 0; k < 5; ++k) {
                f.scegliColore(std::uniform_int_distribution<int>(0, 47)(bambino));
                f.premiDisegno(Qt::MouseButton(Qt::LeftButton << (k % 3)), {},
                               std::uniform_int_distribution<int>(0, 310)(bambino),
                               std::uniform_int_distribution<int>(0, 440)(bambino));
            }
            f.prossimoDisegno();
        }
        QCoreApplication::processEvents();
        if (!messaggi.box.isEmpty())
            QFAIL(qPrintable(messaggi.box.first().messaggio.testo));
        if (partita == 99) {
            dopoCento = residente();
            heapDopoCento = inUso();
        }
        // Keep the recorder from growing with the test itself.
        suoni.nomi.clear();
        suoni.percorsi.clear();
    }
    const long allaFine = residente();
    const long heapAllaFine = inUso();
    qInfo("%d games (%d coloured, %d restarted after four mistakes) in %lld ms; after 100 and at the end: "
          "resident %ld and %ld kB, heap in use %ld and %ld kB",
          partite, completate, ricominciate, tempo.elapsed(), dopoCento, allaFine, heapDopoCento, heapAllaFine);
    QVERIFY(completate > partite / 4);
    QVERIFY(ricominciate > partite / 20);
    QVERIFY2(heapAllaFine <= heapDopoCento + heapDopoCento / 20,
             qPrintable(QStringLiteral("heap %1 kB -> %2 kB").arg(heapDopoCento).arg(heapAllaFine)));
    // ASan's allocator keeps its own caches and quarantine in resident memory.
    if (!BRINDEL_CON_ASAN)
        QVERIFY2(allaFine <= dopoCento + dopoCento / 20, qPrintable(QStringLiteral("%1 kB -> %2 kB").arg(dopoCento).arg(allaFine)));
}

QTEST_MAIN(TstSoak)
#include "tst_soak.moc"
