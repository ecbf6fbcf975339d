#include "server/demo/DemoWriter.h"

#include <cmath>

namespace korvel::sandbox::demo {

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

int DemoContext::nextFolio(int company, const QString& documento)
{
    return ++folios[QString::number(company) + u'/' + documento];
}

// The amounts of an order line as the mobile client computes them (rates in
// percent; IEPS and IVA stacked by OP_IEPS_SOBRE_IVA, Tasa2 in the IVA base
// with TASA2_INC_BASEIVA).
LineTaxes lineTaxes(const DemoCompany& company, double price, double quantity, double iva, double ieps, double tasa2)
{
    LineTaxes t;
    t.subTotal = price * quantity;
    t.tasa2 = tasa2 / 100.0 * t.subTotal;
    t.iva = iva / 100.0 * (company.tasa2IncBase ? t.subTotal + t.tasa2 : t.subTotal);
    switch (company.iepsSobreIva) {
    case 1:
        t.ieps = ieps / 100.0 * (t.subTotal + t.iva);
        break;
    case 2:
        t.ieps = ieps / 100.0 * t.subTotal;
        t.iva = iva / 100.0 * (t.subTotal + t.ieps + (company.tasa2IncBase ? t.tasa2 : 0));
        break;
    default:
        t.ieps = ieps / 100.0 * t.subTotal;
        break;
    }
    t.total = t.subTotal + t.iva + t.ieps + t.tasa2;
    return t;
}

double withTaxes(const DemoCompany& company, double price, double iva, double ieps, double tasa2)
{
    return lineTaxes(company, price, 1, iva, ieps, tasa2).total;
}

} // namespace korvel::sandbox::demo
