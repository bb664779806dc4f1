#pragma once
// Fonts, pictures and back colours shared by the windows.

#include "platform/colore.h"
#include "windows/layout.h"

#include <QFont>
#include <QIcon>

class QWidget;

namespace aspetto {

QFont carattere(const layout::Carattere &c);
// One of the pictures compiled into the program, by file name.
QIcon immagine(const char *nome);
void impostaSfondo(QWidget *w, Colore colore);
// Places a control as its layout table gives it.
void colloca(QWidget *w, const layout::Rettangolo &r);
// Maps the fonts the layout names to the free fonts the game installs.
void registraSostituzioni();

} // namespace aspetto
