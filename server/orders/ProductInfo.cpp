#include "server/orders/ProductInfo.h"

#include "server/Store.h"

#include <cmath>

namespace korvel::sandbox {

int ProductInfo::levelOf(int nuMedida, double factor) const
{
    for (int k = 0; k < 5; ++k) {
        if (nuUnidad[k] == nuMedida && nuMedida != 0 && std::fabs(uxc[k] - factor) < 1e-9)
            return k + 1;
    }
    for (int k = 1; k < 5; ++k) {
        if (!unidad[k].isEmpty() && std::fabs(uxc[k] - factor) < 1e-9 && factor != 1)
            return k + 1;
    }
    return 1;
}

double ProductInfo::precioXLetra(const QString& letter) const
{
    if (letter.size() != 1)
        return 0;
    const char16_t c = letter.at(0).unicode();
    if (c < u'A' || c > u'T')
        return 0;
    return precio[c - u'A'];
}

std::optional<ProductInfo> loadProduct(Store& store, const QString& id)
{
    QString columns = QStringLiteral(
        "ID, Descripcion, ClaveProdServ, NuEstado, NuMoneda, Costo, TasaIVA, TasaIEPS, Tasa2,"
        " NuUnidadMedida, NuUnidadMedida2, NuUnidadMedida3, NuUnidadMedida4, NuUnidadMedida5,"
        " Unidad, Unidad2, Unidad3, Unidad4, Unidad5, UXC2, UXC3, UXC4, UXC5,"
        " Barcode1, Barcode2, Barcode3, Barcode4, Barcode5");
    for (int i = 1; i <= 20; ++i)
        columns += QStringLiteral(", Precio%1").arg(i, 2, 10, QLatin1Char('0'));
    QSqlQuery q = store.exec(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM productos WHERE ID = ?"),
                             {id.trimmed()});
    if (!q.next())
        return std::nullopt;
    ProductInfo p;
    p.id = q.value(0).toString();
    p.descripcion = q.value(1).toString();
    p.claveProdServ = q.value(2).toString();
    p.nuEstado = q.value(3).toInt();
    p.nuMoneda = q.value(4).toInt();
    p.costo = q.value(5).toDouble();
    p.tasaIva = q.value(6).toDouble();
    p.tasaIeps = q.value(7).toDouble();
    p.tasa2 = q.value(8).toDouble();
    for (int k = 0; k < 5; ++k) {
        p.nuUnidad[k] = q.value(9 + k).toInt();
        p.unidad[k] = q.value(14 + k).toString();
        p.barcode[k] = q.value(23 + k).toString();
    }
    for (int k = 1; k < 5; ++k)
        p.uxc[k] = q.value(18 + k).toDouble();
    for (int i = 0; i < 20; ++i)
        p.precio[i] = q.value(28 + i).toDouble();
    return p;
}

QString claveUnidad(Store& store, int nuUnidadMedida)
{
    const QString key = store.scalar(QStringLiteral("SELECT ClaveUnidad FROM unidades WHERE NuUnidadMedida = ?"),
                                     {nuUnidadMedida}).toString();
    return key.isEmpty() ? QStringLiteral("H87") : key;
}

} // namespace korvel::sandbox
