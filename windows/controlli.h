// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kinds of control the windows are made of, drawn by us so that they
// look the same on every desktop: a button painted in its own colour with a
// bevel, a picture box with a sunken border, and a label that lays its text
// out in centred lines broken at spaces (impaginazione.h).

#include "colouring/superficie.h"
#include "platform/colore.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <optional>

class PulsanteGrafico : public QAbstractButton
{
    Q_OBJECT
public:
    explicit PulsanteGrafico(QWidget *genitore = nullptr);

    // The button's own colour, painted on its face; none shows the
    // desktop's button face.
    void setColoreProprio(std::optional<Colore> colore);
    std::optional<Colore> coloreProprio() const { return m_colore; }
    // The picture stands above the caption.
    void setImmagine(const QIcon &immagine);

protected:
    void paintEvent(QPaintEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void mouseDoubleClickEvent(QMouseEvent *evento) override;

private:
    std::optional<Colore> m_colore;
    QIcon m_immagine;
};

// A label: its caption laid out by impaginaTesto from the top edge down,
// whatever falls below the bottom edge cut off. It takes every press for
// itself, so a press on a label never reaches the control beneath it.
class Etichetta : public QLabel
{
    Q_OBJECT
public:
    explicit Etichetta(const QString &testo, QWidget *genitore = nullptr);

signals:
    // A press of the left button (or a touch); a double click is one press.
    void premuta();

protected:
    void paintEvent(QPaintEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void mouseDoubleClickEvent(QMouseEvent *evento) override;
};

// A picture box: a 2-pixel sunken border around an inner area that shows the
// picture (a 32-bit surface that fills paint on) on its back colour. Child
// controls are placed from the inner corner and clipped to the inner area.
// Its focus mark lies over the border and stands above those controls.
class RiquadroImmagine : public QWidget
{
    Q_OBJECT
public:
    explicit RiquadroImmagine(QWidget *genitore = nullptr);

    // The inner area, inside the border, in the box's own coordinates: the
    // box less a border of 2 pixels at 96 dpi, round(2 s) at factor s.
    QRect areaInterna() const;

    // A box that a click chooses something with (a swatch): a button to
    // assistive technologies, which can press it.
    void setPremibile(bool premibile) { m_premibile = premibile; }
    bool premibile() const { return m_premibile; }
    void premi() { emit click(); }

    // The keyboard's cursor: a cross-hair on a pixel of the picture, shown
    // while the box has the focus and the keyboard is in use. The arrows
    // move it, and Space or Enter press the box there as the mouse would.
    // None (as boxes start): those keys do nothing of the sort.
    void setCursore(std::optional<QPoint> pixel);
    std::optional<QPoint> cursore() const { return m_cursore; }

    // Shows a picture (a drawing just loaded): the box takes the picture's
    // size plus its border.
    void mostraImmagine(const QImage &immagine);
    // The same for a picture file that is decoded only when first needed
    // (shown, read or filled): the box takes its size from the file's header.
    void mostraImmagineDifferita(const QString &file);
    const QImage &superficie() const { return superficieCaricata().immagine; }
    // The picture as the surface that fills paint on.
    superficie::Superficie &superficieDaRiempire() { return superficieCaricata(); }
    // Colour of a pixel of the inner area as shown (surface or back colour).
    Colore colorePixel(int x, int y) const;
    // Repaints part of the picture at once, given in its own pixels.
    void ridisegna(const QRect &rettangolo);
    // The picture's pixel shown under the pointer, given where the pointer
    // is in the window (dispositivo::nellaFinestra); none off the inner area.
    std::optional<QPoint> pixelSotto(QPointF scena) const;

    // The box's own colour, behind its picture; none shows the desktop's
    // button face.
    void setColoreProprio(std::optional<Colore> colore);
    std::optional<Colore> coloreProprio() const { return m_colore; }
    // The colour shown behind the picture: its own, or the button face.
    Colore coloreMostrato() const;

signals:
    // A press anywhere on the inner area (of any mouse button, or Space or
    // Enter on the keyboard's cursor), at the picture's pixel.
    void premuto(Qt::MouseButton pulsante, Qt::KeyboardModifiers maiuscole, int x, int y);
    // A press and release on the box, or Space while it has the focus.
    void click();

protected:
    void paintEvent(QPaintEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void focusInEvent(QFocusEvent *evento) override;
    void focusOutEvent(QFocusEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void mouseDoubleClickEvent(QMouseEvent *evento) override;
    void mouseReleaseEvent(QMouseEvent *evento) override;
    bool event(QEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void prendiMisura(QSize lato);
    // Masks the part of a child that reaches past the inner area.
    void ritaglia(QWidget *figlio) const;
    // Paints zona of the inner area interna, both in the box's device
    // pixels, the picture grown by k; origine is where the box's first
    // device pixel is on the painter's device.
    void dipingiInterno(QPainter &p, const QRect &interna, const QRect &zona, double k, QPoint origine);
    // The cursor's cross-hair in the inner area interna (device pixels).
    void dipingiCursore(QPainter &p, const QRect &interna, double k) const;
    // Where the cursor is drawn, in the box's own coordinates.
    QRect zonaCursore() const;
    // The focus mark and the cursor shown or taken away as the focus and
    // the keyboard are.
    void aggiornaFuoco();

    superficie::Superficie &superficieCaricata() const;

    mutable superficie::Superficie m_superficie;
    mutable QString m_differita;
    std::optional<Colore> m_colore;
    bool m_premuto = false;
    bool m_premibile = false;
    std::optional<QPoint> m_cursore;
    QWidget *m_anello = nullptr;
    // When the box was last pressed, if ever.
    std::optional<quint64> m_ultimaPressione;
};
