// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring/storia.h"
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

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The exit status of a program that found no screen to open its windows on.
constexpr int CodiceSenzaSchermo = 1;

// While the application connects to the screen, Qt's own messages are held
// back: where there is no screen, Qt would print them in English and abort.
// Then one Italian line is printed instead and the program exits; otherwise
// the messages held back go out as usual. Memory that runs out under Qt
// while it connects ends the program as such: Qt cannot tell a display it
// could not reach from a plugin it had no room to load, and some of its
// failures there wait for ever (a keyboard map it had no room to make); each
// of them says something first.
struct Trattenuto
{
    QtMsgType tipo;
    QByteArray categoria;
    QString testo;
};

QList<Trattenuto> g_trattenuti;

// The program's own line when memory has run out, and its status. Nothing
// here allocates.
[[noreturn]] void esciSenzaMemoria()
{
    static const char riga[] = "Tintar i Brindel: Memoria esaurita. Il programma verrà chiuso.\n";
    (void)!::write(STDERR_FILENO, riga, sizeof riga - 1);
    std::_Exit(uscita::MemoriaEsaurita);
}

constexpr std::size_t MiB = 1024 * 1024;

// Whether the program could still have as much memory more, asked of the
// system directly: no allocation of its own.
bool restaMemoria(std::size_t quanta)
{
    void *const p = ::mmap(nullptr, quanta, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED)
        return false;
    ::munmap(p, quanta);
    return true;
}

// As much as the program sets aside for an error box: less than this left
// while Qt starts is memory run out.
constexpr std::size_t MemoriaMinima = 8 * MiB;

// What a game needs once Qt has started, beside what is set aside for an
// error box: 14 MB to the first drawing on the screen (measured under a
// limit, where the C library keeps a single heap; Debian 12), and the
// history of fills, with room to spare. Where memory ran out in between,
// the libraries under the windows would end the program with an abort or a
// crash (the event loop's, the fonts'), wait for ever (for the accessibility
// bus's thread, which could not start), or leave its windows blank or its
// drawing unread; a program that cannot have it ends at once instead.
constexpr std::size_t MemoriaPerGiocare = 48 * MiB;
static_assert(MemoriaPerGiocare >= 14 * MiB + storia::Riempimenti::MassimoByte + 8 * MiB);

void duranteLAvvio(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (!restaMemoria(MemoriaMinima))
        esciSenzaMemoria();
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
            esciSenzaMemoria();
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
    if (!restaMemoria(MemoriaPerGiocare))
        esciSenzaMemoria();
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
