#pragma once
// A sandbox on a fresh store with a small company of its own (90, with a
// second one, 91, to be refused), so the figures of the order tests do not
// depend on the demo data. Calls go through the server's SOAP handling.

#include "server/SandboxServer.h"
#include "service/Ikorvel.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace korvel::sandbox::testing {

template <class Op>
struct Answer {
    std::optional<typename Op::Response> response;  // empty after a fault
    QString fault;
};

// Login names of the fixture.
inline const QString kUser = QStringLiteral("90@prueba");      // every module
inline const QString kLimited = QStringLiteral("90@limitado"); // no orders, deliveries or review
inline const QString kOther = QStringLiteral("91@otra");       // another company
inline const QString kPass = QStringLiteral("clave");

constexpr int kCliente = 90001;          // credit client with a delivery address
constexpr int kClienteSinDomicilio = 90002;
constexpr int kClienteNuevo = 90003;     // without any movement
constexpr int kClienteOtra = 91001;      // of company 91
constexpr int kAlmacen = 9001;

class OrdersFixture {
public:
    bool start()
    {
        SandboxOptions options;
        options.database = m_dir.filePath(QStringLiteral("orders.db"));
        options.reset = true;
        m_server = std::make_unique<SandboxServer>(options);
        QString error;
        if (!m_server->start(&error)) {
            qWarning("sandbox did not start: %s", qPrintable(error));
            return false;
        }
        addCompanies();
        return true;
    }

    SandboxServer& server() { return *m_server; }
    Store& store() { return m_server->sandbox().store(); }
    QVariant scalar(const QString& sql, const QVariantList& values = {}) { return store().scalar(sql, values); }

    template <class Op>
    Answer<Op> call(const typename Op::Request& rq)
    {
        Answer<Op> a;
        int status = 0;
        const QByteArray reply = m_server->handleSoap(soap::encodeRequest(Op::info(), &rq), &status);
        typename Op::Response rs;
        try {
            soap::decodeResponse(reply, Op::info(), &rs);
            a.response = rs;
        } catch (const ServiceError& e) {
            a.fault = e.message();
        }
        return a;
    }

private:
    void exec(const char* sql, const QVariantList& values = {}) { store().exec(QString::fromUtf8(sql), values); }

    void addCompanies()
    {
        store().transaction([&] {
            // IVA on price + IEPS (option 2), 18.50 pesos per dollar.
            exec("INSERT INTO empresas (NuEmpresa, Suc, Nombre, Comercial, RFC, Domicilio, OP_IEPS_SOBRE_IVA,"
                 " TC_VentaCredito, TC_CobranzaCredito, LugarExpedicion, RegimenFiscal)"
                 " VALUES (90, 90, 'Ferretería de Prueba S.A. de C.V.', 'Ferre Prueba', 'FPR010101AA1',"
                 " 'Blvd. López Mateos 100, León, Gto.', 2, 18.5, 18.4, '37000', '601')");
            exec("INSERT INTO empresas (NuEmpresa, Suc, Nombre, RFC) VALUES (91, 91, 'Otra Empresa', 'OEM010101AA2')");
            exec("INSERT INTO almacenes (NuAlmacen, NuEmpresa, Nombre) VALUES (9001, 90, 'Matriz Prueba'),"
                 " (9101, 91, 'Otra Matriz')");
            const QString all(20, QLatin1Char('T'));
            exec("INSERT INTO usuarios (NuUser, NuEmpresa, Login, Pass, Nombre, NuAlmacen, Modulos) VALUES"
                 " (9001, 90, 'prueba', 'clave', 'Vendedor de Prueba', 9001, ?),"
                 " (9002, 90, 'limitado', 'clave', 'Usuario Limitado', 9001, 'TTTFTTTTTFTFTTTTTTTT'),"
                 " (9101, 91, 'otra', 'clave', 'Vendedor Otra', 9101, ?)",
                 {all, all});
            exec("INSERT OR IGNORE INTO categorias (NuCategoria, Descripcion) VALUES (9001, 'Prueba')");
            exec("INSERT OR IGNORE INTO unidades (NuUnidadMedida, Nombre, ClaveUnidad) VALUES (9001, 'Pieza', 'H87'),"
                 " (9002, 'Caja', 'XBX')");
            exec("INSERT INTO productos (ID, Descripcion, ClaveProdServ, NuCategoria, NuUnidadMedida, NuUnidadMedida2,"
                 " Unidad, Unidad2, UXC2, Barcode1, Barcode2, Precio01, Precio02, Costo, TasaIVA, TasaIEPS, NuEstado)"
                 " VALUES ('TST-1', 'MARTILLO UÑA CURVA 16 OZ', '27111602', 9001, 9001, 9002, 'Pieza', 'Caja', 12,"
                 " '7500000000011', '7500000000028', 100, 90, 60, 16, 8, 0),"
                 " ('TST-2', 'CLAVO 2 PULGADAS', '31161700', 9001, 9001, 0, 'Pieza', '', 1, '7500000000035', '',"
                 " 10, 9, 5, 16, 0, 0),"
                 " ('TST-BLQ', 'PRODUCTO BLOQUEADO', '', 9001, 9001, 0, 'Pieza', '', 1, '', '', 10, 9, 5, 16, 0, 2)");
            exec("INSERT INTO existencias (NuAlmacen, ID, Existencia) VALUES (9001, 'TST-1', 100), (9001, 'TST-2', 1000)");
            exec("INSERT INTO clientes (NuClienteKorvel, NuEmpresa, Nombre, RFC, Calle, Numero, Colonia, Ciudad, Estado,"
                 " CP, DomicilioEntrega, NuTipoPago, DiasCredito, Limite, Latitud, Longitud) VALUES"
                 " (90001, 90, 'Construcciones del Bajío', 'CBA020202BB1', 'Av. Juárez', '12', 'Centro', 'León',"
                 " 'Guanajuato', '37000', 'Av. Juárez 12, Centro, León', 2, 30, 100000, 21.12, -101.68),"
                 " (90002, 90, 'Mostrador Sin Domicilio', '', '', '', '', '', '', '', '', 1, 0, 0, 0, 0),"
                 " (90003, 90, 'Cliente Nuevo', '', 'Calle 5', '1', '', 'León', '', '', '', 1, 0, 0, 0, 0)");
            exec("INSERT INTO clientes (NuClienteKorvel, NuEmpresa, Nombre, Calle) VALUES (91001, 91, 'Cliente Otra', 'Calle 1')");
        });
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SandboxServer> m_server;
};

} // namespace korvel::sandbox::testing
