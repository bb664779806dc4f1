// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the program's data files. Only a regular file is data: a pipe, a
// device or a folder in its place is refused without ever waiting on it, and
// every reason is given in Italian whatever the locale.

#include <QByteArray>
#include <QString>

#include <optional>

namespace lettura {

// Empty when the path leads (through any links) to a regular file; otherwise
// why it does not, in Italian. Never opens the file.
QString nonRegolare(const QString &percorso);

// The whole content of a regular file of at most `massimo` bytes. On failure
// nothing, and `perche` says why in Italian.
std::optional<QByteArray> leggi(const QString &percorso, qint64 massimo, QString &perche);

// A system error number in our own words; the system's text only for the
// rare ones we have no words for.
QString spiega(int numeroErrore);

} // namespace lettura
