// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What screen readers are to say when nothing takes the focus: a control
// that shows nothing and takes no input, which assistive technologies see
// as a notification appearing anew with each message (Orca speaks a
// notification as it appears; it leaves a label's change unsaid).

#include <QString>
#include <QWidget>

class Annuncio : public QWidget
{
    Q_OBJECT
public:
    explicit Annuncio(QWidget *genitore);

    // Says testo: at once when its window is active, else as soon as it
    // is, after what the window's activation itself has to say.
    void annuncia(const QString &testo);
    // Nothing more to say: the last message goes.
    void taci();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void mostra();

    bool m_inSospeso = false;
};
