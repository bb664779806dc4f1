// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label's caption laid out in lines, as the labels of both windows show it.

#include <QFontMetrics>
#include <QList>
#include <QString>

// One line of a label's text and where it starts, in pixels from the
// label's left edge (negative when a single word is wider than the label).
struct RigaTesto
{
    QString testo;
    int x = 0;
    bool operator==(const RigaTesto &) const = default;
};

// A caption laid out in a label of the given width: broken at spaces into
// lines no wider than the label where it can be, each line centred. A line
// that fits keeps its spaces; a word wider than the label stands alone on
// its line, cut at both edges, never split.
QList<RigaTesto> impaginaTesto(const QString &testo, const QFontMetrics &misure, int larghezza);
