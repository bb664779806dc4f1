// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// From a press on the drawing to the filled area painted, in the game window
// on the offscreen platform, for each of the game's drawings.

#include "bench/disegni.h"
#include "comune/sostituti.h"
#include "shell/programma.h"
#include "sound/riproduttorepulse.h"
#include "windows/controlli.h"
#include "windows/formbrindel.h"
#include "windows/messaggi.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

std::map<int, std::vector<double>> g_tempi;

// The window is given the program's own player and boxes, the drawings of
// the source tree, and draws that start on drawing n.
void premuto(benchmark::State &state, suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, messaggi::Box &box)
{
    const int n = static_cast<int>(state.range(0));
    banco::PrimoDisegno casuale(n);
    FormBrindel f(Servizi{riproduttore, casuale, cartella, box});
    f.show();
    while (f.partita().fase() == gioco::Fase::Ricerca)
        f.rispondi(f.partita().Numero());
    QWidget *area = f.riquadroDisegno();
    const QPoint p = banco::puntoBianco(f.riquadroDisegno()->superficie()) + f.riquadroDisegno()->areaInterna().topLeft();
    bool verde = false;
    for (auto _ : state) {
        f.scegliColore(verde ? 0 : 26);
        verde = !verde;
        QMouseEvent premi(QEvent::MouseButtonPress, QPointF(p), area->mapToGlobal(QPointF(p)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QElapsedTimer t;
        t.start();
        QApplication::sendEvent(area, &premi);
        const double secondi = static_cast<double>(t.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(secondi);
        g_tempi[n].push_back(secondi * 1e6);
        QMouseEvent lascia(QEvent::MouseButtonRelease, QPointF(p), area->mapToGlobal(QPointF(p)), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &lascia);
    }
    state.counters["pixel"] = static_cast<double>(f.riquadroDisegno()->superficie().width() * f.riquadroDisegno()->superficie().height());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Programma::preparaApplicazione();
    suoni::RiproduttorePulse riproduttore;
    messaggi::BoxVeri box;
    const prova::CartellaFissa sorgenti(QStringLiteral(BRINDEL_SOURCE_DIR));
    benchmark::RegisterBenchmark("premuto", [&](benchmark::State &state) { premuto(state, riproduttore, sorgenti, box); })
        ->DenseRange(1, 12)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(400);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\npress-to-painted (mouse press to repainted rectangle), reference: under 1000 us\n");
    std::printf("%-8s %12s %12s %8s\n", "drawing", "median us", "max us", "met?");
    bool tutti = true;
    for (auto &[n, tempi] : g_tempi) {
        std::sort(tempi.begin(), tempi.end());
        const double mediana = tempi[tempi.size() / 2];
        const double massimo = tempi.back();
        tutti = tutti && massimo < 1000.0;
        std::printf("%-8d %12.1f %12.1f %8s\n", n, mediana, massimo, massimo < 1000.0 ? "yes" : "no");
    }
    std::printf("all under 1 ms: %s\n", tutti ? "yes" : "no");
    return messaggi::terminato() ? 1 : 0;
}
