// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own folder: where the executable lies, never the working
// directory. Data files are looked up there at every use.
//
// A path here keeps every byte of the name the system gave, also where the
// name is not UTF-8 (a Latin-1 "é" from an old USB stick): each byte that is
// not part of a UTF-8 character is carried as U+DC80..U+DCFF, a code point
// no real name holds, and turned back into that byte for the system calls.

#include <QByteArray>
#include <QString>

namespace cartella {

// Where the data files are looked up: asked for at every use, never kept.
class Cartella
{
public:
    virtual ~Cartella() = default;
    // The folder, without a trailing separator.
    virtual QString percorso() const = 0;
};

// The folder of the running executable (links resolved), looked up anew at
// every call: the program's own, which main hands to the windows.
class DelProgramma final : public Cartella
{
public:
    QString percorso() const override;
};

// A name from the system, every byte kept; and back to its bytes.
QString decodifica(const QByteArray &nome);
QByteArray codifica(const QString &percorso);
// The same path for a person to read: the bytes that are not UTF-8 read as
// Latin-1, which is what they most often are.
QString leggibile(const QString &percorso);

} // namespace cartella
