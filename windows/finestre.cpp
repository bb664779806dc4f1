// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/finestre.h"

#include "windows/scena.h"
#include "windows/layout.h"

#include <QAction>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace finestre {
namespace {

constexpr Qt::WindowStates Grande = Qt::WindowMaximized | Qt::WindowFullScreen;

// The window manager's frame around a window on `schermo`: that of `modello`
// where it stands shown in the normal state (the windows of one program get
// the same), else the table's estimate. Where a pixel of the layout is not a
// whole number of the screen's, positions and sizes are rounded to the
// layout's pixels, so a pixel is added on each side to keep the frame whole.
QMargins cornice(const QWidget *modello, const QScreen *schermo)
{
    QMargins m;
    if (modello && modello->isVisible() && !(modello->windowState() & Grande)) {
        const QRect f = modello->frameGeometry();
        const QRect g = modello->geometry();
        m = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    }
    if (m.isNull()) {
        const layout::Margini &c = layout::CorniceStimata;
        m = QMargins(c.sinistra, c.alto, c.destra, c.basso);
    }
    const double rapporto = schermo->devicePixelRatio();
    if (rapporto != std::floor(rapporto))
        m += QMargins(1, 1, 1, 1);
    return m;
}

// Sizes a window for an area of the screen that its frame must fit in: its
// layout at 96 dpi where that fits, else the largest factor that does, and
// lets the window shrink that far. Returns the factor.
double adatta(QWidget *finestra, const QRect &area, const QMargins &bordo)
{
    auto *scena = finestra->findChild<scena::Scena *>();
    QWidget *contenitore = scena->parentWidget();
    const QSize misura = scena->misura();
    // What the window holds besides its layout: the game window's menu bar.
    const QSize attorno = contenitore == finestra ? QSize(0, 0) : finestra->sizeHint() - contenitore->minimumSize();
    const QSize posto = area.size().shrunkBy(bordo) - attorno;
    const double s = std::max(layout::FattoreMinimo,
                              std::min({1.0, double(posto.width()) / misura.width(), double(posto.height()) / misura.height()}));
    scena->consentiFattore(s);
    finestra->resize(scena::scala(layout::Rettangolo{0, 0, misura.width(), misura.height()}, s).size() + attorno);
    return s;
}

// Puts the window centred on a point (none: its frame in the middle of the
// area), moved as little as it takes for its frame to stand whole in the
// area. The window itself is placed, not its frame: where the frame is only
// an estimate, the real one then stands around much the same middle.
void centra(QWidget *finestra, std::optional<QPoint> centro, const QRect &area, const QMargins &bordo)
{
    QRect r(QPoint(0, 0), finestra->size());
    r.moveCenter(centro.value_or(QPoint()));
    r = r.marginsAdded(bordo);
    if (!centro)
        r.moveCenter(area.center());
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() + 1 - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() + 1 - r.height())));
    finestra->setGeometry(r.marginsRemoved(bordo));
}

} // namespace

void apri(QWidget *finestra)
{
    const QRect area = finestra->screen()->availableGeometry();
    const QMargins bordo = cornice(nullptr, finestra->screen());
    if (adatta(finestra, area, bordo) < 1.0)
        centra(finestra, std::nullopt, area, bordo);
    finestra->show();
}

void apriAlPostoDi(QWidget *finestra, const QWidget *prima)
{
    QScreen *schermo = prima->screen();
    finestra->setScreen(schermo);
    const QRect area = schermo->availableGeometry();
    const QMargins bordo = cornice(prima, schermo);
    const Qt::WindowStates stato = prima->windowState() & Grande;
    // A maximised window stands where it would come back to.
    const QRect dove = stato ? prima->normalGeometry() : prima->geometry();
    adatta(finestra, area, bordo);
    centra(finestra, dove.isValid() ? std::optional(dove.center()) : std::nullopt, area, bordo);
    if (stato)
        finestra->setWindowState(stato);
    finestra->show();
}

void centraSopra(QWidget *finestra, const QWidget *sopra)
{
    QScreen *schermo = sopra ? sopra->screen() : finestra->screen();
    const QRect area = schermo->availableGeometry();
    centra(finestra, sopra ? std::optional(sopra->geometry().center()) : std::nullopt, area, cornice(sopra, schermo));
}

void aggiungiSchermoIntero(QWidget *finestra)
{
    auto *azione = new QAction(finestra);
    azione->setObjectName(QStringLiteral("schermoIntero"));
    azione->setShortcut(Qt::Key_F11);
    finestra->addAction(azione);
    QObject::connect(azione, &QAction::triggered, finestra,
                     [finestra] { finestra->setWindowState(finestra->windowState() ^ Qt::WindowFullScreen); });
}

} // namespace finestre
