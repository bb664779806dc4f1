// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/annuncio.h"

#include "windows/accessibilita.h"

#include <QEvent>

Annuncio::Annuncio(QWidget *genitore)
    : QWidget(genitore)
{
    accessibilita::installa();
    setObjectName(QStringLiteral("annuncio"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // It paints nothing, on a single pixel in the corner.
    setGeometry(0, 0, 1, 1);
    hide();
    window()->installEventFilter(this);
}

void Annuncio::annuncia(const QString &testo)
{
    setAccessibleName(testo);
    m_inSospeso = !window()->isActiveWindow();
    if (!m_inSospeso)
        mostra();
}

void Annuncio::taci()
{
    m_inSospeso = false;
    hide();
}

void Annuncio::mostra()
{
    // A notification is spoken as it appears: it goes and comes back.
    hide();
    show();
}

bool Annuncio::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == window() && evento->type() == QEvent::WindowActivate && m_inSospeso) {
        m_inSospeso = false;
        QMetaObject::invokeMethod(this, &Annuncio::mostra, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(oggetto, evento);
}
