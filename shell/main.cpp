// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/errore.h"
#include "shell/istanza.h"
#include "shell/programma.h"
#include "sound/riproduttorepulse.h"
#include "windows/messaggi.h"

#include <QApplication>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include <unistd.h>

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

QtMessageHandler g_solito = nullptr;

// Qt's own line when the display goes away is English; ours says it in
// Italian, like every other error, and Qt then ends the program.
void dopoLAvvio(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg && testo.startsWith(QLatin1String("The X11 connection broke"))) {
        std::fputs("Tintar i Brindel: la connessione con lo schermo si è interrotta; il gioco si chiude.\n", stderr);
        std::fflush(stderr);
        return;
    }
    g_solito(tipo, contesto, testo);
}

// Memory that runs out where no handler of ours can catch it (while Qt
// paints, or as the program ends) ends the program with its status, not
// with an abort and a core file. Nothing here allocates.
[[noreturn]] void terminaSenzaMemoria()
{
    if (const std::exception_ptr e = std::current_exception()) {
        try {
            std::rethrow_exception(e);
        } catch (const std::bad_alloc &) {
            static const char riga[] = "Tintar i Brindel: Memoria esaurita. Il programma verrà chiuso.\n";
            (void)!::write(STDERR_FILENO, riga, sizeof riga - 1);
            std::_Exit(uscita::MemoriaEsaurita);
        } catch (...) {
        }
    }
    std::abort();
}

// Which display of its kind the program runs on.
QString schermo(const QString &piattaforma)
{
    if (piattaforma == QLatin1String("xcb"))
        return qEnvironmentVariable("DISPLAY");
    if (piattaforma.startsWith(QLatin1String("wayland")))
        return qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    std::set_terminate(terminaSenzaMemoria);
    const QtMessageHandler solito = qInstallMessageHandler(duranteLAvvio);
    QApplication app(argc, argv);
    g_solito = solito;
    qInstallMessageHandler(g_solito ? dopoLAvvio : nullptr);
    messaggi::prepara();
    for (const Trattenuto &t : std::as_const(g_trattenuti)) {
        const QMessageLogContext contesto(nullptr, 0, nullptr, t.categoria.constData());
        qt_message_output(t.tipo, contesto, t.testo);
    }
    g_trattenuti.clear();

    Programma::preparaApplicazione();
    // What the windows take from the system, made here once: the player, the
    // one random sequence (seeded from the clock, so that each run draws
    // another), the executable's folder and the real message boxes.
    suoni::RiproduttorePulse riproduttore;
    casuale::Generatore generatore(casuale::semeDallOrologio());
    const cartella::DelProgramma cartella;
    messaggi::BoxVeri box;
    Programma programma(Servizi{riproduttore, generatore, cartella, box});
    // One game for each user on each display (a screen of the offscreen
    // kind is nobody's); a second launch brings the first to the front.
    const QString piattaforma = QGuiApplication::platformName();
    IstanzaUnica istanza(IstanzaUnica::nomePerSchermo(piattaforma, schermo(piattaforma)));
    if (piattaforma != QLatin1String("offscreen") && piattaforma != QLatin1String("minimal")
        && !istanza.prendi([&programma] { programma.inPrimoPiano(); }))
        return 0;
    programma.avvia();
    return messaggi::cicloPrincipale();
}
