// korvel-cli: the JSON it prints for answers, how it fills requests from the
// command line, and its exit codes.

#include "service/Ikorvel.h"
#include "tools/CliCall.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace korvel;

class CliTest : public QObject {
    Q_OBJECT

private slots:
    void answerJsonHasEveryFieldInWireOrder()
    {
        ops::GetEmpresa::Response r;
        r.result.Nombre = QStringLiteral("  Distribuidora  ");
        r.result.TC_VentaCredito = 17.25;
        const QByteArray json = cli::responseJson(ops::GetEmpresa::info(), &r);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(json, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(o.contains(QStringLiteral("out")));
        const QJsonObject e = o.value(QStringLiteral("result")).toObject();
        QCOMPARE(e.size(), TEmpresa::info().fieldCount);
        QCOMPARE(e.value(QStringLiteral("Nombre")).toString(), QStringLiteral("  Distribuidora  "));
        QCOMPARE(e.value(QStringLiteral("Comercial")).toString(), QString());
        QCOMPARE(e.value(QStringLiteral("IVAIncluido")).toBool(true), false);
        // Wire order as printed, not the alphabetical order of a JSON object.
        qsizetype last = -1;
        for (const FieldInfo& f : TEmpresa::info().fieldList()) {
            const qsizetype at = json.indexOf("\"" + QByteArray(f.name, f.nameLength) + "\":");
            QVERIFY2(at > last, f.name);
            last = at;
        }
    }

    void datesKeepTheirZoneAndNilObjectsAreNull()
    {
        ops::ListaCliente_Deuda::Response r;
        r.result.Count = 1;
        r.result.ArrayCobranza.resize(1);
        TCobranza& c = r.result.ArrayCobranza[0];
        c.Fecha = XsDateTime{QDate(2026, 12, 1), QTime(8, 0), XsZone::offset(-6 * 3600)};
        c.FechaVence = XsDateTime{QDate(2027, 1, 1), QTime(0, 0), XsZone::none()};
        const QJsonObject o = QJsonDocument::fromJson(cli::responseJson(ops::ListaCliente_Deuda::info(), &r)).object();
        const QJsonObject doc = o[QStringLiteral("result")][QStringLiteral("ArrayCobranza")][0].toObject();
        QCOMPARE(doc[QStringLiteral("Fecha")].toString(), QStringLiteral("2026-12-01T08:00:00-06:00"));
        QCOMPARE(doc[QStringLiteral("FechaVence")].toString(), QStringLiteral("2027-01-01T00:00:00"));
        QVERIFY(doc[QStringLiteral("PagoFacilidad271")].isNull());
    }

    void outHoldsOutAndInOutParametersAndNoResultWhenThereIsNone()
    {
        ops::TI_Folio::Response folio;
        folio.result = true;
        folio.Msg = QStringLiteral("Abierta");
        folio.Nombre = QStringLiteral("Bodega 1");
        const QJsonObject o = QJsonDocument::fromJson(cli::responseJson(ops::TI_Folio::info(), &folio)).object();
        QCOMPARE(o[QStringLiteral("result")].toBool(), true);
        QCOMPARE(o[QStringLiteral("out")].toObject().keys(), (QStringList{"Msg", "Nombre"}));

        ops::IncluirOpciones::Response none;
        const QJsonObject n = QJsonDocument::fromJson(cli::responseJson(ops::IncluirOpciones::info(), &none)).object();
        QVERIFY(!n.contains(QStringLiteral("result")));
        QVERIFY(n[QStringLiteral("out")].toObject().isEmpty());
    }

    void fillsRequestsFromTheCommandLine()
    {
        ops::Guardar_Carro::Request r;
        r.NuCarro = 99;
        cli::fillRequest(ops::Guardar_Carro::info(), &r, QStringLiteral("demo"), QStringLiteral("pw"),
                         {QStringLiteral("Pedido={\"NuCliente\":812,\"Count\":1,\"ArrayDetalle\":[{\"NuProducto\":\"X-1\","
                                         "\"Cantidad\":2.5}],\"Fecha\":\"2026-12-11\"}")});
        QCOMPARE(r.User, QStringLiteral("demo"));
        QCOMPARE(r.Pass, QStringLiteral("pw"));
        QCOMPARE(r.Pedido.NuCliente, 812);
        QCOMPARE(r.Pedido.ArrayDetalle.size(), std::size_t(1));
        QCOMPARE(r.Pedido.ArrayDetalle[0].Cantidad, 2.5);
        QCOMPARE(r.Pedido.Fecha.date, QDate(2026, 12, 11));
        QCOMPARE(r.NuCarro, 99); // not given: left as created

        ops::ListaCliente_Consulta::Request c;
        cli::fillRequest(ops::ListaCliente_Consulta::info(), &c, {}, {},
                         {QStringLiteral("Field=2"), QStringLiteral("Value=%a=b%")});
        QCOMPARE(c.Field, 2);
        QCOMPARE(c.Value, QStringLiteral("%a=b%"));
    }

    void refusesWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::newRow("unknown") << "Nadie=1";
        QTest::newRow("out-only") << "Exito=1";
        QTest::newRow("not-an-int") << "NuCliente=doce";
        QTest::newRow("no-equals") << "NuCliente";
    }

    void refusesWhatDoesNotFit()
    {
        QFETCH(QString, assignment);
        ops::Cliente_Consulta::Request r;
        QVERIFY_THROWS_EXCEPTION(ServiceError, cli::fillRequest(ops::Cliente_Consulta::info(), &r, {}, {}, {assignment}));
    }

    void listsEveryOperation()
    {
        const QList<QByteArray> lines = cli::operationList().trimmed().split('\n');
        QCOMPARE(lines.size(), 109);
        QCOMPARE(lines.first(), QByteArray("VersionWS -> int"));
        QVERIFY(lines.contains("Guardar_Carro in:User:string in:Pass:string in:Pedido:TPedido inout:NuCarro:int -> int"));
    }

    void processExitCodes()
    {
        QProcess p;
        p.start(QStringLiteral(KORVEL_CLI_PATH),
                {QStringLiteral("--wsdl"), QStringLiteral("http://127.0.0.1:1/WSKorvel.dll/wsdl/Ikorvel"),
                 QStringLiteral("call"), QStringLiteral("VersionWS")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("Unable to load WSDL"));
        QVERIFY(p.readAllStandardOutput().isEmpty());

        p.start(QStringLiteral(KORVEL_CLI_PATH), {QStringLiteral("wsdl"), QStringLiteral("--endpoint"),
                                                 QStringLiteral("http://127.0.0.1:9/WSKorvel.dll/soap/Ikorvel")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("location=\"http://127.0.0.1:9/WSKorvel.dll/soap/Ikorvel\""));

        p.start(QStringLiteral(KORVEL_CLI_PATH), {QStringLiteral("call")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
