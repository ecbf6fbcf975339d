#pragma once
// The payment methods of a collection (the one-letter codes the collections
// screen sends as NUMETODOPAGOCOB) and the SAT payment form each one maps to.

#include <QString>

#include <optional>

namespace korvel::sandbox {

enum class CollectionMethod {
    Efectivo,       // "F"
    Cheque,         // "T"
    TarjetaCredito, // "J"
    TarjetaDebito,  // "D"
    Transferencia,  // "R"
    Vales,          // "V"
    Monedero,       // "M"
    Dinero,         // "E" dinero electrónico
    Condonacion,    // "C"
    PorDefinir,     // "" (the collector chose no form)
};

// The method of a code (trimmed, upper case accepted); nothing for an unknown code.
std::optional<CollectionMethod> collectionMethod(const QString& code);
QString collectionMethodCode(CollectionMethod method);
// "Efectivo", "Cheque Nominativo"...
QString collectionMethodName(CollectionMethod method);
// SAT payment form of the receipt: "01", "02"...; "99" por definir.
QString satPaymentForm(CollectionMethod method);
// Spanish description of a SAT payment form code ("01" -> "Efectivo"); the code itself when unknown.
QString satPaymentFormName(const QString& code);

} // namespace korvel::sandbox
