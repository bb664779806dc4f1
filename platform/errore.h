// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's run-time errors. Nothing catches them on the way up: the
// handler wrapper of the windows shows the message and ends the program.

#include <QString>

#include <stdexcept>

#include <sysexits.h>

// The exit status of a program ended by an error, by its kind: the codes of
// <sysexits.h>, as other Linux programs give them, so that a script or a
// report from the field tells them apart. The manual page lists them.
namespace uscita {
// A fault of the program itself: a number out of range, an operation on
// a value that is not a number, anything unforeseen.
inline constexpr int ErroreInterno = EX_SOFTWARE;
// Memory ran out.
inline constexpr int MemoriaEsaurita = EX_OSERR;
// A drawing could not be read, or is not one the game can play.
inline constexpr int FileNonCaricato = EX_NOINPUT;
} // namespace uscita

class ErroreEsecuzione : public std::runtime_error
{
public:
    enum class Tipo {
        Overflow,
        OperazioneNonValida,
        DisegnoNonCaricato,
        DisegnoTroppoPiccolo,
    };

    explicit ErroreEsecuzione(Tipo tipo, const QString &file = {}, const QString &dettaglio = {});

    Tipo tipo() const { return m_tipo; }
    const QString &file() const { return m_file; }
    // The text shown to the user, in plain Italian.
    const QString &messaggio() const { return m_messaggio; }
    // The exit status of a program ended by this error.
    int codiceUscita() const;

private:
    ErroreEsecuzione(Tipo tipo, const QString &file, QString messaggio, bool);

    Tipo m_tipo;
    QString m_file;
    QString m_messaggio;
};
