// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading what a piece of the screen shows, for tests of the offscreen windows and of a real X server alike.

#include "platform/colore.h"

#include <QImage>
#include <QPoint>
#include <QString>

namespace prova {

// The pixels met crossing the screen at p in the direction of one pixel `verso`, from four before to four after:
// 'n' black, 'b' white, '.' anything else (a black line edged in white shows as "bnnb" or "bnb").
inline QString attraverso(const QImage &img, QPoint p, QPoint verso)
{
    QString visti;
    for (int i = -4; i <= 4; ++i) {
        const QPoint q = p + verso * i;
        const Colore c = img.rect().contains(q) ? colore::daRgb(img.pixel(q)) : Colore(0x808080);
        visti += c == colore::Nero ? u'n' : c == colore::Bianco ? u'b' : u'.';
    }
    return visti;
}

} // namespace prova
