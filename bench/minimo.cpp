// The yardstick for the game's start-up: a minimal Qt 6 Widgets program of
// the same shape, with nothing of its own. A first window with a label and a
// button; its button opens a main window with a menu bar and 85 plain
// widgets (QWidget, QLabel, QPushButton, QFrame) at fixed places, one for
// each of the game window's: a background holding the layout's area, on it
// a white picture area with 20 buttons and 9 labels, a label, a hidden frame
// with 49 small frames, a hidden button. Default style,
// default font, no translation, no pictures loaded from files. Timed and
// reported exactly as avvio_gioco is.

#include "misura.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

using misura::adesso;
using misura::stampa;

namespace {

QMainWindow *creaSeconda(QWidget **area)
{
    auto *w = new QMainWindow;
    w->menuBar()->addAction(QStringLiteral("Informazioni"));
    w->menuBar()->addAction(QStringLiteral("Esci"));
    auto *fondo = new QWidget(w);
    fondo->setMinimumSize(687, 513);
    w->setCentralWidget(fondo);
    auto *interno = new QWidget(fondo);
    interno->setGeometry(0, 0, 687, 513);

    auto *cornice = new QFrame(interno);
    cornice->setFrameStyle(QFrame::Box | QFrame::Plain);
    cornice->setGeometry(464, 112, 145, 233);
    for (int i = 0; i < 48; ++i) {
        auto *campione = new QFrame(cornice);
        campione->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        campione->setGeometry(24 * (i % 6), 8 + 24 * (i / 6), 25, 25);
    }
    auto *scelto = new QFrame(cornice);
    scelto->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    scelto->setGeometry(0, 200, 145, 33);
    cornice->hide();

    auto *figura = new QLabel(interno);
    figura->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    figura->setGeometry(8, 0, 324, 470);
    QImage bianca(320, 466, QImage::Format_RGB32);
    bianca.fill(Qt::white);
    figura->setPixmap(QPixmap::fromImage(bianca));
    for (int c = 0; c < 4; ++c)
        (new QLabel(QString::number(c + 1), figura))->setGeometry(18 + 72 * c, 2, 72, 25);
    for (int r = 0; r < 5; ++r)
        (new QLabel(QStringLiteral("  %1").arg(QChar(u'A' + r)), figura))->setGeometry(2, 26 + 80 * r, 17, 81);
    for (int i = 0; i < 20; ++i)
        (new QPushButton(figura))->setGeometry(18 + 72 * (i % 4), 26 + 80 * (i / 4), 73, 81);

    auto *avanti = new QPushButton(QStringLiteral("avanti"), interno);
    avanti->setGeometry(464, 376, 129, 65);
    avanti->hide();
    auto *cella = new QLabel(QStringLiteral("A1"), interno);
    cella->setGeometry(496, 24, 113, 81);

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
    prima->setFixedSize(702, 605);
    auto *titolo = new QLabel(QStringLiteral("Tintar i Brindel"), prima.get());
    titolo->setGeometry(32, 24, 640, 400);
    titolo->setWordWrap(true);
    auto *bottone = new QPushButton(QStringLiteral("Avvio"), prima.get());
    bottone->setGeometry(248, 440, 209, 137);
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
