// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cartella.h"

#include <QCoreApplication>

namespace cartella {
namespace {
QString g_sostituta;
}

QString programma()
{
    if (!g_sostituta.isEmpty())
        return g_sostituta;
    // applicationDirPath() resolves symbolic links to the real executable.
    return QCoreApplication::applicationDirPath();
}

void imposta(const QString &percorso)
{
    g_sostituta = percorso;
}

} // namespace cartella
