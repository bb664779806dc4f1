// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/impaginazione.h"

QList<RigaTesto> impaginaTesto(const QString &testo, const QFontMetrics &misure, int larghezza)
{
    QList<RigaTesto> righe;
    const auto aggiungi = [&](const QString &riga) {
        righe.append({riga, (larghezza - misure.horizontalAdvance(riga)) / 2});
    };
    for (const QString &paragrafo : testo.split(u'\n')) {
        const qsizetype n = paragrafo.size();
        qsizetype inizio = 0;
        while (true) {
            // Add words, each with the spaces before it, while the line fits;
            // a line may break before any word but its first.
            qsizetype i = inizio;
            qsizetype prossima = n;
            while (i < n) {
                qsizetype parola = i;
                while (parola < n && paragrafo[parola] == u' ')
                    ++parola;
                qsizetype fine = parola;
                while (fine < n && paragrafo[fine] != u' ')
                    ++fine;
                if (misure.horizontalAdvance(paragrafo.mid(inizio, fine - inizio)) > larghezza) {
                    prossima = parola > inizio ? parola : fine;
                    break;
                }
                i = fine;
            }
            if (prossima >= n && i >= n) {
                aggiungi(paragrafo.mid(inizio));
                break;
            }
            // A broken line loses the spaces at its break.
            QString riga = paragrafo.mid(inizio, prossima - inizio);
            while (riga.endsWith(u' '))
                riga.chop(1);
            aggiungi(riga);
            inizio = prossima;
            while (inizio < n && paragrafo[inizio] == u' ')
                ++inizio;
            if (inizio >= n)
                break;
        }
    }
    return righe;
}
