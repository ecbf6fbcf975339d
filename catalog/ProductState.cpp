#include "catalog/ProductState.h"

#include <QStringView>

#include <iterator>

namespace korvel {
namespace {

constexpr QStringView kStateTexts[] = {
    u"Vigente",
    u"Descontinuado",
    u"Bloqueado",
    u"Nuevo",
};

} // namespace

QString productStateText(int state, const QString &current)
{
    if (state < 0 || state >= int(std::size(kStateTexts)))
        return current;
    return kStateTexts[state].toString();
}

} // namespace korvel
