// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the start-up benchmark's two programs (the game's start-up and the
// minimal Qt program) share: the clock, the peak resident memory, and an
// application that says when a window has been painted and flushed.

#include <QApplication>
#include <QGuiApplication>
#include <QSet>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>

namespace misura {

// CLOCK_MONOTONIC in ns: the same clock in the driver and in the programs it
// launches, so the driver subtracts the moment it spawned them.
inline long long adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Peak resident set size so far, in kB (VmHWM of /proc/self/status).
inline long piccoMemoria()
{
    long kb = -1;
    if (std::FILE *f = std::fopen("/proc/self/status", "r")) {
        char riga[256];
        while (std::fgets(riga, sizeof riga, f))
            if (std::strncmp(riga, "VmHWM:", 6) == 0)
                kb = std::strtol(riga + 6, nullptr, 10);
        std::fclose(f);
    }
    return kb;
}

// Waits until the X server has handled every request sent so far (the
// backing store's image among them). Nothing to do off X.
inline void andataRitornoX()
{
    if (auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t *c = x11->connection();
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
}

// A QApplication that watches paint events. When an event dispatched from
// the event loop returns after some widgets were painted inside it (a
// backing-store sync: the paint events, then the flush to the window), it
// calls dipinti with those widgets and the moment the dispatch began.
class Applicazione : public QApplication
{
public:
    using QApplication::QApplication;

    std::function<void(const QSet<QWidget *> &dipinti, long long inizio)> dipinti;

    bool notify(QObject *destinatario, QEvent *evento) override
    {
        if (m_profondita == 0)
            m_inizio = adesso();
        if (evento->type() == QEvent::Paint && destinatario->isWidgetType())
            m_dipinti.insert(static_cast<QWidget *>(destinatario));
        ++m_profondita;
        const bool esito = QApplication::notify(destinatario, evento);
        --m_profondita;
        if (m_profondita == 0 && !m_dipinti.isEmpty()) {
            const QSet<QWidget *> dipinti_ = std::exchange(m_dipinti, {});
            if (dipinti)
                dipinti(dipinti_, m_inizio);
        }
        return esito;
    }

private:
    int m_profondita = 0;
    long long m_inizio = 0;
    QSet<QWidget *> m_dipinti;
};

// How many widgets a window is made of, itself included.
inline long long widget(const QWidget *finestra)
{
    return finestra ? finestra->findChildren<QWidget *>().size() + 1 : 0;
}

// One "key value..." line for the driver.
inline void stampa(const char *chiave, long long valore)
{
    std::printf("%s %lld\n", chiave, valore);
}

} // namespace misura
