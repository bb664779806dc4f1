#include "colouring/tavolozza.h"

namespace tavolozza {

QColor coloreQt(int indice)
{
    return colore::aQColor(Tavolozza.at(static_cast<std::size_t>(indice)));
}

} // namespace tavolozza
