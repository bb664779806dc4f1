// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the game's start-up: a minimal Qt 6 Widgets program of
// the same shape, with nothing of its own. A first window with a label and a
// button; its button opens a main window with a menu bar and 85 plain
// widgets (QWidget, QLabel, QPushButton, QFrame) where the game's layout
// table puts them, one for each of the game window's: a background holding
// the layout's area, on it a white picture area with 20 buttons and 9
// labels, a label, a hidden frame with 49 small frames, a hidden button. The
// texts are the game's, in the game's fonts; default style, no translation,
// no pictures loaded from files. Timed and
// reported exactly as avvio_gioco is.

#include "misura.h"

#include "windows/layout.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

using misura::adesso;
using misura::stampa;

namespace {

namespace L = layout::brindel;

// The fonts the game's texts are shown in, by their real names.
QFont carattere(const char *famiglia, int pixel)
{
    QFont f(QString::fromLatin1(famiglia));
    f.setPixelSize(pixel);
    f.setBold(true);
    return f;
}

QFont comic(const layout::Carattere &c) { return carattere("Comic Neue", c.pixel); }
QFont sans(const layout::Carattere &c) { return carattere("Liberation Sans", c.pixel); }

void colloca(QWidget *w, const layout::Rettangolo &r) { w->setGeometry(r.left, r.top, r.width, r.height); }

QMainWindow *creaSeconda(QWidget **area)
{
    auto *w = new QMainWindow;
    w->menuBar()->addAction(QString::fromLatin1(L::MenuInformazioni));
    w->menuBar()->addAction(QString::fromLatin1(L::MenuEsci));
    auto *fondo = new QWidget(w);
    fondo->setMinimumSize(L::LarghezzaInterna, L::AltezzaInterna);
    w->setCentralWidget(fondo);
    auto *interno = new QWidget(fondo);
    interno->setGeometry(0, 0, L::LarghezzaInterna, L::AltezzaInterna);

    auto *cornice = new QFrame(interno);
    cornice->setFrameStyle(QFrame::Box | QFrame::Plain);
    colloca(cornice, L::Cornice);
    for (int i = 0; i < 48; ++i) {
        auto *campione = new QFrame(cornice);
        campione->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        campione->setGeometry(24 * (i % 6), 8 + 24 * (i / 6), 25, 25);
    }
    auto *scelto = new QFrame(cornice);
    scelto->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    colloca(scelto, L::RiquadroScelto);
    cornice->hide();

    auto *figura = new QLabel(interno);
    figura->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    colloca(figura, L::RiquadroDisegno);
    QImage bianca(L::RiquadroDisegno.width - 4, L::RiquadroDisegno.height - 4, QImage::Format_RGB32);
    bianca.fill(Qt::white);
    figura->setPixmap(QPixmap::fromImage(bianca));
    for (int c = 0; c < 4; ++c) {
        auto *l = new QLabel(QString::number(c + 1), figura);
        l->setFont(sans(layout::SansGriglia));
        colloca(l, L::EtichetteColonne[c]);
    }
    for (int r = 0; r < 5; ++r) {
        auto *l = new QLabel(QStringLiteral("  %1").arg(QChar(u'A' + r)), figura);
        l->setFont(sans(layout::SansGriglia));
        colloca(l, L::EtichetteRighe[r]);
    }
    for (int i = 0; i < 20; ++i)
        (new QPushButton(figura))->setGeometry(18 + 72 * (i % 4), 26 + 80 * (i / 4), 73, 81);

    auto *avanti = new QPushButton(QString::fromLatin1(L::DidascaliaAvanti), interno);
    avanti->setFont(sans(layout::ArialAvanti));
    colloca(avanti, L::Avanti);
    avanti->hide();
    auto *cella = new QLabel(QStringLiteral("  A1"), interno);
    cella->setFont(sans(layout::ArialCoordinata));
    colloca(cella, L::NomeCella);

    *area = figura;
    return w;
}

} // namespace

int main(int argc, char **argv)
{
    const long long tMain = adesso();
    misura::Applicazione app(argc, argv);
    const long long tApplicazione = adesso();

    auto prima = std::make_unique<QWidget>();
    prima->setFixedSize(layout::avvio::LarghezzaInterna, layout::avvio::AltezzaInterna);
    auto *titolo = new QLabel(QString::fromUtf8(layout::Titolo), prima.get());
    titolo->setFont(comic(layout::ComicTitolo));
    colloca(titolo, layout::avvio::EtichettaTitolo);
    titolo->setWordWrap(true);
    auto *bottone = new QPushButton(QStringLiteral("Avvio"), prima.get());
    bottone->setFont(comic(layout::ComicBottone));
    colloca(bottone, layout::avvio::BottoneAvvio);
    std::unique_ptr<QMainWindow> seconda;
    QWidget *area = nullptr;
    long long tAvvio = 0, tClic = 0, tClicFatto = 0, tSeconda = 0;
    QObject::connect(bottone, &QPushButton::clicked, [&] {
        seconda.reset(creaSeconda(&area));
        seconda->show();
        prima->setAttribute(Qt::WA_DeleteOnClose);
        prima->close();
        prima.release();
    });
    prima->show();
    const long long tMostrata = adesso();
    QWidget *primaFinestra = prima.get();

    app.dipinti = [&](const QSet<QWidget *> &dipinti, long long) {
        if (tAvvio == 0) {
            if (!dipinti.contains(primaFinestra))
                return;
            misura::andataRitornoX();
            tAvvio = adesso();
            QTimer::singleShot(0, [&] {
                tClic = adesso();
                bottone->click();
                tClicFatto = adesso();
            });
            return;
        }
        if (tSeconda != 0 || !seconda || !dipinti.contains(seconda.get()) || !dipinti.contains(area))
            return;
        misura::andataRitornoX();
        tSeconda = adesso();
        stampa("main", tMain);
        stampa("applicazione", tApplicazione);
        stampa("preparata", tApplicazione);
        stampa("mostrata", tMostrata);
        stampa("avvio", tAvvio);
        stampa("clic", tClic);
        stampa("clic_fatto", tClicFatto);
        stampa("gioco", tSeconda);
        stampa("vmhwm_kb", misura::piccoMemoria());
        stampa("widget", misura::widget(seconda.get()));
        std::fflush(stdout);
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    };
    return app.exec();
}
