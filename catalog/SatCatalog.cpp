#include "catalog/SatCatalog.h"

namespace korvel {
namespace {

// Arguments this long are already "code - description" texts sent by the server.
constexpr qsizetype kDescriptionLength = 6;

constexpr CatalogEntry kPaymentForms[] = {
    {u"01", u"Efectivo"},
    {u"02", u"Cheque nominativo"},
    {u"03", u"Transferencia electrónica de fondos"},
    {u"04", u"Tarjeta de crédito"},
    {u"05", u"Monedero electrónico"},
    {u"06", u"Dinero electrónico"},
    {u"08", u"Vales de despensa"},
    {u"12", u"Dación en pago"},
    {u"13", u"Pago por subrogación"},
    {u"14", u"Pago por consignación"},
    {u"15", u"Condonación"},
    {u"17", u"Compensación"},
    {u"23", u"Novación"},
    {u"24", u"Confusión"},
    {u"25", u"Remisión de deuda"},
    {u"26", u"Prescripción o caducidad"},
    {u"27", u"A satisfacción del acreedor"},
    {u"28", u"Tarjeta de débito"},
    {u"29", u"Tarjeta de servicios"},
    {u"30", u"Aplicación de anticipos"},
    {u"31", u"Intermediario pagos"},
    {u"99", u"Por definir"},
};

// The texts already begin with the code; they are printed as they stand.
constexpr CatalogEntry kPaymentMethods[] = {
    {u"PUE", u"PUE - Pago en una sola exhibición"},
    {u"PPD", u"PPD - Pago en parcialidades o diferido"},
};

constexpr CatalogEntry kTaxRegimes[] = {
    {u"601", u"General de Ley Personas Morales"},
    {u"603", u"Personas Morales con Fines no Lucrativos"},
    {u"605", u"Sueldos y Salarios e Ingresos Asimilados a Salarios"},
    {u"606", u"Arrendamiento"},
    {u"607", u"Régimen de Enajenación o Adquisición de Bienes"},
    {u"608", u"Demás ingresos"},
    {u"609", u"Consolidación"},
    {u"610", u"Residentes en el Extranjero sin Establecimiento Permanente en México"},
    {u"611", u"Ingresos por Dividendos (socios y accionistas)"},
    {u"612", u"Personas Físicas con Actividades Empresariales y Profesionales"},
    {u"614", u"Ingresos por intereses"},
    {u"615", u"Régimen de los ingresos por obtención de premios"},
    {u"616", u"Sin obligaciones fiscales"},
    {u"620", u"Sociedades Cooperativas de Producción que optan por diferir sus ingresos"},
    {u"621", u"Incorporación Fiscal"},
    {u"622", u"Actividades Agrícolas, Ganaderas, Silvícolas y Pesqueras"},
    {u"623", u"Opcional para Grupos de Sociedades"},
    {u"624", u"Coordinados"},
    {u"625", u"Régimen de las Actividades Empresariales con ingresos a través de Plataformas Tecnológicas"},
    {u"626", u"Régimen Simplificado de Confianza"},
    {u"628", u"Hidrocarburos"},
    {u"629", u"De los Regímenes Fiscales Preferentes y de las Empresas Multinacionales"},
    {u"630", u"Enajenación de acciones en bolsa de valores"},
};

constexpr CatalogEntry kInvoiceUses[] = {
    {u"G01", u"Adquisición de mercancias"},
    {u"G02", u"Devoluciones, descuentos o bonificaciones"},
    {u"G03", u"Gastos en general"},
    {u"I01", u"Construcciones"},
    {u"I02", u"Mobilario y equipo de oficina por inversiones"},
    {u"I03", u"Equipo de transporte"},
    {u"I04", u"Equipo de computo y accesorios"},
    {u"I05", u"Dados, troqueles, moldes, matrices y herramental"},
    {u"I06", u"Comunicaciones telefónicas"},
    {u"I07", u"Comunicaciones satelitales"},
    {u"I08", u"Otra maquinaria y equipo"},
    {u"D01", u"Honorarios médicos, dentales y gastos hospitalarios."},
    {u"D02", u"Gastos médicos por incapacidad o discapacidad"},
    {u"D03", u"Gastos funerales."},
    {u"D04", u"Donativos."},
    {u"D05", u"Intereses reales efectivamente pagados por créditos hipotecarios (casa habitación)."},
    {u"D06", u"Aportaciones voluntarias al SAR."},
    {u"D07", u"Primas por seguros de gastos médicos."},
    {u"D08", u"Gastos de transportación escolar obligatoria."},
    {u"D09", u"Depósitos en cuentas para el ahorro, primas que tengan como base planes de pensiones."},
    {u"D10", u"Pagos por servicios educativos (colegiaturas)"},
    {u"P01", u"Por definir"},
    {u"S01", u"Sin efectos fiscales"},
    {u"CP01", u"Pagos"},
    {u"CN01", u"Nómina"},
};

const CatalogEntry *findCode(std::span<const CatalogEntry> catalogue, const QString &code)
{
    for (const CatalogEntry &entry : catalogue) {
        if (entry.code == code) // exact, case-sensitive
            return &entry;
    }
    return nullptr;
}

// Code followed by " - " and its text; an unknown code keeps only the separator.
QString lookUp(std::span<const CatalogEntry> catalogue, const QString &code)
{
    if (code.size() >= kDescriptionLength)
        return code;
    QString result = code + QStringLiteral(" - ");
    if (const CatalogEntry *entry = findCode(catalogue, code))
        result += entry->text;
    return result;
}

} // namespace

QString paymentFormText(const QString &code) { return lookUp(kPaymentForms, code); }
QString taxRegimeText(const QString &code) { return lookUp(kTaxRegimes, code); }
QString invoiceUseText(const QString &code) { return lookUp(kInvoiceUses, code); }

QString paymentMethodText(const QString &code)
{
    if (code.size() >= kDescriptionLength)
        return code;
    if (const CatalogEntry *entry = findCode(kPaymentMethods, code))
        return entry->text.toString();
    return code;
}

std::span<const CatalogEntry> paymentForms() { return kPaymentForms; }
std::span<const CatalogEntry> paymentMethods() { return kPaymentMethods; }
std::span<const CatalogEntry> taxRegimes() { return kTaxRegimes; }
std::span<const CatalogEntry> invoiceUses() { return kInvoiceUses; }

QStringList catalogCodes(std::span<const CatalogEntry> catalogue)
{
    QStringList codes;
    codes.reserve(qsizetype(catalogue.size()));
    for (const CatalogEntry &entry : catalogue)
        codes << entry.code.toString();
    return codes;
}

} // namespace korvel
