// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture grown by a factor k (a window larger than its layout, a screen
// of a device-pixel ratio above 1), smoothed bilinearly, painted into its
// window.
//
// It writes into the window's own image. The window keeps what it shows
// (its backing store, a 32-bit image on the raster platforms), and Qt asks
// a control to paint only what changed; the view pixels of that part are
// made straight into that image, within the region Qt lets the control
// paint, so each is written once. Making a grown view of our own and
// drawing it wrote each three times (the view, then read and written again
// by the blit). On a 3840 x 2160 screen this, with the horizontal mixes of
// a row kept for the rows after it (see ingrandimento.cpp), took the
// repaint after a press on the largest area of each drawing from medians
// of 1.4 - 2.5 ms to 0.7 - 1.2 ms: bench_ingrandita, bench/README.md. A
// painter on anything else (a QPicture, a pixmap, a transformed painter)
// gets a piece made and drawn the ordinary way, the same pixels.

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace ingrandimento {

// Paints `zona` of the view of `immagine` grown by k: view pixel v shows the
// picture at (v + 0.5) / k - 0.5, mixed from the four pixels around it. The
// view stands at `angolo` in the painter's coordinates, which are device
// pixels with (0, 0) at `origine` on the painter's device (as
// dispositivo::Pittura sets them). Each view pixel depends only on where it
// stands, so a part painted again matches the whole view painted at once.
void disegna(QPainter &p, const QImage &immagine, const QRect &zona, double k, QPoint angolo, QPoint origine);

} // namespace ingrandimento
