// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/accessibilita.h"

#include "windows/controlli.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenuBar>
#include <QPointer>

namespace {

// A picture box: a swatch is a button that can be pressed; any other box
// (the drawing, the chosen colour) is a picture.
class AccessibileRiquadro : public QAccessibleWidget
{
public:
    explicit AccessibileRiquadro(RiquadroImmagine *riquadro)
        : QAccessibleWidget(riquadro)
    {
    }

    QAccessible::Role role() const override
    {
        return riquadro()->premibile() ? QAccessible::Button : QAccessible::Graphic;
    }

    QStringList actionNames() const override
    {
        QStringList nomi = QAccessibleWidget::actionNames();
        if (riquadro()->premibile())
            nomi.prepend(pressAction());
        return nomi;
    }

    void doAction(const QString &azione) override
    {
        if (azione == pressAction() && riquadro()->premibile())
            riquadro()->premi();
        else
            QAccessibleWidget::doAction(azione);
    }

private:
    RiquadroImmagine *riquadro() const { return static_cast<RiquadroImmagine *>(widget()); }
};

// A command on the menu bar, named by its caption without padding spaces.
class AccessibileVoce : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AccessibileVoce(QMenuBar *barra, QAction *azione)
        : m_barra(barra)
        , m_azione(azione)
    {
    }

    bool isValid() const override { return m_barra && m_azione; }
    QObject *object() const override { return m_azione; }
    QWindow *window() const override { return m_barra ? m_barra->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_barra.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !m_azione)
            return {};
        QString nome = m_azione->text();
        nome.remove(u'&');
        return nome.trimmed();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_barra->actionGeometry(m_azione);
        return {m_barra->mapToGlobal(r.topLeft()), r.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.disabled = !m_azione || !m_azione->isEnabled();
        s.invisible = !m_barra || !m_barra->isVisible();
        s.focused = m_barra && m_barra->activeAction() == m_azione;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType tipo) override
    {
        return tipo == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    void doAction(const QString &azione) override
    {
        // Run from the event loop, not inside the assistive technology's
        // call: the command may open a modal box.
        if (azione == pressAction() && m_azione)
            QMetaObject::invokeMethod(m_azione.data(), &QAction::trigger, Qt::QueuedConnection);
    }

private:
    QPointer<QMenuBar> m_barra;
    QPointer<QAction> m_azione;
};

QAccessibleInterface *fabbrica(const QString &classe, QObject *oggetto)
{
    if (classe == QLatin1String("RiquadroImmagine"))
        return new AccessibileRiquadro(static_cast<RiquadroImmagine *>(oggetto));
    // A message for screen readers; the start window, a frame as the game
    // window is.
    if (classe == QLatin1String("Annuncio"))
        return new QAccessibleWidget(static_cast<QWidget *>(oggetto), QAccessible::Notification);
    if (classe == QLatin1String("FormAvvio"))
        return new QAccessibleWidget(static_cast<QWidget *>(oggetto), QAccessible::Window);
    if (classe == QLatin1String("QAction")) {
        auto *azione = static_cast<QAction *>(oggetto);
        if (auto *barra = qobject_cast<QMenuBar *>(azione->parent()))
            return new AccessibileVoce(barra, azione);
    }
    return nullptr;
}

} // namespace

namespace accessibilita {

void installa()
{
    static const bool installata = [] {
        QAccessible::installFactory(fabbrica);
        return true;
    }();
    (void)installata;
}

} // namespace accessibilita
