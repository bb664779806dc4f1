// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The covers by keyboard: the arrows move the focus among the covers still
// shown as they are laid out, and from the drawing into the grid; after an
// answer the focus goes to the nearest cover left.

#include "game/partita.h"

#include <QObject>

#include <array>
#include <functional>

class QWidget;

namespace tastiera {

// Which covers are shown, by cell (0..19, row by row).
using Mostrate = std::function<bool(int cella)>;

// Where an arrow key takes the focus from the cover of cell `da`: Left and
// Right to the next cover shown along its row; Up and Down to the next row
// that has covers shown, on the one nearest its column (the left one of
// two as near). -1 at the grid's edge: nothing that way.
int verso(int da, int tasto, const Mostrate &mostrate);
// Where an arrow key enters the grid from outside it: Down and Right on the
// first cover shown (reading row by row), Up and Left on the last; -1 when
// none is shown.
int entrata(int tasto, const Mostrate &mostrate);
// The cover shown nearest to cell `da`, in steps along rows and columns;
// of those as near, one in its row first, then the first reading row by
// row. -1 when none is shown.
int piuVicina(int da, const Mostrate &mostrate);

// Gives the arrows to the covers and to the drawing while covers are
// shown; Tab and Shift+Tab keep the window's order.
class Griglia : public QObject
{
public:
    Griglia(const std::array<QWidget *, gioco::Celle> &coperture, QWidget *disegno, QObject *genitore);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    bool mostrata(int cella) const;

    std::array<QWidget *, gioco::Celle> m_coperture;
    QWidget *m_disegno;
};

} // namespace tastiera
