// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the platform that remember what the program asked of it:
// those of the core, and the message boxes.

#include "comune/sostituti.h"
#include "windows/messaggi.h"

#include <QList>

namespace prova {

struct Box
{
    QString testo;
    int flags = 0;
    QString titolo;
    // The window it was shown over.
    QWidget *sopra = nullptr;
};

// Answers every message box with `risposta` and remembers it.
class RegistroMessaggi final : public messaggi::Finestra
{
public:
    explicit RegistroMessaggi(int risposta_ = messaggi::Ok) : risposta(risposta_)
    {
        messaggi::ripristina();
        messaggi::imposta(this);
    }
    ~RegistroMessaggi() override
    {
        messaggi::imposta(nullptr);
        messaggi::ripristina();
    }
    int mostra(const QString &testo, int flags, const QString &titolo, QWidget *sopra) override
    {
        box.append({testo, flags, titolo, sopra});
        return risposta;
    }
    int risposta;
    QList<Box> box;
};

} // namespace prova
