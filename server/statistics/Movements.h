#pragma once
// The lines every statistics view adds up: sale lines (cancelled sales left
// out) or purchase lines, each with its amount in pesos rounded to cents,
// before taxes and with taxes. All views of a period add the same lines, so
// a branch is the sum of its categories, a year the sum of its weeks or of
// its months, to the cent.

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QTime>

namespace korvel::sandbox {

class Store;

enum class Flow { Sales, Purchases };

struct MovementLine {
    int company = 0;
    int almacen = 0;
    QDate date;
    QTime time;
    int category = 0;
    QString product;
    QString descripcion;
    qint64 netCents = 0;    // before taxes, pesos
    qint64 grossCents = 0;  // with taxes, pesos
    bool credit = false;
    double baseUnits = 0;   // quantity in the product's base unit
    QString formaPago;      // SAT payment form of the sale
    int document = 0;       // FolioVenta or NuCompra

    qint64 amount(bool withTaxes) const { return withTaxes ? grossCents : netCents; }
};

struct MovementFilter {
    QDate from;             // first day
    QDate to;               // last day, included
    int company = -1;       // -1: every company
    int almacen = -1;       // -1: every warehouse
    QString product;        // empty: every product
};

QList<MovementLine> movementLines(Store& store, Flow flow, const MovementFilter& filter);

// Category names by number; unknown numbers read "Sin categoría".
QHash<int, QString> categoryNames(Store& store);
QString categoryName(const QHash<int, QString>& names, int category);

} // namespace korvel::sandbox
