#include "windows/aspetto.h"

#include <QWidget>

namespace aspetto {

QFont carattere(const layout::Carattere &c)
{
    QFont f(QString::fromLatin1(c.famiglia));
    f.setPixelSize(c.pixel);
    f.setBold(true);
    return f;
}

QIcon immagine(const char *nome)
{
    return QIcon(QStringLiteral(":/immagini/") + QLatin1String(nome));
}

void impostaSfondo(QWidget *w, Colore colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colore::aQColor(colore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void colloca(QWidget *w, const layout::Rettangolo &r)
{
    w->setGeometry(r.left, r.top, r.width, r.height);
}

void registraSostituzioni()
{
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace aspetto
