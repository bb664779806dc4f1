// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game window's menu commands: the About box, and the question before
// the program ends.

#include "windows/messaggi.h"

#include <QString>

class QWidget;

namespace menu {

// The About text: the author, a line, the site and the address.
QString testoInformazioni();
// The About box and the exit question, in `box`, over the window `sopra`;
// "Sì" to the question ends the program.
void MostraInformazioni(messaggi::Box &box, QWidget *sopra);
void ChiediUscita(messaggi::Box &box, QWidget *sopra);

} // namespace menu
