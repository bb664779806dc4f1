// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/modulo1.h"
#include "windows/messaggi.h"

#include <QApplication>
#include <QList>

#include <cstdio>
#include <cstdlib>

namespace {

// The exit status of a program that found no screen to open its windows on.
constexpr int CodiceSenzaSchermo = 1;

// While the application connects to the screen, Qt's own messages are held
// back: where there is no screen, Qt would print them in English and abort.
// Then one Italian line is printed instead and the program exits; otherwise
// the messages held back go out as usual.
struct Trattenuto
{
    QtMsgType tipo;
    QByteArray categoria;
    QString testo;
};

QList<Trattenuto> g_trattenuti;

void duranteLAvvio(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtFatalMsg) {
        std::fputs("Tintar i Brindel: non trovo uno schermo su cui aprire le finestre; "
                   "il gioco va avviato dentro una sessione grafica.\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(CodiceSenzaSchermo);
    }
    g_trattenuti.append({tipo, QByteArray(contesto.category), testo});
}

} // namespace

int main(int argc, char **argv)
{
    const QtMessageHandler solito = qInstallMessageHandler(duranteLAvvio);
    QApplication app(argc, argv);
    qInstallMessageHandler(solito);
    for (const Trattenuto &t : std::as_const(g_trattenuti)) {
        const QMessageLogContext contesto(nullptr, 0, nullptr, t.categoria.constData());
        qt_message_output(t.tipo, contesto, t.testo);
    }
    g_trattenuti.clear();

    Modulo1::preparaApplicazione();
    Programma programma;
    programma.Main();
    return messaggi::cicloPrincipale();
}
