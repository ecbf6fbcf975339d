#include "server/orders/OrderMath.h"

namespace korvel::sandbox {
namespace {

double factor(double rate)
{
    return (rate + 100.0) / 100.0 - 1.0;
}

} // namespace

void calcularDetalle(TDetalle& line, const TaxOptions& options)
{
    line.SubTotal = line.Precio * line.Cantidad;
    line.Total_Tasa2 = factor(line.TasaTasa2) * line.SubTotal;
    line.IVA = options.tasa2IncBaseIva ? factor(line.TasaIVA) * (line.SubTotal + line.Total_Tasa2)
                                       : factor(line.TasaIVA) * line.SubTotal;
    switch (options.iepsSobreIva) {
    case 0:
        line.IEPS = factor(line.TasaIEPS) * line.SubTotal;
        break;
    case 1:
        line.IEPS = factor(line.TasaIEPS) * (line.SubTotal + line.IVA);
        break;
    case 2:
        line.IEPS = factor(line.TasaIEPS) * line.SubTotal;
        line.IVA = options.tasa2IncBaseIva ? factor(line.TasaIVA) * (line.SubTotal + line.IEPS + line.Total_Tasa2)
                                           : factor(line.TasaIVA) * (line.SubTotal + line.IEPS);
        break;
    default:
        break;
    }
    line.Total = line.SubTotal + line.IVA + line.IEPS + line.Total_Tasa2;
}

double precioSinImpuestos(double g, double iva, double ieps, double tasa2, const TaxOptions& options)
{
    const int option = options.iepsSobreIva;
    const double start = g / (100 + iva) * 100;
    if (ieps > 0 && tasa2 <= 0) {
        switch (option) {
        case 0: return g / (100 + iva + ieps) * 100;
        case 1: return g / (100 + iva) * 100 / ((100 + ieps) / 100);
        case 2: return g / (100 + ieps) * 100 / ((100 + iva) / 100);
        default: return start;
        }
    }
    if (ieps <= 0 && tasa2 > 0) {
        return options.tasa2IncBaseIva ? g / (100 + iva) * 100 / ((100 + tasa2) / 100)
                                       : g / (100 + iva + tasa2) * 100;
    }
    if (ieps > 0 && tasa2 > 0) {
        if (option == 0)
            return g / (100 + iva + ieps + tasa2) * 100;
        if (option == 1 || option == 2) {
            if (options.tasa2IncBaseIva)
                return g / (100 + iva) * 100 / ((100 + ieps + tasa2) / 100);
            return option == 1 ? g / (100 + iva) * 100 / ((100 + ieps) / 100)
                               : g / (100 + ieps) * 100 / ((100 + iva) / 100);
        }
        return start;
    }
    return start;
}

Totals sumLines(const std::vector<TDetalle>& lines)
{
    Totals t;
    for (const TDetalle& line : lines)
        t.add(line);
    return t;
}

} // namespace korvel::sandbox
