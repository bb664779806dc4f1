// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own folder: where the executable lies, never the working
// directory. Data files are looked up there at every use.

#include <QString>

namespace cartella {

// The folder of the running executable, without a trailing separator.
QString programma();
// Tests point the program at a folder of their own; an empty path restores it.
void imposta(const QString &percorso);

} // namespace cartella
