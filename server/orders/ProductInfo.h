#pragma once
// What the order code reads of a catalogue product: its units, barcodes,
// price columns and keys.

#include <QString>

#include <optional>

namespace korvel::sandbox {

class Store;

struct ProductInfo {
    QString id;
    QString descripcion;
    QString claveProdServ;
    int nuEstado = 0;            // 0 Vigente, 1 Descontinuado, 2 Bloqueado, 3 Nuevo
    int nuMoneda = 1;
    int nuUnidad[5] = {};        // unit numbers of units 1..5
    QString unidad[5];           // unit names
    double uxc[5] = {1, 1, 1, 1, 1};  // base units per unit (unit 1 is 1)
    QString barcode[5];
    double precio[20] = {};      // Precio01..Precio20, per base unit
    double costo = 0;
    double tasaIva = 0;
    double tasaIeps = 0;
    double tasa2 = 0;

    // Unit level 1..5 of a line sold in unit number `nuMedida` with `factor`
    // base units: the level whose number and factor match, else the level
    // with that factor, else 1.
    int levelOf(int nuMedida, double factor) const;
    // Price column of a letter "A".."T" (0 for any other text).
    double precioXLetra(const QString& letter) const;
};

std::optional<ProductInfo> loadProduct(Store& store, const QString& id);

// SAT unit key of a unit number ("H87" when unknown).
QString claveUnidad(Store& store, int nuUnidadMedida);

} // namespace korvel::sandbox
