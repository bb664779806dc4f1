// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cartella.h"

#include <QCoreApplication>

#include <limits.h>
#include <unistd.h>

namespace cartella {
namespace {

constexpr char16_t PrimoSostituto = 0xDC80;

bool sostituto(QChar c)
{
    return c.unicode() >= PrimoSostituto && c.unicode() <= PrimoSostituto + 0x7F;
}

// How many bytes the UTF-8 character at `i` takes, 0 when it is not one
// (a stray byte, a cut sequence, an overlong form, a surrogate or past
// U+10FFFF).
int lunghezzaUtf8(const QByteArray &b, qsizetype i)
{
    const auto u = [&](qsizetype k) { return static_cast<unsigned char>(b[k]); };
    const unsigned char c = u(i);
    if (c < 0x80)
        return 1;
    int n = 0;
    unsigned minimo = 0;
    unsigned valore = 0;
    if ((c & 0xE0) == 0xC0) {
        n = 2, minimo = 0x80, valore = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3, minimo = 0x800, valore = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4, minimo = 0x10000, valore = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > b.size())
        return 0;
    for (int k = 1; k < n; ++k) {
        if ((u(i + k) & 0xC0) != 0x80)
            return 0;
        valore = (valore << 6) | (u(i + k) & 0x3F);
    }
    if (valore < minimo || valore > 0x10FFFF || (valore >= 0xD800 && valore <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

QString DelProgramma::percorso() const
{
    // The executable's real path as the system has it, in bytes: Qt's own
    // applicationDirPath() decodes it as UTF-8 and gives up on any other name.
    char percorso[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", percorso, sizeof percorso);
    if (n <= 0 || n >= ssize_t(sizeof percorso))
        return QCoreApplication::applicationDirPath();
    QByteArray nome(percorso, qsizetype(n));
    nome.truncate(std::max<qsizetype>(nome.lastIndexOf('/'), 1));
    return decodifica(nome);
}

QString decodifica(const QByteArray &nome)
{
    QString s;
    s.reserve(nome.size());
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < nome.size();) {
        const int n = lunghezzaUtf8(nome, i);
        if (n > 0) {
            i += n;
            continue;
        }
        s += QString::fromUtf8(nome.constData() + inizio, i - inizio);
        s += QChar(char16_t(PrimoSostituto + (static_cast<unsigned char>(nome[i]) - 0x80)));
        inizio = ++i;
    }
    s += QString::fromUtf8(nome.constData() + inizio, nome.size() - inizio);
    return s;
}

QByteArray codifica(const QString &percorso)
{
    QByteArray b;
    b.reserve(percorso.size());
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < percorso.size(); ++i) {
        // A lone low surrogate only: a pair is an ordinary character.
        if (!sostituto(percorso[i]) || (i > 0 && percorso[i - 1].isHighSurrogate()))
            continue;
        b += QStringView(percorso).mid(inizio, i - inizio).toUtf8();
        b += char(0x80 + (percorso[i].unicode() - PrimoSostituto));
        inizio = i + 1;
    }
    b += QStringView(percorso).mid(inizio).toUtf8();
    return b;
}

QString leggibile(const QString &percorso)
{
    QString s = percorso;
    for (qsizetype i = 0; i < s.size(); ++i)
        if (sostituto(s[i]) && !(i > 0 && s[i - 1].isHighSurrogate()))
            s[i] = QChar(char16_t(0x80 + (s[i].unicode() - PrimoSostituto)));
    return s;
}

} // namespace cartella
