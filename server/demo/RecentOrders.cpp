// The last three weeks of orders ("carros") in every step, the price
// authorizations they raised, and the sales they became: invoices (a few
// still waiting for their stamp), tickets and deliveries on the road.

#include "server/TextHelpers.h"
#include "server/demo/SaleBook.h"

namespace korvel::sandbox::demo {
namespace {

const char* const kNotas[] = {"", "", "", "Entregar por la mañana", "Llamar antes de entregar", "Cliente recoge en sucursal",
                              "Entregar en bodega, preguntar por Don Toño", "Favor de revisar existencias antes de surtir",
                              "Pago contra entrega", "Urgente para obra", "Incluir copia de la factura",
                              "Entregar después de las 4 pm"};

// Steps of the orders of a day: today's list shows every step at once, the
// days before are mostly invoiced or cancelled.
int stepFor(Random& rnd, int daysAgo)
{
    const double r = rnd.real(0, 1);
    if (daysAgo <= 3)
        return r < 0.15 ? 0 : r < 0.25 ? 9 : r < 0.5 ? 1 : r < 0.83 ? 2 : r < 0.88 ? 3 : r < 0.91 ? 4 : r < 0.93 ? 8
               : r < 0.96 ? 5 : r < 0.98 ? 6 : 7;
    return r < 0.62 ? 2 : r < 0.66 ? 5 : r < 0.7 ? 6 : r < 0.74 ? 7 : r < 0.8 ? 3 : r < 0.9 ? 9 : r < 0.95 ? 0 : 4;
}

} // namespace

void writeRecentOrders(DemoContext& ctx)
{
    // A sequence of its own, whatever the steps before drew (they depend on the clock).
    ctx.rnd = Random(0x4F52444552ULL);
    Random& rnd = ctx.rnd;
    SaleBook book(ctx);
    const QDateTime now = QDateTime::currentDateTime();

    Inserter carros(ctx.store, QStringLiteral("carros"),
                    {"NuCarro", "NuEmpresa", "NuCliente", "NuUser", "NuAlmacen", "NuEstado", "NuImpreso", "Fecha", "Hora",
                     "Fecha_Entrega", "SubTotal", "IVA", "IEPS", "TASA2", "Total", "Notas", "TipoFolioCliente", "NuMoneda",
                     "TipoCambio", "NuPaso", "NuChofer", "FolioVenta", "UsoCFDI", "MetodoPago", "FormaPago", "CteNombre",
                     "CteTelefono", "CteCorreo", "CteCalle", "CteNumero", "CteCP", "CteColonia", "CteCiudad", "CteEstado",
                     "CteRFC", "CtePais", "REQ_AUTH", "CteLatitud", "CteLongitud", "Modificado"});
    Inserter lineas(ctx.store, QStringLiteral("carros_mov"),
                    {"NuCarro_Mov", "NuCarro", "NuDetalle", "NuProducto", "Producto", "Cantidad", "Precio", "Descuento",
                     "TasaIVA", "TasaIEPS", "TasaTasa2", "SubTotal", "IVA", "IEPS", "Total_Tasa2", "Total", "PreOri",
                     "UsarMultiUnidad", "VNuMedida", "VUnidades", "Unidad", "RFECHA_AUTH", "FECHA_AUTH", "REQ_AUTH",
                     "NUUSER_AUTH", "PrecioPacto", "BarCode"});
    Inserter autorizaciones(ctx.store, QStringLiteral("autorizaciones_precio"),
                            {"NuEmpresa", "NuCarro", "NuCarro_Mov", "NuProducto", "PrecioLista", "Precio", "Pacto",
                             "Cantidad", "Unidad", "VUnidades", "NuMoneda", "Estado", "Solicitud", "NuUserSolicita",
                             "Resolucion", "NuUserResuelve"});
    Inserter entregas(ctx.store, QStringLiteral("entregas"),
                      {"FolioVenta", "Estatus", "Notas", "Firma", "Latitud", "Longitud", "NuUser", "Fecha"});

    std::vector<int> sellable;
    for (size_t i = 0; i < ctx.products.size(); ++i)
        if (ctx.products[i].nuEstado <= 1)
            sellable.push_back(int(i));

    int nuCarro = 1;
    int nuCarroMov = 1;
    const QByteArray firma = signatureJpeg(rnd);
    for (const DemoCompany& company : ctx.companies) {
        std::vector<int> buyers;
        for (size_t i = 0; i < ctx.clients.size(); ++i)
            if (ctx.clients[i].company == company.index && !ctx.clients[i].publico)
                buyers.push_back(int(i));
        const bool first = company.index == 0;
        const int todaySteps0[] = {0, 0, 0, 9, 9, 1, 1, 1, 2, 2, 2, 2, 8, 3, 4, 1};
        const int todaySteps1[] = {0, 0, 9, 1, 1, 2, 2, 3};
        int pendingStamps = 2;
        int pendingAuth = 0;
        // Today's list always shows a few of each: price requests waiting,
        // one approved before invoicing, and sales on the road.
        int todayRequests = 0;
        int todayApproved = 0;
        int todayInvoiced = 0;

        for (int daysAgo = 21; daysAgo >= 0; --daysAgo) {
            const QDate day = ctx.today.addDays(-daysAgo);
            const int dow = day.dayOfWeek();
            int count = daysAgo == 0 ? (first ? int(std::size(todaySteps0)) : int(std::size(todaySteps1)))
                        : dow == 7 ? 0 : (first ? rnd.range(4, 8) : rnd.range(2, 4));
            const double tc = SaleBook::exchangeRate(day);
            for (int o = 0; o < count; ++o) {
                const int step = daysAgo == 0 ? (first ? todaySteps0[o] : todaySteps1[o]) : stepFor(rnd, daysAgo);
                const int clientIndex = buyers[size_t(rnd.range(0, int(buyers.size()) - 1))];
                const DemoClient& client = ctx.clients[size_t(clientIndex)];
                const int user = o % 3 == 0 ? company.demoUser : company.vendedores[rnd.range(0, int(company.vendedores.size()) - 1)];
                const int almacen = company.almacenes[o % 4 == 3 && company.almacenes.size() > 1 ? 1 : 0];
                QTime hora = QTime(8, 30).addSecs(rnd.range(0, 9 * 3600));
                if (daysAgo == 0) {
                    // Today's orders were all captured before now.
                    const int secondsToday = now.time().msecsSinceStartOfDay() / 1000;
                    hora = QTime(0, 0).addSecs(std::max(0, secondsToday - rnd.range(60, 5 * 3600)));
                }
                const QDateTime when(day, hora);
                const int moneda = client.nu % 9 == 0 && client.credito ? 2 : 1;
                const bool credit = client.credito && rnd.chance(0.7);
                const QString metodo = credit ? QStringLiteral("PPD") : QStringLiteral("PUE");
                const QString forma = credit ? QStringLiteral("99") : QString::fromLatin1(rnd.chance(0.6) ? "01" : rnd.chance(0.5) ? "03" : "04");
                const int carro = nuCarro++;

                // Lines, with a price request on some recent orders.
                struct Line { int product, unit; double qty, price, listPrice, pacto; QString auth; LineTaxes t; int mov; };
                std::vector<Line> lines;
                const int n = rnd.range(2, 8);
                const bool forcedRequest = daysAgo == 0 && step == 1 && todayRequests++ < 2;
                const bool forcedApproval = daysAgo == 0 && step == 2 && todayApproved++ < 1;
                const bool wantsAuth = forcedRequest || (step <= 1 && daysAgo <= 4 && rnd.chance(first ? 0.35 : 0.25));
                const bool denied = step == 3;
                double sub = 0, iva = 0, ieps = 0, tasa2 = 0, total = 0;
                for (int l = 0; l < n; ++l) {
                    Line line;
                    line.product = sellable[size_t(rnd.range(0, int(sellable.size()) - 1))];
                    const DemoProduct& p = ctx.products[size_t(line.product)];
                    line.unit = p.opUnidadVenta == 2 || (p.uxc[1] != 1 && rnd.chance(0.4)) ? 1 : 0;
                    line.qty = line.unit ? rnd.range(1, 10) : rnd.range(1, 36);
                    line.listPrice = book.unitPrice(company, client, p, line.unit, moneda, tc);
                    line.price = line.listPrice;
                    line.pacto = 0;
                    if ((wantsAuth || denied || forcedApproval || (step == 2 && daysAgo <= 6 && rnd.chance(0.1))) && l == 0) {
                        line.price = round2(line.listPrice * rnd.real(0.82, 0.95));
                        if (rnd.chance(0.3))
                            line.pacto = round2(line.price / p.uxc[line.unit]);
                        line.auth = denied ? QStringLiteral("d")
                                    : step == 2 ? QStringLiteral("A")
                                    : (step == 0 && daysAgo >= 1 && rnd.chance(0.3)) ? QStringLiteral("D")
                                    : (daysAgo <= 1 || pendingAuth < 4) ? QStringLiteral("R") : QStringLiteral("A");
                        if (line.auth == u"R")
                            ++pendingAuth;
                    }
                    line.t = lineTaxes(company, line.price, line.qty, p.iva, p.ieps, p.tasa2);
                    line.mov = nuCarroMov++;
                    sub += line.t.subTotal;
                    iva += line.t.iva;
                    ieps += line.t.ieps;
                    tasa2 += line.t.tasa2;
                    total += line.t.total;
                    lines.push_back(line);
                }
                bool needsAuth = false;
                for (const Line& l : lines)
                    needsAuth = needsAuth || l.auth == u"R";

                // The sale of an invoiced order.
                SaleResult sale;
                int chofer = 0;
                if (step == 2) {
                    SaleSpec wanted;
                    wanted.company = company.index;
                    wanted.almacen = almacen;
                    wanted.client = clientIndex;
                    wanted.user = user;
                    const double kind = rnd.real(0, 1);
                    wanted.tipo = kind < 0.7 ? 2 : kind < 0.85 ? 5 : 6;
                    wanted.origen = QStringLiteral("ADM");
                    wanted.fecha = when.addSecs(rnd.range(300, 3600)) > now ? now : when.addSecs(rnd.range(300, 3600));
                    wanted.moneda = moneda;
                    wanted.tc = tc;
                    wanted.credito = credit;
                    wanted.metodo = metodo;
                    wanted.forma = forma;
                    wanted.uso = client.usoCfdi;
                    // The first invoices of today are still waiting for the stamping service.
                    if (daysAgo == 0 && pendingStamps > 0) {
                        --pendingStamps;
                        wanted.tipo = 2;
                        wanted.stamp = false;
                    }
                    wanted.nuCarro = carro;
                    wanted.notas = QString::fromUtf8(rnd.pick(kNotas));
                    wanted.entrega = client.domicilio;
                    wanted.lat = client.lat;
                    wanted.lon = client.lon;
                    // Deliveries: today's and yesterday's are mostly on the road.
                    const double r = rnd.real(0, 1);
                    if (daysAgo == 0) {
                        static const int today[] = {1, 1, 0, 1, 3, 1};
                        wanted.estatusEntrega = today[todayInvoiced++ % 6];
                    } else if (daysAgo == 1)
                        wanted.estatusEntrega = r < 0.6 ? 1 : r < 0.8 ? 0 : 3;
                    else if (daysAgo <= 3)
                        wanted.estatusEntrega = r < 0.2 ? 1 : r < 0.9 ? 3 : r < 0.95 ? 4 : 5;
                    else
                        wanted.estatusEntrega = r < 0.95 ? 3 : r < 0.98 ? 4 : 5;
                    chofer = wanted.estatusEntrega == 0 ? 0 : company.chofer;
                    wanted.chofer = chofer;
                    for (const Line& l : lines)
                        wanted.lines.push_back({l.product, l.unit, l.qty, l.mov, l.price});
                    sale = book.writeSale(wanted);
                    if (wanted.estatusEntrega >= 3 && daysAgo <= 10) {
                        const int estatus = wanted.estatusEntrega;
                        const QDateTime delivered = std::min(now, wanted.fecha.addSecs(rnd.range(3600, 6 * 3600)));
                        entregas.insert({sale.folioVenta, estatus,
                                         estatus == 3 ? QStringLiteral("Recibió %1").arg(client.nombre.section(u' ', 0, 0))
                                         : estatus == 4 ? QStringLiteral("Cliente rechazó la mercancía, empaque dañado")
                                                        : QStringLiteral("Negocio cerrado, se reagenda para mañana"),
                                         estatus == 5 ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(firma),
                                         client.lat + rnd.real(-0.0004, 0.0004), client.lon + rnd.real(-0.0004, 0.0004),
                                         company.chofer, storeDateTime(delivered)});
                    }
                    if (credit && sale.clienteMov && daysAgo > 15 && rnd.chance(0.5)) {
                        book.pay(company.index, clientIndex, sale.clienteMov, moneda, sale.total, sale.total, 1,
                                 QDateTime(ctx.today.addDays(-rnd.range(0, 5)), QTime(11, 15)), user, almacen, !sale.uuid.isEmpty());
                        book.setDebt(sale.clienteMov, 0);
                    }
                }

                carros.insert({carro, company.index, client.nu, user, almacen, 0, 1, storeDate(day),
                               hora.toString(QStringLiteral("HH:mm:ss")), storeDate(day.addDays(rnd.range(0, 3))),
                               round2(sub), round2(iva), round2(ieps), round2(tasa2), round2(total),
                               QString::fromUtf8(rnd.pick(kNotas)), 1, moneda, moneda == 2 ? tc : 1.0, step, chofer,
                               sale.folioVenta, client.usoCfdi, metodo, forma, client.nombre, client.telefono,
                               client.email, client.calle, client.numero, client.cp, client.colonia, client.ciudad,
                               client.estado, client.rfc, QStringLiteral("México"), needsAuth ? QStringLiteral("R") : QString(),
                               client.lat, client.lon, storeDateTime(when)});
                for (size_t l = 0; l < lines.size(); ++l) {
                    const Line& line = lines[l];
                    const DemoProduct& p = ctx.products[size_t(line.product)];
                    const QDateTime requested = when.addSecs(60 * int(l));
                    const QDateTime decided = std::min(now, requested.addSecs(rnd.range(600, 8 * 3600)));
                    const bool decidedLine = !line.auth.isEmpty() && line.auth != u"R";
                    lineas.insert({line.mov, carro, int(l) + 1, p.id, p.descripcion, line.qty, line.price, 0.0, p.iva,
                                   p.ieps, p.tasa2, line.t.subTotal, line.t.iva, line.t.ieps, line.t.tasa2, line.t.total,
                                   line.listPrice, line.unit > 0 ? 1 : 0, p.nuUnidad[line.unit], p.uxc[line.unit],
                                   p.unidad[line.unit], line.auth.isEmpty() ? QString() : storeDateTime(requested),
                                   decidedLine ? storeDateTime(decided) : QString(), line.auth,
                                   decidedLine ? company.gerente : 0, line.pacto, QString()});
                    if (!line.auth.isEmpty())
                        autorizaciones.insert({company.index, carro, line.mov, p.id, line.listPrice, line.price,
                                               line.pacto, line.qty, p.unidad[line.unit], p.uxc[line.unit], moneda,
                                               line.auth, storeDateTime(requested), user,
                                               decidedLine ? storeDateTime(decided) : QString(),
                                               decidedLine ? company.gerente : 0});
                }
            }
        }
    }
}

} // namespace korvel::sandbox::demo
