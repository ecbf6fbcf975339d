#pragma once
// The status of one company on one day (TEstatusEmpresa).
//
// Sales: VentasContado / VentasCredito are the day's sales paid at once and
// on account (before or with taxes); Cobrado* split the cash sales by their
// SAT payment form, always with taxes (money received); NC_* are the day's
// credit notes (returns, manual adjustments); Cobranza is what was collected
// on account that day, in pesos, and Cobranza* its split by collection
// method; CtaXCobrar* are the receivables as they stood at the end of the
// day; Mas*Vendido* the ten products sold for most.
//
// Purchases: VentasContado / VentasCredito hold the purchases, CtaXCobrar*
// what is still owed to suppliers for purchases up to that day, Mas*Vendido*
// the ten products bought for most; the other fields are 0.

#include "service/Ikorvel.h"

#include <QDate>

namespace korvel::sandbox {

class Store;

TEstatusEmpresa salesStatus(Store& store, int company, const QDate& day, bool withTaxes);
TEstatusEmpresa purchaseStatus(Store& store, int company, const QDate& day, bool withTaxes);

} // namespace korvel::sandbox
