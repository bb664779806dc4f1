// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and peak memory of the game against a minimal Qt Widgets program,
// side by side, on a private Xvfb server (the xcb platform, as on a desktop).
//
//   bench_avvio [-n LANCI] [--partite N] [--wm]      (defaults: 101, 300)
//
// Launches avvio_gioco, minimo and minimo_suono LANCI times each, in turn,
// after one launch of each that is not counted (it fills the page cache). Times run
// from the moment just before posix_spawn; the programs report CLOCK_MONOTONIC
// stamps on their standard output. Then one launch of avvio_gioco plays N
// new games ("avanti"). --wm runs openbox on the server.

#include "comune/xvfb.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

extern char **environ;

namespace {

long long adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Lancio
{
    long long t0 = 0;
    QMap<QByteArray, long long> valori;
    std::vector<std::vector<long long>> partite;
    bool riuscito = false;
};

Lancio lancia(const std::string &eseguibile, const std::vector<std::string> &argomenti, const std::vector<std::string> &ambiente)
{
    Lancio l;
    int tubo[2];
    if (pipe(tubo) != 0)
        return l;
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], 1);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    posix_spawn_file_actions_addclose(&azioni, tubo[1]);

    std::vector<char *> argv{const_cast<char *>(eseguibile.c_str())};
    for (const std::string &a : argomenti)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : ambiente)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    pid_t pid = 0;
    l.t0 = adesso();
    const int errore = posix_spawn(&pid, eseguibile.c_str(), &azioni, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&azioni);
    close(tubo[1]);
    if (errore != 0) {
        close(tubo[0]);
        return l;
    }
    QByteArray uscita;
    char buf[4096];
    for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) > 0;)
        uscita.append(buf, n);
    close(tubo[0]);
    int stato = 0;
    waitpid(pid, &stato, 0);
    for (const QByteArray &riga : uscita.split('\n')) {
        const QList<QByteArray> campi = riga.split(' ');
        if (campi.size() < 2)
            continue;
        if (campi[0] == "partita") {
            std::vector<long long> v;
            for (qsizetype i = 1; i < campi.size(); ++i)
                v.push_back(campi[i].toLongLong());
            l.partite.push_back(v);
        } else {
            l.valori[campi[0]] = campi[1].toLongLong();
        }
    }
    l.riuscito = WIFEXITED(stato) && WEXITSTATUS(stato) == 0 && l.valori.value("gioco") > 0;
    if (!l.riuscito)
        std::fprintf(stderr, "%s failed (status %d):\n%s\n", eseguibile.c_str(), stato, uscita.constData());
    return l;
}

double mediana(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

// The figures of one launch, in ms (memory in MiB).
struct Cifre
{
    double exec, app, prep, finestra, dipinta, avvio, gioco, totale, memoria, widget;
};

Cifre cifre(const Lancio &l)
{
    auto ms = [](long long ns) { return static_cast<double>(ns) / 1e6; };
    const auto &v = l.valori;
    return {ms(v.value("main") - l.t0),
            ms(v.value("applicazione") - v.value("main")),
            ms(v.value("preparata") - v.value("applicazione")),
            ms(v.value("mostrata") - v.value("preparata")),
            ms(v.value("avvio") - v.value("mostrata")),
            ms(v.value("avvio") - l.t0),
            ms(v.value("gioco") - v.value("clic")),
            ms(v.value("gioco") - l.t0 - (v.value("clic") - v.value("avvio"))),
            static_cast<double>(v.value("vmhwm_kb")) / 1024.0,
            static_cast<double>(v.value("widget"))};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int lanci = 101;
    int partite = 300;
    bool wm = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc)
            lanci = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--partite") == 0 && i + 1 < argc)
            partite = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--wm") == 0)
            wm = true;
    }
    const std::string cartella = QCoreApplication::applicationDirPath().toStdString();
    const std::string gioco = cartella + "/avvio_gioco";
    const std::string minimo = cartella + "/minimo";
    const std::string minimoSuono = cartella + "/minimo_suono";

    prova::ServerX x(wm);
    if (!x.avviato()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    // The environment of a desktop session reduced to what Qt reads: the
    // display, the xcb platform, the locale; no session bus, no theme.
    std::vector<std::string> ambiente{"DISPLAY=" + x.display().toStdString(), "QT_QPA_PLATFORM=xcb",
                                      "PATH=/usr/bin:/bin"};
    for (const char *nome : {"HOME", "LANG", "LC_ALL", "TMPDIR"})
        if (const char *valore = std::getenv(nome))
            ambiente.push_back(std::string(nome) + "=" + valore);
    QTemporaryDir runtime;
    ambiente.push_back("XDG_RUNTIME_DIR=" + runtime.path().toStdString());

    const std::string programmi[3] = {gioco, minimo, minimoSuono};
    for (const std::string &p : programmi)
        lancia(p, {}, ambiente);

    // The order turns at every round, so no program always follows another.
    std::vector<Cifre> risultati[3];
    for (int i = 0; i < lanci; ++i) {
        for (int k = 0; k < 3; ++k) {
            const int j = (i + k) % 3;
            const Lancio l = lancia(programmi[j], {}, ambiente);
            if (!l.riuscito)
                return 1;
            risultati[j].push_back(cifre(l));
        }
    }
    const std::vector<Cifre> &nostri = risultati[0], &minimi = risultati[1], &minimiSuono = risultati[2];

    auto med = [](const std::vector<Cifre> &v, double Cifre::*campo) {
        std::vector<double> valori;
        for (const Cifre &c : v)
            valori.push_back(c.*campo);
        return mediana(valori);
    };
    auto riga = [&](const char *nome, double Cifre::*campo, const char *unita, double limite) {
        const double a = med(nostri, campo);
        const double b = med(minimi, campo);
        const double c = med(minimiSuono, campo);
        if (b > 0.05)
            std::printf("%-44s %10.1f %10.1f %8.2fx", nome, a, b, a / b);
        else
            std::printf("%-44s %10.1f %10.1f %9s", nome, a, b, "-");
        if (limite > 0)
            std::printf(" %7.2fx %6s", limite, a / b <= limite ? "yes" : "no");
        else
            std::printf(" %8s %6s", "", "");
        std::printf(" %12.1f   %s\n", c, unita);
    };

    std::printf("\nstart-up on Xvfb%s, %d launches of each program, medians\n", wm ? " with openbox" : "", lanci);
    std::printf("%-44s %10s %10s %9s %8s %6s %12s\n", "", "game", "minimal", "ratio", "target", "met?",
                "min.+sound");
    riga("spawn to main()", &Cifre::exec, "ms", 0);
    riga("QApplication constructor", &Cifre::app, "ms", 0);
    riga("set-up (style, font stand-ins, icon)", &Cifre::prep, "ms", 0);
    riga("start window built and shown (Main)", &Cifre::finestra, "ms", 0);
    riga("shown to painted (first expose)", &Cifre::dipinta, "ms", 0);
    riga("(a) spawn to start window painted", &Cifre::avvio, "ms", 0);
    riga("(b) Avvio clicked to game window painted", &Cifre::gioco, "ms", 0);
    riga("(a)+(b) spawn to game window, no wait", &Cifre::totale, "ms", 1.05);
    riga("peak resident memory (VmHWM)", &Cifre::memoria, "MiB", 1.0);
    riga("widgets in the second window", &Cifre::widget, "", 0);

    // The machine is shared: the least disturbed launch of each program
    // tells the cost without the others' load.
    auto minimo_ = [](const std::vector<Cifre> &v, double Cifre::*campo) {
        double m = v.front().*campo;
        for (const Cifre &c : v)
            m = std::min(m, c.*campo);
        return m;
    };
    std::printf("\nbest of %d launches (least disturbed)\n", lanci);
    std::printf("%-44s %10s %10s %9s %8s %6s %12s\n", "", "game", "minimal", "ratio", "target", "met?",
                "min.+sound");
    for (auto [nome, campo, unita] : {std::tuple{"(a) spawn to start window painted", &Cifre::avvio, "ms"},
                                      std::tuple{"(b) Avvio clicked to game window painted", &Cifre::gioco, "ms"},
                                      std::tuple{"(a)+(b) spawn to game window, no wait", &Cifre::totale, "ms"}}) {
        const double a = minimo_(nostri, campo), b = minimo_(minimi, campo), c = minimo_(minimiSuono, campo);
        std::printf("%-44s %10.1f %10.1f %8.2fx", nome, a, b, a / b);
        if (campo == &Cifre::totale)
            std::printf(" %7.2fx %6s", 1.05, a / b <= 1.05 ? "yes" : "no");
        else
            std::printf(" %8s %6s", "", "");
        std::printf(" %12.1f   %s\n", c, unita);
    }

    if (partite > 0) {
        const Lancio l = lancia(gioco, {"--partite", std::to_string(partite)}, ambiente);
        if (!l.riuscito)
            return 1;
        std::vector<double> totale, comando, dipinto;
        for (const auto &p : l.partite)
            if (p.size() == 3) {
                totale.push_back(static_cast<double>(p[0]) / 1e6);
                comando.push_back(static_cast<double>(p[1]) / 1e6);
                dipinto.push_back(static_cast<double>(p[2]) / 1e6);
            }
        std::printf("\nnew game (\"avanti\" to the window painted with the new drawing), %zu games, ms\n",
                    totale.size());
        std::printf("%-44s %10s %10s %10s %8s %6s\n", "", "median", "p90", "max", "target", "met?");
        auto rigaP = [](const char *nome, const std::vector<double> &v, bool obiettivo) {
            std::printf("%-44s %10.3f %10.3f %10.3f", nome, mediana(v), quantile(v, 0.9), *std::max_element(v.begin(), v.end()));
            if (obiettivo)
                std::printf(" %8s %6s", "< 3 ms", mediana(v) < 3.0 ? "yes" : "no");
            std::printf("\n");
        };
        rigaP("click to painted (load + lay out + paint)", totale, true);
        rigaP("  handler: load + lay out", comando, false);
        rigaP("  paint and flush", dipinto, false);
        std::printf("peak resident memory after them: %.1f MiB\n",
                    static_cast<double>(l.valori.value("vmhwm_fine_kb")) / 1024.0);
    }
    return 0;
}
