#include "server/collections/PaymentForms.h"

namespace korvel::sandbox {
namespace {

struct MethodRow {
    CollectionMethod method;
    const char* code;
    const char* name;
    const char* sat;
};

const MethodRow kMethods[] = {
    {CollectionMethod::Efectivo, "F", "Efectivo", "01"},
    {CollectionMethod::Cheque, "T", "Cheque Nominativo", "02"},
    {CollectionMethod::TarjetaCredito, "J", "Tarjeta Crédito", "04"},
    {CollectionMethod::TarjetaDebito, "D", "Tarjeta Debito", "28"},
    {CollectionMethod::Transferencia, "R", "Transferencia Electrónica", "03"},
    {CollectionMethod::Vales, "V", "Vales de Despensa", "08"},
    {CollectionMethod::Monedero, "M", "Monedero Electrónico", "05"},
    {CollectionMethod::Dinero, "E", "Dinero Electrónico", "06"},
    {CollectionMethod::Condonacion, "C", "Condonación", "15"},
    {CollectionMethod::PorDefinir, "", "Por definir", "99"},
};

const MethodRow& row(CollectionMethod method)
{
    for (const MethodRow& r : kMethods)
        if (r.method == method)
            return r;
    return kMethods[std::size(kMethods) - 1];
}

} // namespace

std::optional<CollectionMethod> collectionMethod(const QString& code)
{
    const QString c = code.trimmed().toUpper();
    for (const MethodRow& r : kMethods)
        if (c == QLatin1String(r.code))
            return r.method;
    return std::nullopt;
}

QString collectionMethodCode(CollectionMethod method)
{
    return QString::fromLatin1(row(method).code);
}

QString collectionMethodName(CollectionMethod method)
{
    return QString::fromUtf8(row(method).name);
}

QString satPaymentForm(CollectionMethod method)
{
    return QString::fromLatin1(row(method).sat);
}

QString satPaymentFormName(const QString& code)
{
    for (const MethodRow& r : kMethods)
        if (code == QLatin1String(r.sat))
            return QString::fromUtf8(r.name);
    return code;
}

} // namespace korvel::sandbox
