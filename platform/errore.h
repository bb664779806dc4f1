// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's run-time errors. Nothing catches them on the way up: the
// handler wrapper of the windows shows the message and ends the program.

#include <QString>

#include <stdexcept>

// The exit status of a program ended by an error, by its kind.
namespace uscita {
inline constexpr int ErroreInterno = 1;
inline constexpr int ErroreDiCalcolo = 6;
inline constexpr int MemoriaEsaurita = 7;
inline constexpr int FileNonCaricato = 53;
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
