// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes small GIF files for tests: Qt reads GIF but cannot write it.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace prova {

// A GIF of the image's pixels in up to four colours (black, white, red,
// green); other colours come out black.
QByteArray gif(const QImage &immagine);

// A white w x h drawing with a black frame and a black cross, as GIF.
QByteArray disegnoGif(int larghezza, int altezza);

// A black 320 x 466 drawing with a white pixel at every fourth column and
// row from (1, 1), as GIF: one-pixel areas to press at every place.
QByteArray puntiniGif();

// Writes twelve drawings of the given sizes into <cartella>/brindel/.
void scriviDisegni(const QString &cartella, int larghezza = 320, int altezza = 466);
// Writes the given GIF as all twelve drawings into <cartella>/brindel/.
void scriviDisegni(const QString &cartella, const QByteArray &contenuto);

void scriviFile(const QString &percorso, const QByteArray &contenuto);

} // namespace prova
