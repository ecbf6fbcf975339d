#include "service/RecordHelpers.h"

#include <algorithm>

namespace korvel {

void copyCliente(const TCliente& s, TCliente& t)
{
    const double latitud = t.Latitud;
    const double longitud = t.Longitud;
    t = s;
    t.Latitud = latitud;
    t.Longitud = longitud;
}

void copyDetalles(const TArrayDetalle& source, TArrayDetalle& target, int count)
{
    const std::size_t n = std::size_t(std::clamp<qsizetype>(count, 0, qsizetype(source.size())));
    if (target.size() < n)
        target.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        TDetalle line = source[i];
        line.TasaTasa2 = 0;
        line.Total_Tasa2 = 0;
        line.BarCode.clear();
        target[i] = std::move(line);
    }
}

void copyPedido(const TPedido& source, TPedido& target)
{
    TCliente cliente = target.Cliente;
    copyCliente(source.Cliente, cliente);
    TArrayDetalle lines;
    lines.resize(std::size_t(std::max(source.Count, 0)));
    copyDetalles(source.ArrayDetalle, lines, source.Count);
    target = source;
    target.Cliente = std::move(cliente);
    target.ArrayDetalle = std::move(lines);
}

void resetPedido(TPedido& p)
{
    p.NuPedido = p.NuCliente = p.NuEstado = p.NuImpreso = 0;
    p.SubTotal = p.IVA = p.IEPS = p.Total = 0;
    p.TipoFolioCliente = p.NuUser = p.NuPaso = p.Count = p.NuChofer = p.FolioVenta = 0;
    p.NuMoneda = 1;
    for (QString* s : {&p.ReferenciaPago, &p.Notas, &p.Horario, &p.UsoCFDI, &p.MetodoPago, &p.FormaPago,
                       &p.Facilidad271, &p.TokenPago, &p.URLPago, &p.CteNombre, &p.CteTelefono, &p.CteCorreo,
                       &p.CteCalle, &p.CteNumero, &p.CteNumeroint, &p.CteCP, &p.CteColonia, &p.CteCiudad,
                       &p.CteEstado, &p.CteCalles, &p.CteReferencia, &p.CteRFC, &p.CtePais, &p.REQ_AUTH})
        s->clear();
    TCliente& c = p.Cliente;
    c.NuClienteKorvel = c.NuCliente = 0;
    for (QString* s : {&c.Nombre, &c.Comercial, &c.RFC, &c.Calle, &c.Numero, &c.Interior, &c.Colonia, &c.Ciudad,
                       &c.Estado, &c.Pais, &c.CP, &c.Email, &c.Telefono, &c.DomicilioEntrega, &c.NuPrecio})
        s->clear();
    c.Saldo = c.Limite = 0;
    c.NuTipoPago = 0;
}

void setLengthList(const RecordInfo& info, void* record, int length)
{
    for (const FieldInfo& f : info.fieldList()) {
        if (f.kind == FieldKind::Array) {
            f.element->vectorResize(f.member(record), std::size_t(std::max(length, 0)));
            return;
        }
    }
}

int rowCount(const RecordInfo& info, const void* record)
{
    if (!info.isList())
        return 0;
    const qint32 count = *static_cast<const qint32*>(info.fields[info.countField].member(record));
    const FieldInfo& a = info.fields[info.arrayField];
    return int(std::clamp<qint64>(count, 0, qint64(a.element->vectorSize(a.member(record)))));
}

} // namespace korvel
