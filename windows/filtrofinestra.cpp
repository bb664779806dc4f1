// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/filtrofinestra.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

FiltroFinestra::FiltroFinestra(QWidget *finestra)
    : QObject(finestra)
    , m_finestra(finestra)
{
    finestra->installEventFilter(this);
    aggancia();
}

bool FiltroFinestra::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == m_finestra) {
        if (evento->type() == QEvent::WinIdChange || evento->type() == QEvent::Show)
            aggancia();
        return false;
    }
    if (oggetto != m_finestraQt)
        return false;
    return sullaFinestra(evento);
}

void FiltroFinestra::aggancia()
{
    QWindow *finestra = m_finestra->windowHandle();
    if (!finestra || finestra == m_finestraQt)
        return;
    if (m_finestraQt)
        m_finestraQt->removeEventFilter(this);
    m_finestraQt = finestra;
    finestra->installEventFilter(this);
}

QWindow *FiltroFinestra::finestraQt() const
{
    return m_finestraQt;
}
