#include "server/orders/OrderRecords.h"

#include "server/RecordRows.h"
#include "server/Store.h"
#include "server/TextHelpers.h"

#include <QHash>
#include <QSqlRecord>

namespace korvel::sandbox {
namespace {

const QString kPedidoColumns = QStringLiteral(
    "NuCarro, NuCliente, NuEstado, ReferenciaPago, NuImpreso, Fecha, Fecha_Entrega, Hora, SubTotal, IVA, IEPS, TASA2,"
    " Total, Notas, TipoFolioCliente, NuUser, NuMoneda, NuPaso, NuChofer, Horario, FolioVenta, UsoCFDI, MetodoPago,"
    " FormaPago, Facilidad271, NuTipoOpera, NuEmpresaPago, Envio, TokenPago, URLPago, CteNombre, CteTelefono,"
    " CteCorreo, CteCalle, CteNumero, CteNumeroint, CteCP, CteColonia, CteCiudad, CteEstado, CteCalles,"
    " CteReferencia, CteRFC, CtePais, REQ_AUTH, AHORRO, TOTAL_SINENVIO, RET_IVA, RET_ISR, IVA_RET, ISR_RET,"
    " CteLatitud, CteLongitud, Distancia, Duracion, DistanciaText, DuracionText");

XsDate xsDate(const QString& text)
{
    XsDate d;
    d.date = dateFromStore(text);
    return d;
}

XsTime xsTime(const QString& text)
{
    XsTime t;
    t.time = QTime::fromString(text.left(8), QStringLiteral("HH:mm:ss"));
    return t;
}

TPedido pedidoFrom(const QSqlQuery& q)
{
    auto s = [&](const char* name) { return q.value(QString::fromLatin1(name)).toString(); };
    auto i = [&](const char* name) { return q.value(QString::fromLatin1(name)).toInt(); };
    auto d = [&](const char* name) { return q.value(QString::fromLatin1(name)).toDouble(); };
    TPedido p;
    p.NuPedido = i("NuCarro");
    p.NuCliente = i("NuCliente");
    p.NuEstado = i("NuEstado");
    p.ReferenciaPago = s("ReferenciaPago");
    p.NuImpreso = i("NuImpreso");
    p.Fecha = xsDate(s("Fecha"));
    p.Fecha_Entrega = xsDate(s("Fecha_Entrega"));
    p.Hora = xsTime(s("Hora"));
    p.SubTotal = d("SubTotal");
    p.IVA = d("IVA");
    p.IEPS = d("IEPS");
    p.TASA2 = d("TASA2");
    p.Total = d("Total");
    p.Notas = s("Notas");
    p.TipoFolioCliente = i("TipoFolioCliente");
    p.NuUser = i("NuUser");
    p.NuMoneda = i("NuMoneda");
    p.NuPaso = i("NuPaso");
    p.NuChofer = i("NuChofer");
    p.Horario = s("Horario");
    p.FolioVenta = i("FolioVenta");
    p.UsoCFDI = s("UsoCFDI");
    p.MetodoPago = s("MetodoPago");
    p.FormaPago = s("FormaPago");
    p.Facilidad271 = s("Facilidad271");
    p.NuTipoOpera = i("NuTipoOpera");
    p.NuEmpresaPago = i("NuEmpresaPago");
    p.Envio = d("Envio");
    p.TokenPago = s("TokenPago");
    p.URLPago = s("URLPago");
    p.CteNombre = s("CteNombre");
    p.CteTelefono = s("CteTelefono");
    p.CteCorreo = s("CteCorreo");
    p.CteCalle = s("CteCalle");
    p.CteNumero = s("CteNumero");
    p.CteNumeroint = s("CteNumeroint");
    p.CteCP = s("CteCP");
    p.CteColonia = s("CteColonia");
    p.CteCiudad = s("CteCiudad");
    p.CteEstado = s("CteEstado");
    p.CteCalles = s("CteCalles");
    p.CteReferencia = s("CteReferencia");
    p.CteRFC = s("CteRFC");
    p.CtePais = s("CtePais");
    p.REQ_AUTH = s("REQ_AUTH");
    p.AHORRO = d("AHORRO");
    p.TOTAL_SINENVIO = d("TOTAL_SINENVIO");
    p.RET_IVA = d("RET_IVA");
    p.RET_ISR = d("RET_ISR");
    p.IVA_RET = d("IVA_RET");
    p.ISR_RET = d("ISR_RET");
    p.CteLatitud = d("CteLatitud");
    p.CteLongitud = d("CteLongitud");
    p.Distancia = d("Distancia");
    p.Duracion = d("Duracion");
    p.DistanciaText = s("DistanciaText");
    p.DuracionText = s("DuracionText");
    return p;
}

} // namespace

XsDateTime xsDateTimeFromStore(const QString& text)
{
    XsDateTime v;
    if (text.isEmpty())
        return v;
    const QDateTime dt = dateTimeFromStore(text);
    v.date = dt.date();
    v.time = dt.time();
    return v;
}

std::optional<TCliente> loadCliente(Store& store, int nuEmpresa, int nuClienteKorvel, int nuMoneda)
{
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT c.NuClienteKorvel, c.NuCliente, c.Nombre, c.Comercial, c.RFC, c.Calle, c.Numero,"
                       " c.Interior, c.Colonia, c.Ciudad, c.Estado, c.Pais, c.CP, c.Email, c.Telefono,"
                       " c.DomicilioEntrega, c.NuPrecio, c.Limite, c.NuTipoPago, c.Extra1, c.Extra2, c.Extra3,"
                       " c.Latitud, c.Longitud,"
                       " IFNULL((SELECT SUM(ImporteDeuda) FROM cliente_movs m WHERE m.NuCliente = c.NuClienteKorvel"
                       "   AND m.NuMoneda = ? AND m.ImporteDeuda > 0.005), 0) AS Saldo"
                       " FROM clientes c WHERE c.NuClienteKorvel = ? AND c.NuEmpresa = ?"),
        {nuMoneda == 1 ? 1 : 2, nuClienteKorvel, nuEmpresa});
    if (!q.next())
        return std::nullopt;
    return recordFromRow<TCliente>(q);
}

std::vector<TDetalle> loadDetalles(Store& store, int nuCarro)
{
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT NuCarro_Mov, NuDetalle, NuProducto, Producto, Observacion, Cantidad, Precio, Descuento,"
                       " TasaIVA, TasaIEPS, TasaTasa2, SubTotal, IVA, IEPS, Total_Tasa2, Total, PreOri,"
                       " Esp1, Esp2, Esp3, Esp4, Esp5, Esp6, UsarMultiUnidad, VNuMedida, VUnidades, Unidad,"
                       " RFECHA_AUTH, FECHA_AUTH, REQ_AUTH, NUUSER_AUTH, PrecioPacto, BarCode"
                       " FROM carros_mov WHERE NuCarro = ? ORDER BY NuCarro_Mov"),
        {nuCarro});
    std::vector<TDetalle> lines;
    while (q.next()) {
        TDetalle d;
        d.NuDetalle = q.value(1).toInt();
        d.NuProducto = q.value(2).toString();
        d.Producto = q.value(3).toString();
        d.Observacion = q.value(4).toString();
        d.Cantidad = q.value(5).toDouble();
        d.Precio = q.value(6).toDouble();
        d.Descuento = q.value(7).toDouble();
        d.TasaIVA = q.value(8).toDouble();
        d.TasaIEPS = q.value(9).toDouble();
        d.TasaTasa2 = q.value(10).toDouble();
        d.SubTotal = q.value(11).toDouble();
        d.IVA = q.value(12).toDouble();
        d.IEPS = q.value(13).toDouble();
        d.Total_Tasa2 = q.value(14).toDouble();
        d.Total = q.value(15).toDouble();
        d.PreOri = q.value(16).toDouble();
        d.Esp1 = q.value(17).toString();
        d.Esp2 = q.value(18).toString();
        d.Esp3 = q.value(19).toString();
        d.Esp4 = q.value(20).toString();
        d.Esp5 = q.value(21).toString();
        d.Esp6 = q.value(22).toString();
        d.UsarMultiUnidad = q.value(23).toInt() == 1;
        d.VNuMedida = q.value(24).toInt();
        d.VUnidades = q.value(25).toDouble();
        d.Unidad = q.value(26).toString();
        d.RFECHA_AUTH = xsDateTimeFromStore(q.value(27).toString());
        d.FECHA_AUTH = xsDateTimeFromStore(q.value(28).toString());
        d.REQ_AUTH = q.value(29).toString();
        d.NUUSER_AUTH = q.value(30).toInt();
        d.PrecioPacto = q.value(31).toDouble();
        d.BarCode = q.value(32).toString();
        lines.push_back(std::move(d));
    }
    return lines;
}

std::optional<TPedido> loadPedido(Store& store, int nuEmpresa, int nuCarro, bool withLines)
{
    QSqlQuery q = store.exec(QStringLiteral("SELECT ") + kPedidoColumns +
                                 QStringLiteral(" FROM carros WHERE NuCarro = ? AND NuEmpresa = ?"),
                             {nuCarro, nuEmpresa});
    if (!q.next())
        return std::nullopt;
    TPedido p = pedidoFrom(q);
    if (std::optional<TCliente> c = loadCliente(store, nuEmpresa, p.NuCliente, p.NuMoneda))
        p.Cliente = *c;
    if (withLines) {
        p.ArrayDetalle = loadDetalles(store, nuCarro);
        p.Count = qint32(p.ArrayDetalle.size());
    }
    return p;
}

TListaPedido listPedidos(Store& store, int nuEmpresa, const QDate& from, const QDate& to, int nuPaso)
{
    QString sql = QStringLiteral("SELECT ") + kPedidoColumns +
                  QStringLiteral(" FROM carros WHERE NuEmpresa = ? AND Fecha >= ? AND Fecha <= ?");
    QVariantList values{nuEmpresa, storeDate(from), storeDate(to)};
    if (nuPaso >= 0) {
        sql += QStringLiteral(" AND NuPaso = ?");
        values.append(nuPaso);
    }
    sql += QStringLiteral(" ORDER BY Fecha, Hora, NuCarro");
    QSqlQuery q = store.exec(sql, values);
    TListaPedido list;
    QHash<QPair<int, int>, TCliente> clients;
    while (q.next()) {
        TPedido p = pedidoFrom(q);
        const QPair<int, int> key(p.NuCliente, p.NuMoneda == 1 ? 1 : 2);
        auto it = clients.find(key);
        if (it == clients.end()) {
            it = clients.insert(key, loadCliente(store, nuEmpresa, p.NuCliente, p.NuMoneda).value_or(TCliente{}));
        }
        p.Cliente = it.value();
        list.ArrayPedido.push_back(std::move(p));
    }
    list.Count = qint32(list.ArrayPedido.size());
    return list;
}

} // namespace korvel::sandbox
