#pragma once
// Line amounts and taxes the way the field client computes them, so that an
// order stored here adds up to the same figures the seller saw on the phone.

#include "service/Ikorvel.h"

#include <cmath>
#include <vector>

namespace korvel::sandbox {

struct TaxOptions {
    bool ivaIncluido = false;      // price columns already hold the taxes
    int iepsSobreIva = 0;          // 0 both on the price, 1 IEPS on price + IVA, 2 IVA on price + IEPS
    bool tasa2IncBaseIva = false;  // the second tax is part of the IVA base
};

// SubTotal, Total_Tasa2, IVA, IEPS and Total of a line from Precio, Cantidad
// and its three rates (Descuento does not enter).
void calcularDetalle(TDetalle& line, const TaxOptions& options);

// A price with taxes taken back to the price before taxes (rates in percent).
double precioSinImpuestos(double precio, double tasaIva, double tasaIeps, double tasa2, const TaxOptions& options);

struct Totals {
    double subTotal = 0;
    double iva = 0;
    double ieps = 0;
    double tasa2 = 0;
    double total = 0;

    void add(const TDetalle& line)
    {
        subTotal += line.SubTotal;
        iva += line.IVA;
        ieps += line.IEPS;
        tasa2 += line.Total_Tasa2;
        total += line.Total;
    }
};

Totals sumLines(const std::vector<TDetalle>& lines);

// Half away from zero, to the cent.
inline double roundToCents(double amount)
{
    return std::round(amount * 100.0) / 100.0;
}

} // namespace korvel::sandbox
