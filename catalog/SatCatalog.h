#pragma once
// Texts of the tax-authority (SAT) codes printed on order and invoice tickets.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

namespace korvel {

// One code of a SAT catalogue and its readable text.
struct CatalogEntry {
    QStringView code;
    QStringView text;
};

// Payment form ("forma de pago"): "03" -> "03 - Transferencia electrónica de fondos".
QString paymentFormText(const QString &code);
// Payment method ("método de pago"): "PUE"/"PPD" -> their texts; anything else unchanged.
QString paymentMethodText(const QString &code);
// Issuer's tax regime ("régimen fiscal"): "601" -> "601 - General de Ley Personas Morales".
QString taxRegimeText(const QString &code);
// Receiver's invoice use ("uso del CFDI"): "G01" -> "G01 - Adquisición de mercancias".
QString invoiceUseText(const QString &code);

// The catalogues in table order (codes with their bare texts), for pickers.
std::span<const CatalogEntry> paymentForms();
std::span<const CatalogEntry> paymentMethods();
std::span<const CatalogEntry> taxRegimes();
std::span<const CatalogEntry> invoiceUses();

// The codes of a catalogue, in table order.
QStringList catalogCodes(std::span<const CatalogEntry> catalogue);

} // namespace korvel
