// Every operation the client calls, end to end through korvel-cli against one
// sandbox: a table of rows run in order, each an operation, its arguments and
// a check of the answer. Arguments and expected texts may name values with
// "$name": what earlier rows found ($carro, $folioVenta...) or what the demo
// store holds (picked from its file, read-only, when the sandbox starts).

#include "SandboxProcess.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

using korvel::testing::SandboxProcess;

namespace {

// The operations the client calls; the table has at least one row for each.
const char* const kCalledOperations[] = {
    "VersionWS", "GetEmpresa", "EsMultiEmpresa", "AccesoUserXModuloXAlmacenPreciosNivel", "UltimoError",
    "Producto_Existencia", "ListaProducto_Consulta", "ListaProducto_ConsultaXClave", "ObtenerFotoProducto",
    "SelePuedeDarCredito", "Lista_CarroSinDetalle", "Lista_CarroXID", "Guardar_Carro", "Modificar_Carro",
    "GeneraPDF_Carro", "Procesar_Carro", "BuscarFolioVentaCFDI", "RegistrarEntrega", "RegistrarEntregaFirma",
    "RegistrarEntregaFirmaCoord", "Lista_AutorizaPrecioXTipo", "AutorizarPrecio", "ListaCliente_Consulta",
    "ListaCliente_Deuda", "Cliente_AbonoMultiple", "RevisionVentaBasicoJSon", "GeneraPDF_EstadoCuenta",
    "GeneraPDF_AntSaldos", "GeneraPDF_FacturaXFolioVenta", "GeneraPDF_Factura", "GeneraPDF_Recibo",
    "GeneraClass_Factura", "GeneraClass_Recibo", "ListaCliente_Facturas", "ListaCliente_Pagos", "TI_Folio",
    "TI_NuevaLista", "TI_NuevaConteo", "TI_EliminaConteo", "TI_ListaTomaInventario", "GetSucursales",
    "GM_ListaSucursales", "GM_EstatusEmpresa", "GM_EstatusEmpresaCompra", "GM_EjercicioXSem", "GM_EjercicioXMes",
    "GM_IngresoXDia2", "GM_IngresoXDiaXCategoria2", "GM_HistorialComprasXSuc", "GM_HistorialVentas",
    "GM_CompraXDia2", "GM_CompraXDiaXCategoria2", "GM_CompraEjercicioXSem", "GM_CompraEjercicioXMes",
};

constexpr int kCliTimeoutMs = 30000;

// What one korvel-cli run gave.
struct Answer {
    int exitCode = -1;
    QJsonObject json;  // {"result": R, "out": {...}}
    QString errorText; // stderr
    QString outputText;

    QJsonValue result() const { return json.value(QLatin1String("result")); }
    QJsonObject out() const { return json.value(QLatin1String("out")).toObject(); }
    QJsonObject record() const { return result().toObject(); }
    QJsonArray rows(const char* array) const { return record().value(QLatin1String(array)).toArray(); }
};

// A JSON scalar as text: whole numbers without decimals.
QString text(const QJsonValue& v)
{
    if (v.isDouble()) {
        const double d = v.toDouble();
        return d == std::floor(d) && std::fabs(d) < 1e15 ? QString::number(qint64(d)) : QString::number(d, 'g', 17);
    }
    if (v.isBool())
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return v.toString();
}

// Values found so far, by name.
class Context {
public:
    void set(const QString& key, const QJsonValue& value) { m_values.insert(key, text(value)); }
    void set(const QString& key, const QString& value) { m_values.insert(key, value); }
    void set(const QString& key, const char* value) { m_values.insert(key, QString::fromUtf8(value)); }
    void set(const QString& key, int value) { m_values.insert(key, QString::number(value)); }
    void set(const QString& key, double value) { m_values.insert(key, QString::number(value, 'g', 17)); }
    QString get(const QString& key) const { return m_values.value(key); }
    double number(const QString& key) const { return m_values.value(key).toDouble(); }
    int whole(const QString& key) const { return m_values.value(key).toInt(); }

    // "$name" replaced by its value; names not known yet go to `missing`.
    QString expand(const QString& in, QStringList* missing = nullptr) const
    {
        static const QRegularExpression name(QStringLiteral("\\$([A-Za-z][A-Za-z0-9]*)"));
        QString out;
        qsizetype last = 0;
        auto it = name.globalMatch(in);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            out += in.mid(last, m.capturedStart() - last);
            const QString key = m.captured(1);
            if (!m_values.contains(key) && missing)
                missing->append(key);
            out += m_values.value(key);
            last = m.capturedEnd();
        }
        return out + in.mid(last);
    }

private:
    QHash<QString, QString> m_values;
};

using Check = std::function<void(const Answer&, Context&)>;

struct Row {
    QString name;
    QString operation;
    QStringList args;
    Check check;
    QString user = QStringLiteral("demo");
    QString pass = QStringLiteral("demo");
    QString fault;  // non-empty: the call must fail with this text on stderr
};

Row call(const char* name, const char* op, QStringList args, Check check)
{
    Row r;
    r.name = QString::fromUtf8(name);
    r.operation = QString::fromLatin1(op);
    r.args = std::move(args);
    r.check = std::move(check);
    return r;
}

Row callAs(const char* user, const char* pass, const char* name, const char* op, QStringList args, Check check)
{
    Row r = call(name, op, std::move(args), std::move(check));
    r.user = QString::fromUtf8(user);
    r.pass = QString::fromUtf8(pass);
    return r;
}

Row fault(const char* name, const char* op, QStringList args, const char* error, const char* user = "demo",
          const char* pass = "demo")
{
    Row r = callAs(user, pass, name, op, std::move(args), {});
    r.fault = QString::fromUtf8(error);
    return r;
}

// UltimoError after a refusal: the server's explanation of it.
Row lastError(const char* name, const char* expected)
{
    const QString want = QString::fromUtf8(expected);
    return call(name, "UltimoError", {}, [want](const Answer& a, Context& x) {
        const QString explained = x.expand(want);
        QVERIFY2(a.result().toString().contains(explained),
                 qPrintable(QStringLiteral("'%1' does not say '%2'").arg(a.result().toString(), explained)));
    });
}

// Upper case without accents, as the server compares searched texts.
QString fold(const QString& s)
{
    QString out;
    for (const QChar c : s.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            out.append(c);
    return out.toUpper();
}

QString money(double amount)
{
    const qint64 cents = qint64(std::llround(std::fabs(amount) * 100.0));
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return QStringLiteral("$%1.%2").arg(whole).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

bool near(double a, double b, double tolerance = 0.005)
{
    return std::fabs(a - b) < tolerance;
}

#define COMPARE_MONEY(actual, expected)                                                                               \
    do {                                                                                                              \
        const double a_ = (actual);                                                                                   \
        const double e_ = (expected);                                                                                 \
        QVERIFY2(near(a_, e_), qPrintable(QStringLiteral("%1 is %2, expected %3").arg(QLatin1String(#actual))        \
                                              .arg(a_, 0, 'f', 4).arg(e_, 0, 'f', 4)));                               \
    } while (false)

QJsonObject findRow(const QJsonArray& rows, const char* key, const QString& value)
{
    for (const QJsonValue& r : rows)
        if (text(r.toObject().value(QLatin1String(key))) == value)
            return r.toObject();
    return {};
}

double sumOf(const QJsonArray& rows, const char* key)
{
    double total = 0;
    for (const QJsonValue& r : rows)
        total += r.toObject().value(QLatin1String(key)).toDouble();
    return total;
}

double sumPrefixed(const QJsonObject& o, const QString& prefix)
{
    double total = 0;
    for (auto it = o.begin(); it != o.end(); ++it)
        if (it.key().startsWith(prefix) && it.key() != prefix && it.value().isDouble())
            total += it.value().toDouble();
    return total;
}

QByteArray bytesOf(const QJsonValue& v)
{
    return QByteArray::fromBase64(v.toString().toLatin1());
}

// A document the server made: a whole PDF that names `who` (in the PDF's
// Latin-1 text) when given.
void checkPdf(const QJsonValue& v, const QString& who = QString())
{
    const QByteArray pdf = bytesOf(v);
    QVERIFY2(pdf.startsWith("%PDF-"), pdf.left(20).constData());
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    if (!who.isEmpty())
        QVERIFY2(pdf.contains(who.toLatin1()), qPrintable(who));
}

// Dates of a history list, newest first.
void checkNewestFirst(const QJsonArray& rows)
{
    for (qsizetype i = 1; i < rows.size(); ++i)
        QVERIFY2(rows[i - 1].toObject().value(QLatin1String("Fecha")).toString()
                     >= rows[i].toObject().value(QLatin1String("Fecha")).toString(),
                 "history not newest first");
}

// A counted order: three pieces of $producto, one box of $producto2.
QString orderLines(const QString& firstQuantity)
{
    return QStringLiteral(
               "[{\"NuProducto\":\"$producto\",\"Cantidad\":%1,\"Precio\":$precio,\"TasaIVA\":$iva,"
               "\"VNuMedida\":$medida,\"VUnidades\":1},"
               "{\"NuProducto\":\"$producto2\",\"Cantidad\":1,\"Precio\":$precioCaja2,\"TasaIVA\":$iva2,"
               "\"VNuMedida\":$medidaCaja2,\"VUnidades\":$uxc2,\"UsarMultiUnidad\":true}]")
        .arg(firstQuantity);
}

QString order(const QString& header, int count, const QString& lines)
{
    return QStringLiteral("Pedido={%1\"NuCliente\":$clienteCredito,\"NuMoneda\":1,\"NuPaso\":0,\"Fecha\":\"$hoy\","
                          "\"Fecha_Entrega\":\"$hoy\",\"MetodoPago\":\"PUE\",\"FormaPago\":\"03\",\"UsoCFDI\":\"G01\","
                          "\"Notas\":\"Entregar por la mañana\",\"Count\":%2,\"ArrayDetalle\":%3}")
        .arg(header)
        .arg(count)
        .arg(lines);
}

// An order line as the server worked it out: amounts from quantity, price and
// the VAT rate (the products picked have neither IEPS nor a second tax).
void checkLine(const QJsonObject& d, const QString& producto, double cantidad, double precio, double iva)
{
    QCOMPARE(d.value("NuProducto").toString(), producto);
    QCOMPARE(d.value("Cantidad").toDouble(), cantidad);
    COMPARE_MONEY(d.value("SubTotal").toDouble(), cantidad * precio);
    COMPARE_MONEY(d.value("IVA").toDouble(), cantidad * precio * iva / 100);
    COMPARE_MONEY(d.value("Total").toDouble(), cantidad * precio * (1 + iva / 100));
}

// The header adds up its lines.
void checkOrderTotals(const QJsonObject& p)
{
    const QJsonArray lines = p.value("ArrayDetalle").toArray();
    QCOMPARE(p.value("Count").toInt(), int(lines.size()));
    COMPARE_MONEY(p.value("SubTotal").toDouble(), sumOf(lines, "SubTotal"));
    COMPARE_MONEY(p.value("IVA").toDouble(), sumOf(lines, "IVA"));
    COMPARE_MONEY(p.value("Total").toDouble(), sumOf(lines, "Total"));
    COMPARE_MONEY(p.value("Total").toDouble(), p.value("SubTotal").toDouble() + p.value("IVA").toDouble()
                                                    + p.value("IEPS").toDouble() + p.value("TASA2").toDouble());
}

// A weekly or monthly list: each category row is the sum of its periods,
// cash plus credit; the list total is kept as `key`.
Check periodRows(const char* array, int periods, const char* key, const char* sameAs = nullptr)
{
    return [=](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows(array);
        QVERIFY(!rows.isEmpty());
        QCOMPARE(a.record().value("Count").toInt(), int(rows.size()));
        for (const QJsonValue& v : rows) {
            const QJsonObject r = v.toObject();
            double sem = 0, cash = 0, credit = 0;
            for (int p = 1; p <= periods; ++p) {
                sem += r.value(QStringLiteral("Sem%1").arg(p)).toDouble();
                cash += r.value(QStringLiteral("SemN%1").arg(p)).toDouble();
                credit += r.value(QStringLiteral("SemR%1").arg(p)).toDouble();
            }
            COMPARE_MONEY(r.value("Total").toDouble(), sem);
            COMPARE_MONEY(r.value("Total").toDouble(), cash + credit);
            QCOMPARE(r.value("DB").toInt(), 0);
        }
        x.set(QLatin1String(key), sumOf(rows, "Total"));
        if (sameAs)
            QVERIFY2(near(sumOf(rows, "Total"), x.number(QLatin1String(sameAs)), 0.05),
                     "the weeks and the months of the year do not add up to the same");
    };
}

// The day by branch: each row is cash plus credit; branch 0's total is kept.
Check dayByBranch(const char* key)
{
    return [=](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayInfo1");
        QVERIFY(!rows.isEmpty());
        double branch = 0, cash = 0;
        for (const QJsonValue& v : rows) {
            const QJsonObject r = v.toObject();
            COMPARE_MONEY(r.value("Total").toDouble(), r.value("Contado").toDouble() + r.value("Credito").toDouble());
            QVERIFY(r.value("Fecha").toString().startsWith(x.get("dia")));
            if (r.value("DB").toInt() == 0) {
                branch += r.value("Total").toDouble();
                cash += r.value("Contado").toDouble();
            }
        }
        QVERIFY2(branch > 0, "no movements of the first branch that day");
        x.set(QLatin1String(key), branch);
        x.set(QLatin1String(key) + QStringLiteral("Contado"), cash);
    };
}

// The day by category adds up to the day of the branch.
Check dayByCategory(const char* key)
{
    return [=](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayInfo2");
        QVERIFY(!rows.isEmpty());
        for (const QJsonValue& v : rows)
            QVERIFY(!v.toObject().value("Categoria").toString().isEmpty());
        QVERIFY2(near(sumOf(rows, "Total"), x.number(QLatin1String(key)), 0.02),
                 qPrintable(QStringLiteral("categories %1, branch %2").arg(sumOf(rows, "Total"), 0, 'f', 2).arg(x.number(QLatin1String(key)), 0, 'f', 2)));
    };
}

const QByteArray kFirma = QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000ffd9");

std::vector<Row> table()
{
    std::vector<Row> t;
    // --- the login ------------------------------------------------------
    t.push_back(call("service build", "VersionWS", {}, [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 20192); }));
    t.push_back(call("several companies", "EsMultiEmpresa", {}, [](const Answer& a, Context&) { QCOMPARE(a.result(), QJsonValue(true)); }));
    t.push_back(call("company list", "GetSucursales", {}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayDBS");
        QCOMPARE(a.record().value("Count").toInt(), 2);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].toObject().value("Nombre").toString(), x.get("empresa0"));
        QCOMPARE(rows[1].toObject().value("Nombre").toString(), x.get("empresa1"));
    }));
    t.push_back(call("login", "AccesoUserXModuloXAlmacenPreciosNivel", {"Field=OP_KORVELMOVIL"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result(), QJsonValue(true));
        const QJsonObject o = a.out();
        QCOMPARE(o.value("Modulos").toString(), QStringLiteral("TTTTTTTTTTTT"));
        QCOMPARE(o.value("Almacen").toString(), x.get("almacenDemo"));
        QCOMPARE(o.value("NuAlmacen").toInt(), x.whole("nuAlmacenDemo"));
        QCOMPARE(o.value("Precio1").toString() + o.value("Precio2").toString() + o.value("Precio3").toString()
                     + o.value("Precio4").toString(), QStringLiteral("ABCD"));
        QCOMPARE(o.value("NivelPrecios").toString().size(), 20);
        QVERIFY(o.value("NuUser").toInt() > 0);
        x.set("nuUser", o.value("NuUser"));
    }));
    t.push_back(callAs("1@demo", "demo", "login to the second company", "AccesoUserXModuloXAlmacenPreciosNivel",
                       {"Field=OP_KORVELMOVIL"}, [](const Answer& a, Context& x) {
                           QCOMPARE(a.result(), QJsonValue(true));
                           QCOMPARE(a.out().value("Almacen").toString(), x.get("almacenDemo1"));
                       }));
    t.push_back(callAs("demo", "no-es", "login with a wrong password", "AccesoUserXModuloXAlmacenPreciosNivel",
                       {"Field=OP_KORVELMOVIL"}, [](const Answer& a, Context&) {
                           QCOMPARE(a.result(), QJsonValue(false));
                           QCOMPARE(a.out().value("Msg").toString(), QStringLiteral("Usuario o contraseña incorrectos"));
                           QCOMPARE(a.out().value("NuUser").toInt(), 0);
                           QCOMPARE(a.out().value("Modulos").toString(), QString());
                       }));
    t.push_back(lastError("explanation of the wrong password", "Usuario o contraseña incorrectos"));
    t.push_back(callAs("caja", "caja123", "login of a user without the mobile client", "AccesoUserXModuloXAlmacenPreciosNivel",
                       {"Field=OP_KORVELMOVIL"}, [](const Answer& a, Context&) {
                           QCOMPARE(a.result(), QJsonValue(false));
                           QVERIFY(a.out().value("Msg").toString().contains(QStringLiteral("no tiene acceso a Korvel Móvil")));
                       }));
    t.push_back(call("company record", "GetEmpresa", {"ID=0"}, [](const Answer& a, Context& x) {
        const QJsonObject e = a.record();
        QCOMPARE(e.value("Nombre").toString(), x.get("empresa0"));
        QCOMPARE(e.value("URL_PHOTO").toString(), x.expand("http://$host/fotos/"));
        QCOMPARE(e.value("URL_Post").toString(), x.expand("http://$host/entregas/registro"));
        QVERIFY(e.value("TC_VentaCredito").toDouble() > 1);
    }));
    t.push_back(call("second company record", "GetEmpresa", {"ID=1"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.record().value("Nombre").toString(), x.get("empresa1"));
    }));
    t.push_back(fault("company that does not exist", "GetEmpresa", {"ID=7"}, "No existe la empresa 7"));

    // --- products -------------------------------------------------------
    t.push_back(call("products by description", "ListaProducto_Consulta", {"Filtro=@$palabra1 $palabra2"}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayProducto");
        QCOMPARE(a.record().value("Count").toInt(), int(rows.size()));
        QVERIFY(!findRow(rows, "ID", x.get("producto")).isEmpty());
        for (const QJsonValue& v : rows) {
            const QString d = fold(v.toObject().value("Descripcion").toString());
            QVERIFY2(d.contains(x.get("palabra1")) && d.contains(x.get("palabra2")), qPrintable(d));
        }
    }));
    t.push_back(call("products by model", "ListaProducto_Consulta", {"Filtro=#$modelo"}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayProducto");
        QVERIFY(!findRow(rows, "ID", x.get("producto")).isEmpty());
        for (const QJsonValue& v : rows) {
            const QJsonObject p = v.toObject();
            const QString models = fold(QStringList{p.value("Modelo").toString(), p.value("Modelo2").toString(),
                                                    p.value("Modelo3").toString(), p.value("Modelo4").toString(),
                                                    p.value("Modelo5").toString()}.join(u'|'));
            QVERIFY2(models.contains(fold(x.get("modelo"))), qPrintable(models));
        }
    }));
    t.push_back(call("product by key", "ListaProducto_ConsultaXClave", {"Filtro=$producto"}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayProducto");
        QCOMPARE(rows.size(), 1);
        const QJsonObject p = rows[0].toObject();
        QCOMPARE(p.value("ID").toString(), x.get("producto"));
        QCOMPARE(p.value("Precio01").toDouble(), x.number("precio"));
        QCOMPARE(p.value("Unidad2").toString(), x.get("unidadCaja"));
        x.set("existencia", p.value("Existencia"));
    }));
    t.push_back(call("product by the barcode of its box", "ListaProducto_ConsultaXClave", {"Filtro=$barcodeCaja"}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayProducto");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject().value("ID").toString(), x.get("producto"));
        QCOMPARE(rows[0].toObject().value("Barcode2").toString(), x.get("barcodeCaja"));
    }));
    t.push_back(fault("products with a wrong password", "ListaProducto_Consulta", {"Filtro=@$palabra1"},
                      "Usuario o contraseña incorrectos", "demo", "no-es"));
    t.push_back(call("stock of the product", "Producto_Existencia",
                     {"ID=$producto", "NuAlmacen=$nuAlmacenDemo", "IncPOS=true", "IncPedCap=true", "IncPedPro=true"},
                     [](const Answer& a, Context& x) {
                         const QJsonObject o = a.out();
                         COMPARE_MONEY(o.value("Expediente").toDouble(), x.number("existencia"));
                         COMPARE_MONEY(o.value("Saldo").toDouble(), o.value("Expediente").toDouble() - o.value("POS").toDouble()
                                                                         - o.value("Pedidos").toDouble());
                         COMPARE_MONEY(a.result().toDouble(), o.value("Saldo").toDouble());
                         x.set("expediente", o.value("Expediente"));
                         x.set("pedidos", o.value("Pedidos"));
                     }));
    t.push_back(call("product photo and technical sheet", "ObtenerFotoProducto", {"N123=$fotoProducto"}, [](const Answer& a, Context&) {
        QVERIFY(bytesOf(a.result()).startsWith("\xFF\xD8\xFF"));
        QVERIFY(a.out().value("Ficha").toString().startsWith(QLatin1String("{\\rtf")));
    }));

    // --- clients --------------------------------------------------------
    t.push_back(call("clients by name", "ListaCliente_Consulta", {"Field=1", "Value=%$apellido%"}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayCliente");
        QVERIFY(!findRow(rows, "NuClienteKorvel", x.get("clienteCredito")).isEmpty());
        for (const QJsonValue& v : rows) {
            const QJsonObject c = v.toObject();
            const QString names = fold(c.value("Nombre").toString() + u'|' + c.value("Comercial").toString());
            QVERIFY2(names.contains(x.get("apellido")), qPrintable(names));
        }
    }));
    t.push_back(call("client by number", "ListaCliente_Consulta", {"Field=5", "Value=$clienteCredito"}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayCliente");
        QCOMPARE(rows.size(), 1);
        const QJsonObject c = rows[0].toObject();
        QCOMPARE(c.value("NuClienteKorvel").toInt(), x.whole("clienteCredito"));
        QCOMPARE(c.value("Nombre").toString(), x.get("nombreCliente"));
        QCOMPARE(c.value("Saldo").toDouble(), 0.0);
        QCOMPARE(c.value("Limite").toDouble(), x.number("limite"));
        QCOMPARE(c.value("NuTipoPago").toInt(), 2);
    }));
    t.push_back(call("credit of a client who owes nothing", "SelePuedeDarCredito", {"NuCliente=$clienteCredito", "NuMoneda=1"},
                     [](const Answer& a, Context& x) {
                         QCOMPARE(a.result(), QJsonValue(true));
                         const QString limit = money(x.number("limite"));
                         QCOMPARE(a.out().value("Ms").toString(), QStringLiteral("Crédito disponible: %1 de %1").arg(limit));
                     }));
    t.push_back(call("credit of a cash client", "SelePuedeDarCredito", {"NuCliente=$clienteContado", "NuMoneda=1"},
                     [](const Answer& a, Context&) {
                         QCOMPARE(a.result(), QJsonValue(false));
                         QVERIFY(a.out().value("Ms").toString().contains(QLatin1String("solo puede comprar de contado")));
                     }));

    // --- an order, from capture to invoice ---------------------------------
    t.push_back(call("save an order", "Guardar_Carro", {order(QString(), 2, orderLines("3"))}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result().toInt(), 2);
        QVERIFY(a.out().value("NuCarro").toInt() > 0);
        x.set("carro", a.out().value("NuCarro"));
    }));
    t.push_back(call("stock counts the order in capture", "Producto_Existencia",
                     {"ID=$producto", "NuAlmacen=$nuAlmacenDemo", "IncPOS=true", "IncPedCap=true", "IncPedPro=true"},
                     [](const Answer& a, Context& x) {
                         COMPARE_MONEY(a.out().value("Pedidos").toDouble(), x.number("pedidos") + 3);
                         COMPARE_MONEY(a.result().toDouble(), x.number("expediente") - a.out().value("POS").toDouble()
                                                                  - x.number("pedidos") - 3);
                     }));
    t.push_back(call("the saved order with its lines", "Lista_CarroXID", {"NuCarro=$carro"}, [](const Answer& a, Context& x) {
        const QJsonArray orders = a.rows("ArrayPedido");
        QCOMPARE(orders.size(), 1);
        const QJsonObject p = orders[0].toObject();
        QCOMPARE(p.value("NuPedido").toInt(), x.whole("carro"));
        QCOMPARE(p.value("NuPaso").toInt(), 0);
        QCOMPARE(p.value("Cliente").toObject().value("NuClienteKorvel").toInt(), x.whole("clienteCredito"));
        QCOMPARE(p.value("Notas").toString(), QStringLiteral("Entregar por la mañana"));
        const QJsonArray lines = p.value("ArrayDetalle").toArray();
        QCOMPARE(lines.size(), 2);
        checkLine(lines[0].toObject(), x.get("producto"), 3, x.number("precio"), x.number("iva"));
        checkLine(lines[1].toObject(), x.get("producto2"), 1, x.number("precioCaja2"), x.number("iva2"));
        QCOMPARE(lines[1].toObject().value("Unidad").toString(), x.get("unidadCaja2"));
        checkOrderTotals(p);
    }));
    t.push_back(call("today's orders", "Lista_CarroSinDetalle", {"F1=$hoyT", "F2=$hoyT", "NuPaso=0"}, [](const Answer& a, Context& x) {
        const QJsonArray orders = a.rows("ArrayPedido");
        QVERIFY(!findRow(orders, "NuPedido", x.get("carro")).isEmpty());
        for (const QJsonValue& v : orders) {
            QCOMPARE(v.toObject().value("NuPaso").toInt(), 0);
            QCOMPARE(v.toObject().value("Fecha").toString(), x.get("hoy"));
        }
    }));
    t.push_back(call("change the order", "Modificar_Carro", {order("\"NuPedido\":$carro,", 2, orderLines("5"))},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 5); }));
    t.push_back(call("the changed order", "Lista_CarroXID", {"NuCarro=$carro"}, [](const Answer& a, Context& x) {
        const QJsonObject p = a.rows("ArrayPedido")[0].toObject();
        const QJsonArray lines = p.value("ArrayDetalle").toArray();
        QCOMPARE(lines.size(), 2);
        checkLine(lines[0].toObject(), x.get("producto"), 5, x.number("precio"), x.number("iva"));
        checkOrderTotals(p);
        x.set("total", p.value("Total"));
    }));
    t.push_back(call("order PDF", "GeneraPDF_Carro", {"NuPedido=$carro"},
                     [](const Answer& a, Context& x) { checkPdf(a.result(), x.get("nombreCliente")); }));
    t.push_back(call("invoice before the order is in process", "Procesar_Carro", {"NuPedido=$carro", "Proceso=2"},
                     [](const Answer& a, Context&) {
                         QCOMPARE(a.result().toInt(), 1);
                         QCOMPARE(a.out().value("FolioVenta").toInt(), 0);
                     }));
    t.push_back(lastError("explanation of the refused invoice", "El pedido $carro está en captura"));
    t.push_back(call("send the order to process", "Procesar_Carro", {"NuPedido=$carro", "Proceso=1"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 2); }));
    t.push_back(call("invoice the order", "Procesar_Carro", {"NuPedido=$carro", "Proceso=2"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result().toInt(), 2);
        QVERIFY(a.out().value("FolioVenta").toInt() > 0);
        x.set("folioVenta", a.out().value("FolioVenta"));
    }));
    t.push_back(call("the invoiced order", "Lista_CarroXID", {"NuCarro=$carro"}, [](const Answer& a, Context& x) {
        const QJsonObject p = a.rows("ArrayPedido")[0].toObject();
        QCOMPARE(p.value("NuPaso").toInt(), 2);
        QCOMPARE(p.value("FolioVenta").toInt(), x.whole("folioVenta"));
    }));
    t.push_back(call("stock after the sale", "Producto_Existencia",
                     {"ID=$producto", "NuAlmacen=$nuAlmacenDemo", "IncPOS=true", "IncPedCap=true", "IncPedPro=true"},
                     [](const Answer& a, Context& x) {
                         COMPARE_MONEY(a.out().value("Expediente").toDouble(), x.number("expediente") - 5);
                         COMPARE_MONEY(a.out().value("Pedidos").toDouble(), x.number("pedidos"));
                     }));
    t.push_back(call("invoice PDF of the sale", "GeneraPDF_FacturaXFolioVenta", {"FolioVenta=$folioVenta"},
                     [](const Answer& a, Context& x) { checkPdf(a.result(), x.get("nombreCliente")); }));

    // --- delivery and review of the sale -----------------------------------
    t.push_back(call("the sale by its folio", "BuscarFolioVentaCFDI", {"FolioOpera=$folioVenta"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result().toInt(), 2);
        QCOMPARE(a.out().value("FolioVenta").toInt(), x.whole("folioVenta"));
        QCOMPARE(a.out().value("Estatus").toInt(), 1);
        const QJsonObject c = a.out().value("CFDI").toObject();
        QCOMPARE(c.value("UUID").toString().size(), 36);
        QCOMPARE(c.value("TipoDeComprobante").toString(), QStringLiteral("I"));
        QCOMPARE(c.value("RECEPTOR").toString(), x.get("nombreCliente"));
        COMPARE_MONEY(c.value("Total").toDouble(), x.number("total"));
        QCOMPARE(c.value("NuCarro").toInt(), x.whole("carro"));
        const QJsonArray concepts = c.value("ArrayConcepto").toArray();
        QCOMPARE(concepts.size(), 2);
        QCOMPARE(concepts[0].toObject().value("NoIdentificacion").toString(), x.get("producto"));
        QCOMPARE(concepts[0].toObject().value("CantidadEnt").toDouble(), 0.0);
        x.set("uuid", c.value("UUID"));
        x.set("serie", c.value("Serie"));
        x.set("folio", c.value("Folio"));
        x.set("qr", c.value("QRCode"));
    }));
    t.push_back(call("the sale by the QR of its invoice", "BuscarFolioVentaCFDI", {"FolioOpera=$qr"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result().toInt(), 2);
        QCOMPARE(a.out().value("FolioVenta").toInt(), x.whole("folioVenta"));
    }));
    t.push_back(call("a folio that is not one", "BuscarFolioVentaCFDI", {"FolioOpera=PED-12X"}, [](const Answer& a, Context&) {
        QCOMPARE(a.result().toInt(), 1);
        QCOMPARE(a.out().value("FolioVenta").toInt(), 0);
    }));
    t.push_back(call("review of the sale", "RevisionVentaBasicoJSon", {"Folio=$folioVenta"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.out().value("Msg").toString(), QString());
        const QStringList lines = a.result().toString().split(u'|', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QStringList first = lines[0].split(u',');
        QCOMPARE(first.value(0), x.get("producto"));
        QCOMPARE(first.value(5), QStringLiteral("5"));
        QCOMPARE(first.value(6), QString::number(x.number("precio"), 'f', 2));
        QCOMPARE(lines[1].split(u',').value(0), x.get("producto2"));
    }));
    t.push_back(call("delivery rescheduled", "RegistrarEntrega", {"FolioVenta=$folioVenta", "Estatus=5", "Notas=Cliente ausente"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 2); }));
    t.push_back(call("delivery rescheduled with a signature", "RegistrarEntregaFirma",
                     {"FolioVenta=$folioVenta", "Estatus=5", "Notas=Negocio cerrado", "Firma=" + QString::fromLatin1(kFirma.toBase64())},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 2); }));
    t.push_back(call("delivered with signature and position", "RegistrarEntregaFirmaCoord",
                     {"FolioVenta=$folioVenta", "Estatus=3", "Notas=", "Latitud=21.1221", "Longitud=-101.6824",
                      "Firma=" + QString::fromLatin1(kFirma.toBase64())},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 2); }));
    t.push_back(call("the delivered sale", "BuscarFolioVentaCFDI", {"FolioOpera=$folioVenta"}, [](const Answer& a, Context&) {
        QCOMPARE(a.out().value("Estatus").toInt(), 3);
        const QJsonObject line = a.out().value("CFDI").toObject().value("ArrayConcepto").toArray()[0].toObject();
        QCOMPARE(line.value("CantidadEnt").toDouble(), line.value("Cantidad").toDouble());
    }));
    t.push_back(call("delivered twice", "RegistrarEntrega", {"FolioVenta=$folioVenta", "Estatus=3", "Notas="},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 1); }));
    t.push_back(lastError("explanation of the second delivery", "La venta $folioVenta ya tiene registrada su entrega (Entregado)"));
    t.push_back(fault("delivery with a bad signature", "RegistrarEntregaFirma",
                      {"FolioVenta=$folioVenta", "Estatus=3", "Notas=", "Firma=" + QString::fromLatin1(QByteArray("GIF89a").toBase64())},
                      "La firma no es una imagen JPEG"));

    // --- collections ----------------------------------------------------
    t.push_back(call("open documents of the client", "ListaCliente_Deuda", {"NuMoneda=1", "NuCliente=$clienteCredito"}, [](const Answer& a, Context& x) {
        const QJsonArray docs = a.rows("ArrayCobranza");
        QCOMPARE(docs.size(), 1);
        const QJsonObject d = docs[0].toObject();
        QCOMPARE(d.value("SerieFactura").toString(), x.get("serie"));
        QCOMPARE(text(d.value("FolioFactura")), x.get("folio"));
        QCOMPARE(d.value("UUID").toString(), x.get("uuid"));
        COMPARE_MONEY(d.value("ImporteDeuda").toDouble(), x.number("total"));
        x.set("mov", d.value("NuCliente_Mov"));
        x.set("deuda", d.value("ImporteDeuda"));
    }));
    t.push_back(call("a payment on the invoice", "Cliente_AbonoMultiple",
                     {"NUCLIENTE_MOVS=$mov,0,0,0,0,0,0,0,0,0,", "NUUSER=$nuUser", "NUCORTE=0", "NUALMACEN=$nuAlmacenDemo",
                      "PAGONUMONEDA=1", "ABONO=100.50", "TCCOBRO=0", "FECHAPAGO=$hoy", "NUMETODOPAGOCOB=R",
                      "NUMOPERACION=SPEI 88213", "DESCRIPCION=Abono a factura"},
                     [](const Answer& a, Context& x) {
                         QCOMPARE(a.result(), QJsonValue(true));
                         QVERIFY(a.out().value("FOLIOABONO").toInt() > 0);
                         x.set("abono", a.out().value("FOLIOABONO"));
                     }));
    t.push_back(call("the payment lowered the debt", "ListaCliente_Deuda", {"NuMoneda=1", "NuCliente=$clienteCredito"}, [](const Answer& a, Context& x) {
        const QJsonObject d = findRow(a.rows("ArrayCobranza"), "NuCliente_Mov", x.get("mov"));
        QVERIFY(!d.isEmpty());
        COMPARE_MONEY(d.value("ImporteDeuda").toDouble(), x.number("deuda") - 100.50);
        COMPARE_MONEY(d.value("ImporteOriginal").toDouble(), x.number("total"));
    }));
    t.push_back(fault("a payment over the debt", "Cliente_AbonoMultiple",
                      {"NUCLIENTE_MOVS=$mov,", "NUUSER=$nuUser", "NUCORTE=0", "NUALMACEN=0", "PAGONUMONEDA=1",
                       "ABONO=99999999", "TCCOBRO=0", "FECHAPAGO=$hoy", "NUMETODOPAGOCOB=F", "NUMOPERACION=1",
                       "DESCRIPCION="},
                      "es mayor a la deuda de los documentos"));
    t.push_back(call("payments of the client", "ListaCliente_Pagos", {"NuCliente=$clienteCredito"}, [](const Answer& a, Context& x) {
        const QJsonObject p = findRow(a.rows("ArrayCobranza"), "FolioFactura", x.get("abono"));
        QVERIFY(!p.isEmpty());
        COMPARE_MONEY(p.value("ImporteOriginal").toDouble(), 100.50);
        QCOMPARE(p.value("Tipo").toInt(), 3);
        QVERIFY(p.value("Descripcion").toString().contains(QLatin1String("SPEI 88213")));
        x.set("serieRecibo", p.value("SerieFactura"));
    }));
    t.push_back(call("invoices of the client", "ListaCliente_Facturas", {"NuCliente=$clienteCredito"}, [](const Answer& a, Context& x) {
        const QJsonObject f = findRow(a.rows("ArrayCobranza"), "NuPedido", x.get("folioVenta"));
        QVERIFY(!f.isEmpty());
        QCOMPARE(text(f.value("FolioFactura")), x.get("folio"));
        COMPARE_MONEY(f.value("ImporteOriginal").toDouble(), x.number("total"));
        COMPARE_MONEY(f.value("ImporteDeuda").toDouble(), x.number("deuda") - 100.50);
    }));
    t.push_back(call("the invoice as a record", "GeneraClass_Factura", {"Serie=$serie", "Folio=$folio"}, [](const Answer& a, Context& x) {
        const QJsonObject c = a.record();
        QCOMPARE(c.value("UUID").toString(), x.get("uuid"));
        QCOMPARE(c.value("Count").toInt(), 2);
        COMPARE_MONEY(c.value("Total").toDouble(), x.number("total"));
        COMPARE_MONEY(c.value("SubTotal").toDouble() + c.value("IVA").toDouble(), x.number("total"));
    }));
    t.push_back(call("the invoice PDF", "GeneraPDF_Factura", {"Serie=$serie", "Folio=$folio"},
                     [](const Answer& a, Context& x) { checkPdf(a.result(), x.get("uuid")); }));
    t.push_back(call("the receipt as a record", "GeneraClass_Recibo", {"Serie=$serieRecibo", "Folio=$abono"}, [](const Answer& a, Context& x) {
        const QJsonObject c = a.record();
        QCOMPARE(c.value("TipoDeComprobante").toString(), QStringLiteral("P"));
        COMPARE_MONEY(c.value("Monto").toDouble(), 100.50);
        QCOMPARE(c.value("FormaDePagoP").toString(), QStringLiteral("03"));
        const QJsonObject paid = c.value("ArrayConcepto").toArray()[0].toObject();
        QCOMPARE(paid.value("IdDocumento").toString(), x.get("uuid"));
        COMPARE_MONEY(paid.value("ImpSaldoAnt").toDouble(), x.number("deuda"));
        COMPARE_MONEY(paid.value("ImpPagado").toDouble(), 100.50);
        COMPARE_MONEY(paid.value("ImpSaldoInsoluto").toDouble(), x.number("deuda") - 100.50);
    }));
    t.push_back(call("the receipt PDF", "GeneraPDF_Recibo", {"Serie=$serieRecibo", "Folio=$abono"},
                     [](const Answer& a, Context& x) { checkPdf(a.result(), x.get("nombreCliente")); }));
    t.push_back(call("PDF of an invoice that does not exist", "GeneraPDF_Factura", {"Serie=$serie", "Folio=99999999"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toString(), QString()); }));
    t.push_back(lastError("explanation of the missing invoice", "No existe la factura $serie-99999999"));
    t.push_back(call("account statement PDF", "GeneraPDF_EstadoCuenta", {"NuCliente=$clienteCredito", "NuMoneda=1", "Year=$anio"},
                     [](const Answer& a, Context& x) { checkPdf(a.result(), x.get("nombreCliente")); }));
    t.push_back(call("aged balances PDF", "GeneraPDF_AntSaldos", {"NuCliente=$clienteCredito", "NuMoneda=1"},
                     [](const Answer& a, Context& x) { checkPdf(a.result(), x.get("nombreCliente")); }));

    // --- a price waiting for a manager ---------------------------------------
    t.push_back(call("save an order with a special price", "Guardar_Carro",
                     {order(QString(), 1, "[{\"NuProducto\":\"$producto2\",\"Cantidad\":2,\"Precio\":$precioEspecial,"
                                          "\"TasaIVA\":$iva2,\"VNuMedida\":$medida2,\"VUnidades\":1,\"REQ_AUTH\":\"R\"}]")},
                     [](const Answer& a, Context& x) {
                         QCOMPARE(a.result().toInt(), 2);
                         x.set("carroPrecio", a.out().value("NuCarro"));
                     }));
    t.push_back(call("prices waiting", "Lista_AutorizaPrecioXTipo", {"Tipo=1", "FechaMDY=$hoyMDY"}, [](const Answer& a, Context& x) {
        const QJsonObject r = findRow(a.rows("ArrayAutorizaPrecio"), "NuCarro", x.get("carroPrecio"));
        QVERIFY(!r.isEmpty());
        QCOMPARE(r.value("N123").toString(), x.get("producto2"));
        COMPARE_MONEY(r.value("Precio").toDouble(), x.number("precioEspecial"));
        QCOMPARE(r.value("Cantidad").toDouble(), 2.0);
        QCOMPARE(r.value("Cliente").toString(), x.get("nombreCliente"));
        x.set("carroMov", r.value("NuCarro_Mov"));
    }));
    t.push_back(call("send the special price order to process", "Procesar_Carro", {"NuPedido=$carroPrecio", "Proceso=1"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 2); }));
    t.push_back(call("ticket while the price waits", "Procesar_Carro", {"NuPedido=$carroPrecio", "Proceso=5"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result().toInt(), 3); }));
    t.push_back(lastError("explanation of the waiting price", "El pedido $carroPrecio tiene precios pendientes de autorización"));
    t.push_back(call("approve the price", "AutorizarPrecio", {"NuCarro=$carroPrecio", "NuCarro_Mov=$carroMov", "Auth=A"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result(), QJsonValue(true)); }));
    t.push_back(call("prices approved today", "Lista_AutorizaPrecioXTipo", {"Tipo=3", "FechaMDY=$hoyMDY"}, [](const Answer& a, Context& x) {
        QVERIFY(!findRow(a.rows("ArrayAutorizaPrecio"), "NuCarro_Mov", x.get("carroMov")).isEmpty());
    }));
    t.push_back(call("approved prices no longer wait", "Lista_AutorizaPrecioXTipo", {"Tipo=1", "FechaMDY=$hoyMDY"}, [](const Answer& a, Context& x) {
        QVERIFY(findRow(a.rows("ArrayAutorizaPrecio"), "NuCarro_Mov", x.get("carroMov")).isEmpty());
    }));
    t.push_back(call("approve the same price again", "AutorizarPrecio", {"NuCarro=$carroPrecio", "NuCarro_Mov=$carroMov", "Auth=A"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result(), QJsonValue(false)); }));
    t.push_back(lastError("explanation of the second approval", "No hay una solicitud de precio pendiente del pedido $carroPrecio"));
    t.push_back(call("ticket at the approved price", "Procesar_Carro", {"NuPedido=$carroPrecio", "Proceso=5"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result().toInt(), 2);
        QVERIFY(a.out().value("FolioVenta").toInt() > x.whole("folioVenta"));
    }));

    // --- inventory count ------------------------------------------------
    t.push_back(call("new count list", "TI_NuevaLista", {"Descripcion=Conteo pasillo 3"}, [](const Answer& a, Context& x) {
        QCOMPARE(a.result(), QJsonValue(true));
        QVERIFY(a.out().value("FolioLista").toInt() > 0);
        x.set("lista", a.out().value("FolioLista"));
    }));
    t.push_back(call("the new list is open", "TI_Folio", {"FolioLista=$lista"}, [](const Answer& a, Context&) {
        QCOMPARE(a.result(), QJsonValue(true));
        QCOMPARE(a.out().value("Nombre").toString(), QStringLiteral("Conteo pasillo 3"));
    }));
    t.push_back(call("count pieces", "TI_NuevaConteo",
                     {"FolioLista=$lista", "N123=$producto", "CANTIDAD=7", "UXC=1", "NUMEDIDA=$medida"},
                     [](const Answer& a, Context& x) {
                         QCOMPARE(a.result(), QJsonValue(true));
                         x.set("conteo1", a.out().value("NuMov"));
                     }));
    t.push_back(call("count boxes", "TI_NuevaConteo",
                     {"FolioLista=$lista", "N123=$producto", "CANTIDAD=2", "UXC=$uxc", "NUMEDIDA=$medidaCaja"},
                     [](const Answer& a, Context& x) {
                         QCOMPARE(a.result(), QJsonValue(true));
                         QVERIFY(a.out().value("NuMov").toInt() > x.whole("conteo1"));
                         x.set("conteo2", a.out().value("NuMov"));
                     }));
    t.push_back(call("count with a unit the product does not have", "TI_NuevaConteo",
                     {"FolioLista=$lista", "N123=$producto", "CANTIDAD=2", "UXC=1000", "NUMEDIDA=$medidaCaja"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result(), QJsonValue(false)); }));
    t.push_back(lastError("explanation of the wrong unit", "no es una unidad del producto $producto"));
    t.push_back(call("the counted lines", "TI_ListaTomaInventario", {"FolioLista=$lista"}, [](const Answer& a, Context& x) {
        const QJsonArray lines = a.rows("ArrayTomaInv");
        QCOMPARE(a.record().value("NuListaInv").toInt(), x.whole("lista"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(text(lines[0].toObject().value("NuListaInv_Mov")), x.get("conteo1"));
        QCOMPARE(lines[0].toObject().value("Unidad").toString(), x.get("unidad"));
        QCOMPARE(lines[0].toObject().value("Cantidad").toDouble(), 7.0);
        QCOMPARE(lines[1].toObject().value("Unidad").toString(), x.get("unidadCaja"));
        QCOMPARE(lines[1].toObject().value("BarCode").toString(), x.get("barcodeCaja"));
        QCOMPARE(lines[1].toObject().value("UXC").toDouble(), x.number("uxc"));
    }));
    t.push_back(call("delete a counted line", "TI_EliminaConteo", {"FolioLista=$lista", "Mov=$conteo1"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result(), QJsonValue(true)); }));
    t.push_back(call("the deleted line is marked", "TI_ListaTomaInventario", {"FolioLista=$lista"}, [](const Answer& a, Context& x) {
        const QJsonArray lines = a.rows("ArrayTomaInv");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].toObject().value("NuListaInv_Mov").toInt(), -x.whole("conteo1"));
        QCOMPARE(lines[1].toObject().value("NuListaInv_Mov").toInt(), x.whole("conteo2"));
    }));
    t.push_back(call("delete the same line again", "TI_EliminaConteo", {"FolioLista=$lista", "Mov=$conteo1"},
                     [](const Answer& a, Context&) { QCOMPARE(a.result(), QJsonValue(false)); }));
    t.push_back(call("a closed list", "TI_Folio", {"FolioLista=$listaCerrada"}, [](const Answer& a, Context&) {
        QCOMPARE(a.result(), QJsonValue(false));
        QVERIFY(a.out().value("Msg").toString().contains(QLatin1String("cerrada")));
    }));

    // --- statistics of a past day and its year (sales, then purchases) -------
    t.push_back(call("branches", "GM_ListaSucursales", {}, [](const Answer& a, Context& x) {
        const QJsonArray rows = a.rows("ArrayDBS");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].toObject().value("Nombre").toString(), x.get("empresa0"));
    }));
    t.push_back(call("sales of the day by branch", "GM_IngresoXDia2",
                     {"Y=$diaY", "M=$diaM", "D=$diaD", "FiltroXN123=", "ConImpuesto=false"}, dayByBranch("ventasDia")));
    t.push_back(call("sales of the day by category", "GM_IngresoXDiaXCategoria2",
                     {"Y=$diaY", "M=$diaM", "D=$diaD", "DB=0", "NuAlmacen=-1", "FiltroXN123=", "ConImpuesto=false"},
                     dayByCategory("ventasDia")));
    t.push_back(call("company status of the day", "GM_EstatusEmpresa", {"Y=$diaY", "M=$diaM", "D=$diaD", "ConImpuesto=false"},
                     [](const Answer& a, Context& x) {
                         const QJsonObject s = a.record();
                         COMPARE_MONEY(s.value("VentasContado").toDouble() + s.value("VentasCredito").toDouble(), x.number("ventasDia"));
                         COMPARE_MONEY(s.value("VentasContado").toDouble(), x.number("ventasDiaContado"));
                         QVERIFY(!s.value("Mas1VendidoProducto").toString().isEmpty());
                         QVERIFY(s.value("Mas1VendidoProductoT").toDouble() >= s.value("Mas2VendidoProductoT").toDouble());
                     }));
    t.push_back(call("company status of the day with taxes", "GM_EstatusEmpresa", {"Y=$diaY", "M=$diaM", "D=$diaD", "ConImpuesto=true"},
                     [](const Answer& a, Context& x) {
                         const QJsonObject s = a.record();
                         QVERIFY(s.value("VentasContado").toDouble() > x.number("ventasDiaContado") - 0.005);
                         COMPARE_MONEY(sumPrefixed(s, "Cobrado"), s.value("VentasContado").toDouble());
                         COMPARE_MONEY(sumPrefixed(s, "Cobranza"), s.value("Cobranza").toDouble());
                     }));
    t.push_back(call("sales of the year by month", "GM_EjercicioXMes", {"Year=$diaY", "DB=0", "FiltroXN123=", "ConImpuesto=false"},
                     periodRows("ArrayInfo4", 12, "ventasAnio")));
    t.push_back(call("sales of the year by week", "GM_EjercicioXSem", {"Year=$diaY", "DB=0", "FiltroXN123=", "ConImpuesto=false"},
                     periodRows("ArrayInfo3", 53, "ventasAnioSem", "ventasAnio")));
    t.push_back(call("purchases of the day by branch", "GM_CompraXDia2",
                     {"Y=$diaY", "M=$diaM", "D=$diaD", "FiltroXN123=", "ConImpuesto=false"}, dayByBranch("comprasDia")));
    t.push_back(call("purchases of the day by category", "GM_CompraXDiaXCategoria2",
                     {"Y=$diaY", "M=$diaM", "D=$diaD", "DB=0", "NuAlmacen=-1", "FiltroXN123=", "ConImpuesto=false"},
                     dayByCategory("comprasDia")));
    t.push_back(call("purchase status of the day", "GM_EstatusEmpresaCompra", {"Y=$diaY", "M=$diaM", "D=$diaD", "ConImpuesto=false"},
                     [](const Answer& a, Context& x) {
                         const QJsonObject s = a.record();
                         COMPARE_MONEY(s.value("VentasContado").toDouble() + s.value("VentasCredito").toDouble(), x.number("comprasDia"));
                         QCOMPARE(s.value("Cobranza").toDouble(), 0.0);
                     }));
    t.push_back(call("purchases of the year by month", "GM_CompraEjercicioXMes", {"Year=$diaY", "DB=0", "FiltroXN123=", "ConImpuesto=false"},
                     periodRows("ArrayInfo4", 12, "comprasAnio")));
    t.push_back(call("purchases of the year by week", "GM_CompraEjercicioXSem", {"Year=$diaY", "DB=0", "FiltroXN123=", "ConImpuesto=false"},
                     periodRows("ArrayInfo3", 53, "comprasAnioSem", "comprasAnio")));
    t.push_back(fault("statistics of an impossible day", "GM_IngresoXDia2",
                      {"Y=$diaY", "M=2", "D=30", "FiltroXN123=", "ConImpuesto=false"}, "no es válida"));

    // --- purchase and sales history -------------------------------------
    t.push_back(call("purchases of a product, at most 3", "GM_HistorialComprasXSuc", {"N123=$compraProducto", "Sucursal=0", "Max=3"},
                     [](const Answer& a, Context&) {
                         const QJsonArray rows = a.rows("ArrayCompras");
                         QCOMPARE(rows.size(), 3);
                         QCOMPARE(a.record().value("Count").toInt(), 3);
                         checkNewestFirst(rows);
                         for (const QJsonValue& v : rows) {
                             QVERIFY(!v.toObject().value("Proveedor").toString().isEmpty());
                             QVERIFY(v.toObject().value("Cant").toDouble() > 0);
                         }
                     }));
    t.push_back(call("sales of a product to a client, at most 2", "GM_HistorialVentas",
                     {"N123=$ventaProducto", "NuCliente=$ventaCliente", "Max=2"}, [](const Answer& a, Context& x) {
                         const QJsonArray rows = a.rows("ArrayCompras");
                         QCOMPARE(rows.size(), 2);
                         checkNewestFirst(rows);
                         for (const QJsonValue& v : rows)
                             QCOMPARE(v.toObject().value("Proveedor").toString(), x.get("ventaNombre"));
                     }));
    t.push_back(call("the invoice among the sales of the product to the client", "GM_HistorialVentas",
                     {"N123=$producto", "NuCliente=$clienteCredito", "Max=50"}, [](const Answer& a, Context& x) {
                         const QJsonArray rows = a.rows("ArrayCompras");
                         checkNewestFirst(rows);
                         const QJsonObject sale = findRow(rows, "NuCompra", x.get("folioVenta"));
                         QVERIFY(!sale.isEmpty());
                         QCOMPARE(sale.value("Cant").toDouble(), 5.0);
                         COMPARE_MONEY(sale.value("Costo").toDouble(), x.number("precio"));
                         COMPARE_MONEY(sale.value("SubTotal").toDouble(), 5 * x.number("precio"));
                         QVERIFY(sale.value("Folio").toString().endsWith(x.get("folio")));
                     }));
    t.push_back(fault("history with no room", "GM_HistorialVentas", {"N123=$producto", "NuCliente=$clienteCredito", "Max=0"},
                      "El número de registros debe ser mayor a cero"));
    return t;
}

const std::vector<Row>& rows()
{
    static const std::vector<Row> t = table();
    return t;
}

} // namespace

class CliSandboxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_sandbox = std::make_unique<SandboxProcess>();
        QVERIFY2(m_sandbox->running(), qPrintable(m_sandbox->errors()));
        const QDate today = QDate::currentDate();
        m_context.set("host", m_sandbox->hostAndPort());
        m_context.set("hoy", today.toString(Qt::ISODate));
        m_context.set("hoyT", today.toString(Qt::ISODate) + QStringLiteral("T00:00:00"));
        m_context.set("hoyMDY", today.toString(QStringLiteral("MM/dd/yyyy")));
        m_context.set("anio", today.year());
        pickFromDemoStore();
    }

    void everyCalledOperationHasARow()
    {
        QSet<QString> covered;
        for (const Row& r : rows())
            covered.insert(r.operation);
        for (const char* op : kCalledOperations)
            QVERIFY2(covered.contains(QLatin1String(op)), op);
    }

    void operations_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < rows().size(); ++i)
            QTest::newRow(qPrintable(rows()[i].operation + QStringLiteral(": ") + rows()[i].name)) << int(i);
    }

    // Rows run in table order; a row uses what the rows before it found.
    void operations()
    {
        QFETCH(int, index);
        const Row& row = rows()[size_t(index)];
        QStringList missing;
        QStringList args;
        for (const QString& a : row.args)
            args << m_context.expand(a, &missing);
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("needs %1 from an earlier row").arg(missing.join(u','))));

        const Answer a = run(row, args);
        if (!row.fault.isEmpty()) {
            QCOMPARE(a.exitCode, 1);
            QVERIFY(a.outputText.isEmpty());
            const QString want = m_context.expand(row.fault);
            QVERIFY2(a.errorText.contains(want), qPrintable(QStringLiteral("'%1' does not say '%2'").arg(a.errorText, want)));
            return;
        }
        QVERIFY2(a.exitCode == 0, qPrintable(QStringLiteral("exit %1: %2").arg(a.exitCode).arg(a.errorText)));
        QVERIFY2(a.json.contains(QLatin1String("out")), qPrintable(a.outputText.left(300)));
        row.check(a, m_context);
    }

    void cleanupTestCase()
    {
        if (m_sandbox)
            m_sandbox->stop();
    }

private:
    Answer run(const Row& row, const QStringList& args)
    {
        QProcess p;
        p.setProgram(QStringLiteral(KORVEL_CLI_PATH));
        p.setArguments(QStringList{"--wsdl", m_sandbox->descriptionUrl(), "--user", row.user, "--pass", row.pass, "call",
                                   row.operation}
                       + args);
        p.start();
        Answer a;
        if (!p.waitForFinished(kCliTimeoutMs)) {
            p.kill();
            p.waitForFinished();
            a.errorText = QStringLiteral("korvel-cli did not finish");
            return a;
        }
        a.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        const QByteArray out = p.readAllStandardOutput();
        a.outputText = QString::fromUtf8(out).trimmed();
        a.errorText = QString::fromUtf8(p.readAllStandardError()).trimmed();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
        if (a.exitCode == 0 && (error.error != QJsonParseError::NoError || !doc.isObject()))
            a.errorText = QStringLiteral("answer is not JSON: ") + error.errorString();
        a.json = doc.object();
        return a;
    }

    // Demo rows the table works with, read from the sandbox's store file.
    void pickFromDemoStore()
    {
        const QString connection = QStringLiteral("demo-store");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(m_sandbox->databaseFile());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY2(db.open(), qPrintable(db.lastError().text()));
            auto pick = [&](const QString& sql, const QStringList& names) {
                QSqlQuery q(db);
                QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
                QVERIFY2(q.next(), qPrintable(QStringLiteral("the demo store has no row for: ") + sql));
                for (int i = 0; i < names.size(); ++i)
                    m_context.set(names[i], q.value(i).toString());
            };
            pick(QStringLiteral("SELECT e0.Nombre, e1.Nombre FROM empresas e0, empresas e1 WHERE e0.NuEmpresa = 0 AND e1.NuEmpresa = 1"),
                 {"empresa0", "empresa1"});
            pick(QStringLiteral("SELECT a.NuAlmacen, a.Nombre FROM usuarios u JOIN almacenes a ON a.NuAlmacen = u.NuAlmacen"
                                " WHERE u.Login = 'demo' AND u.NuEmpresa = 0"),
                 {"nuAlmacenDemo", "almacenDemo"});
            pick(QStringLiteral("SELECT a.Nombre FROM usuarios u JOIN almacenes a ON a.NuAlmacen = u.NuAlmacen"
                                " WHERE u.Login = 'demo' AND u.NuEmpresa = 1"),
                 {"almacenDemo1"});
            // A credit client with a delivery address who owes nothing.
            pick(QStringLiteral("SELECT c.NuClienteKorvel, c.Nombre, c.Limite FROM clientes c"
                                " WHERE c.NuEmpresa = 0 AND c.NuTipoPago = 2 AND c.Limite > 0 AND c.CreditoSuspendido = 0"
                                " AND c.EsPublicoGeneral = 0 AND (c.DomicilioEntrega <> '' OR c.Calle <> '')"
                                " AND NOT EXISTS (SELECT 1 FROM cliente_movs m WHERE m.NuCliente = c.NuClienteKorvel"
                                "   AND m.ImporteDeuda > 0.005)"
                                " ORDER BY c.NuClienteKorvel LIMIT 1"),
                 {"clienteCredito", "nombreCliente", "limite"});
            const QStringList words = fold(m_context.get("nombreCliente")).split(u' ', Qt::SkipEmptyParts);
            m_context.set("apellido", words.size() > 1 ? words[words.size() - 2] : words.value(0));
            pick(QStringLiteral("SELECT NuClienteKorvel FROM clientes WHERE NuEmpresa = 0 AND NuTipoPago = 1"
                                " AND EsPublicoGeneral = 0 ORDER BY NuClienteKorvel LIMIT 1"),
                 {"clienteContado"});
            // Two products sold by the piece and by a box whose barcode is
            // no other product's, without IEPS or a second tax.
            const QString products = QStringLiteral(
                "SELECT p.ID, p.Precio01, p.TasaIVA, p.NuUnidadMedida, p.NuUnidadMedida2, p.UXC2, p.Unidad, p.Unidad2,"
                " p.Barcode2, p.Modelo, p.BuscaDescripcion FROM productos p"
                " WHERE p.NuEstado = 0 AND p.NuMoneda = 1 AND p.Precio01 > 0 AND p.TasaIEPS = 0 AND p.Tasa2 = 0"
                " AND p.NuUnidadMedida > 0 AND p.NuUnidadMedida2 > 0 AND p.UXC2 > 1 AND p.Barcode2 <> '' AND p.Modelo <> ''"
                " AND NOT EXISTS (SELECT 1 FROM productos q WHERE q.ID <> p.ID AND upper(p.Barcode2) IN"
                "   (upper(q.ID), upper(q.Barcode1), upper(q.Barcode2), upper(q.Barcode3), upper(q.Barcode4), upper(q.Barcode5)))"
                " ORDER BY p.ID LIMIT 1 OFFSET %1");
            pick(products.arg(0), {"producto", "precio", "iva", "medida", "medidaCaja", "uxc", "unidad", "unidadCaja",
                                   "barcodeCaja", "modelo", "buscaDescripcion"});
            pick(products.arg(1), {"producto2", "precio2", "iva2", "medida2", "medidaCaja2", "uxc2", "unidad2",
                                   "unidadCaja2"});
            const QStringList description = m_context.get("buscaDescripcion").split(u' ', Qt::SkipEmptyParts);
            m_context.set("palabra1", description.value(0));
            m_context.set("palabra2", description.value(description.size() - 1));
            m_context.set("precioCaja2", m_context.number("precio2") * m_context.number("uxc2"));
            m_context.set("precioEspecial", std::round(m_context.number("precio2") * 90) / 100);
            pick(QStringLiteral("SELECT ID FROM producto_fotos WHERE Foto IS NOT NULL AND Ficha <> '' ORDER BY ID LIMIT 1"),
                 {"fotoProducto"});
            pick(QStringLiteral("SELECT m.ID FROM compras_mov m JOIN compras c ON c.NuCompra = m.NuCompra WHERE c.NuEmpresa = 0"
                                " GROUP BY m.ID HAVING COUNT(*) > 3 ORDER BY COUNT(*) DESC, m.ID LIMIT 1"),
                 {"compraProducto"});
            pick(QStringLiteral("SELECT v.NuCliente, m.ID, c.Nombre FROM ventas_mov m JOIN ventas v ON v.FolioVenta = m.FolioVenta"
                                " JOIN clientes c ON c.NuClienteKorvel = v.NuCliente"
                                " WHERE v.NuEmpresa = 0 AND v.Cancelada = 0 GROUP BY v.NuCliente, m.ID HAVING COUNT(*) > 2"
                                " ORDER BY COUNT(*) DESC, v.NuCliente LIMIT 1"),
                 {"ventaCliente", "ventaProducto", "ventaNombre"});
            pick(QStringLiteral("SELECT NuListaInv FROM listas_inv WHERE NuEmpresa = 0 AND Abierta = 0 ORDER BY NuListaInv LIMIT 1"),
                 {"listaCerrada"});
            // The latest past day with sales and purchases in the first branch
            // (today's figures move while the table runs).
            pick(QStringLiteral("SELECT substr(v.Fecha, 1, 10) AS d FROM ventas v WHERE v.NuEmpresa = 0 AND v.Cancelada = 0"
                                " AND substr(v.Fecha, 1, 10) < '%1' AND EXISTS (SELECT 1 FROM compras c WHERE c.NuEmpresa = 0"
                                "   AND substr(c.Fecha, 1, 10) = substr(v.Fecha, 1, 10))"
                                " ORDER BY d DESC LIMIT 1")
                     .arg(m_context.get("hoy")),
                 {"dia"});
        }
        QSqlDatabase::removeDatabase(connection);
        const QDate day = QDate::fromString(m_context.get("dia"), Qt::ISODate);
        QVERIFY(day.isValid());
        m_context.set("diaY", day.year());
        m_context.set("diaM", day.month());
        m_context.set("diaD", day.day());
    }

    std::unique_ptr<SandboxProcess> m_sandbox;
    Context m_context;
};

QTEST_GUILESS_MAIN(CliSandboxTest)
#include "tst_cli_sandbox.moc"
