// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watching what the platform hands a top-level widget's window, before Qt
// passes it on to the controls.

#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

// Follows a top-level widget's platform window, which is made when the
// widget is first shown and made anew when the widget is re-created, and
// hands each event that reaches that window to sullaFinestra(). Owned by
// the widget.
class FiltroFinestra : public QObject
{
public:
    explicit FiltroFinestra(QWidget *finestra);

protected:
    QWidget *finestra() const { return m_finestra; }
    QWindow *finestraQt() const;
    // true: the event stops here.
    virtual bool sullaFinestra(QEvent *evento) = 0;

private:
    bool eventFilter(QObject *oggetto, QEvent *evento) final;
    void aggancia();

    QWidget *m_finestra = nullptr;
    QPointer<QWindow> m_finestraQt;
};
