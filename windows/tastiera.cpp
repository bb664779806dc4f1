// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tastiera.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace tastiera {

namespace {

bool freccia(int tasto)
{
    return tasto == Qt::Key_Left || tasto == Qt::Key_Right || tasto == Qt::Key_Up || tasto == Qt::Key_Down;
}

} // namespace

int verso(int da, int tasto, const Mostrate &mostrate)
{
    const int colonna = gioco::colonnaDi(da);
    const int riga = gioco::rigaDi(da);
    if (tasto == Qt::Key_Left || tasto == Qt::Key_Right) {
        const int passo = tasto == Qt::Key_Right ? 1 : -1;
        for (int c = colonna + passo; c >= 0 && c < gioco::Colonne; c += passo)
            if (mostrate(gioco::indiceCella(c, riga)))
                return gioco::indiceCella(c, riga);
        return -1;
    }
    if (tasto != Qt::Key_Up && tasto != Qt::Key_Down)
        return -1;
    const int passo = tasto == Qt::Key_Down ? 1 : -1;
    for (int r = riga + passo; r >= 0 && r < gioco::Righe; r += passo) {
        int scelta = -1;
        for (int c = 0; c < gioco::Colonne; ++c)
            if (mostrate(gioco::indiceCella(c, r))
                && (scelta < 0 || std::abs(c - colonna) < std::abs(gioco::colonnaDi(scelta) - colonna)))
                scelta = gioco::indiceCella(c, r);
        if (scelta >= 0)
            return scelta;
    }
    return -1;
}

int entrata(int tasto, const Mostrate &mostrate)
{
    if (tasto == Qt::Key_Down || tasto == Qt::Key_Right) {
        for (int i = 0; i < gioco::Celle; ++i)
            if (mostrate(i))
                return i;
    } else if (tasto == Qt::Key_Up || tasto == Qt::Key_Left) {
        for (int i = gioco::Celle - 1; i >= 0; --i)
            if (mostrate(i))
                return i;
    }
    return -1;
}

int piuVicina(int da, const Mostrate &mostrate)
{
    int scelta = -1;
    std::pair<int, int> migliore{std::numeric_limits<int>::max(), 0};
    for (int i = 0; i < gioco::Celle; ++i) {
        if (i == da || !mostrate(i))
            continue;
        const int righe = std::abs(gioco::rigaDi(i) - gioco::rigaDi(da));
        const std::pair<int, int> distanza{righe + std::abs(gioco::colonnaDi(i) - gioco::colonnaDi(da)), righe};
        if (distanza < migliore) {
            migliore = distanza;
            scelta = i;
        }
    }
    return scelta;
}

Griglia::Griglia(const std::array<QWidget *, gioco::Celle> &coperture, QWidget *disegno, QObject *genitore)
    : QObject(genitore)
    , m_coperture(coperture)
    , m_disegno(disegno)
{
    for (QWidget *copertura : m_coperture)
        copertura->installEventFilter(this);
    m_disegno->installEventFilter(this);
}

bool Griglia::mostrata(int cella) const
{
    const QWidget *copertura = m_coperture[static_cast<std::size_t>(cella)];
    return copertura->isVisibleTo(copertura->parentWidget());
}

bool Griglia::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return false;
    const auto *tasto = static_cast<QKeyEvent *>(evento);
    if (!freccia(tasto->key()) || (tasto->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const Mostrate mostrate = [this](int cella) { return mostrata(cella); };
    int prossima = -1;
    if (oggetto == m_disegno) {
        // The drawing keeps its arrows (for its cursor) once no cover is left.
        prossima = entrata(tasto->key(), mostrate);
        if (prossima < 0)
            return false;
    } else {
        const auto i = std::find(m_coperture.begin(), m_coperture.end(), oggetto);
        if (i == m_coperture.end())
            return false;
        prossima = verso(static_cast<int>(i - m_coperture.begin()), tasto->key(), mostrate);
    }
    // At the grid's edge the focus stays where it is, and goes nowhere else
    // along the window's order.
    if (prossima >= 0)
        m_coperture[static_cast<std::size_t>(prossima)]->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace tastiera
