#include "shell/modulo1.h"
#include "windows/messaggi.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Modulo1::preparaApplicazione(app);
    Programma programma;
    programma.Main();
    const int codice = app.exec();
    return messaggi::terminato() ? messaggi::codiceUscita() : codice;
}
