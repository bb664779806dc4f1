// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window grown to a 3840 x 2160 screen, on the offscreen platform:
// press-to-painted on each of the game's drawings at that scale, and the
// re-layout from the 96-dpi window to full screen and back, painted.

#include "bench/disegni.h"
#include "comune/sostituti.h"
#include "shell/programma.h"
#include "sound/riproduttorepulse.h"
#include "windows/scena.h"
#include "windows/controlli.h"
#include "windows/formbrindel.h"
#include "windows/messaggi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize Schermo{3840, 2160};
constexpr double RiferimentoPremuto = 2000.0; // us
constexpr double RiferimentoLayout = 16000.0; // us

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void aspetta(const FormBrindel &f, QSize lato)
{
    while (f.size() != lato)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Programma::preparaApplicazione();
    // The program's own player and boxes; the drawings of the source tree.
    suoni::RiproduttorePulse riproduttore;
    messaggi::BoxVeri box;
    const prova::CartellaFissa sorgenti(QStringLiteral(BRINDEL_SOURCE_DIR));

    std::printf("game window at %d x %d (the window as full screen, menu bar included)\n", Schermo.width(), Schermo.height());
    std::printf("press-to-painted, reference: median under %.0f us\n", RiferimentoPremuto);
    std::printf("%-8s %8s %12s %12s %8s\n", "drawing", "factor", "median us", "max us", "met?");
    bool tutti = true;
    std::vector<double> layout;
    for (int n = 1; n <= 12; ++n) {
        banco::PrimoDisegno casuale(n);
        FormBrindel f(Servizi{riproduttore, casuale, sorgenti, box});
        f.show();
        const QSize piccola = f.size();
        f.resize(Schermo);
        aspetta(f, Schermo);
        while (f.partita().fase() == gioco::Fase::Ricerca)
            f.rispondi(f.partita().Numero());
        f.repaint();
        QWidget *area = f.riquadroDisegno();
        const double s = scena::fattore(area);
        const QPoint pixel = banco::puntoBianco(f.riquadroDisegno()->superficie());
        const QPointF p = QPointF(std::ceil((pixel.x() + 0.5) * s), std::ceil((pixel.y() + 0.5) * s)) + f.riquadroDisegno()->areaInterna().topLeft();
        std::vector<double> tempi;
        for (int i = 0; i < 200; ++i) {
            f.scegliColore(i % 2 ? 0 : 26);
            QMouseEvent premi(QEvent::MouseButtonPress, p, area->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QElapsedTimer t;
            t.start();
            QApplication::sendEvent(area, &premi);
            tempi.push_back(static_cast<double>(t.nsecsElapsed()) * 1e-3);
            QMouseEvent lascia(QEvent::MouseButtonRelease, p, area->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &lascia);
        }
        const double m = mediana(tempi);
        tutti = tutti && m < RiferimentoPremuto;
        std::printf("%-8d %8.3f %12.1f %12.1f %8s\n", n, s, m, *std::max_element(tempi.begin(), tempi.end()),
                    m < RiferimentoPremuto ? "yes" : "no");

        // Re-layout: to full screen and back, each through to the window painted.
        for (int i = 0; i < 10; ++i)
            for (const QSize lato : {piccola, Schermo}) {
                QElapsedTimer t;
                t.start();
                f.resize(lato);
                aspetta(f, lato);
                f.repaint();
                layout.push_back(static_cast<double>(t.nsecsElapsed()) * 1e-3);
            }
    }
    std::printf("all medians under 2 ms: %s\n", tutti ? "yes" : "no");
    const double ml = mediana(layout);
    std::printf("re-layout 96 dpi <-> full screen, painted: median %.1f us, max %.1f us, reference under %.0f us: %s\n", ml,
                *std::max_element(layout.begin(), layout.end()), RiferimentoLayout, ml < RiferimentoLayout ? "yes" : "no");
    return messaggi::terminato() ? 1 : 0;
}
