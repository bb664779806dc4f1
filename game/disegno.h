#pragma once
// Reading a drawing file into the picture box's surface.

#include <QImage>
#include <QString>

namespace disegno {

// The drawing as a 32-bit RGB surface. Throws ErroreEsecuzione, naming the
// file, when it is missing, empty, not a GIF, damaged or too large to hold.
QImage carica(const QString &percorso);

} // namespace disegno
