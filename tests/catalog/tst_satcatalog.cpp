#include "catalog/ProductState.h"
#include "catalog/SatCatalog.h"

#include <QSet>
#include <QTest>

using namespace korvel;

namespace {

enum class Catalogue { PaymentForm, TaxRegime, InvoiceUse };

QString lookUp(Catalogue catalogue, const QString &code)
{
    switch (catalogue) {
    case Catalogue::PaymentForm: return paymentFormText(code);
    case Catalogue::TaxRegime: return taxRegimeText(code);
    case Catalogue::InvoiceUse: return invoiceUseText(code);
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Catalogue)

class TstSatCatalog : public QObject
{
    Q_OBJECT

private slots:
    void codeLookup_data();
    void codeLookup();
    void paymentMethod_data();
    void paymentMethod();
    void everyCodeLooksUpItsText_data();
    void everyCodeLooksUpItsText();
    void codeListsInTableOrder();
    void productState_data();
    void productState();
};

void TstSatCatalog::codeLookup_data()
{
    QTest::addColumn<Catalogue>("catalogue");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    const auto form = Catalogue::PaymentForm;
    const auto regime = Catalogue::TaxRegime;
    const auto use = Catalogue::InvoiceUse;

    QTest::newRow("form 03") << form << "03" << "03 - Transferencia electrónica de fondos";
    QTest::newRow("form first 01") << form << "01" << "01 - Efectivo";
    QTest::newRow("form last 99") << form << "99" << "99 - Por definir";
    QTest::newRow("form without leading zero") << form << "3" << "3 - ";
    QTest::newRow("form gap 07") << form << "07" << "07 - ";
    QTest::newRow("form with a space is not trimmed") << form << " 03" << " 03 - ";
    QTest::newRow("form empty") << form << "" << " - ";
    QTest::newRow("form 5 chars unknown") << form << "03 - " << "03 -  - ";
    QTest::newRow("form 6 chars unchanged") << form << "03 - T" << "03 - T";
    QTest::newRow("form description unchanged")
        << form << "03 - Transferencia electrónica de fondos" << "03 - Transferencia electrónica de fondos";

    QTest::newRow("regime 601") << regime << "601" << "601 - General de Ley Personas Morales";
    QTest::newRow("regime 630") << regime << "630" << "630 - Enajenación de acciones en bolsa de valores";
    QTest::newRow("regime 625 (CFDI 4.0)") << regime << "625"
        << "625 - Régimen de las Actividades Empresariales con ingresos a través de Plataformas Tecnológicas";
    QTest::newRow("regime 626 (CFDI 4.0)") << regime << "626" << "626 - Régimen Simplificado de Confianza";
    QTest::newRow("regime gap 627") << regime << "627" << "627 - ";
    QTest::newRow("regime code with description unchanged")
        << regime << "612 - Personas Físicas" << "612 - Personas Físicas";
    QTest::newRow("regime does not read payment forms") << regime << "03" << "03 - ";

    QTest::newRow("use G01") << use << "G01" << "G01 - Adquisición de mercancias";
    QTest::newRow("use lower case g01") << use << "g01" << "g01 - ";
    QTest::newRow("use D10") << use << "D10" << "D10 - Pagos por servicios educativos (colegiaturas)";
    QTest::newRow("use P01") << use << "P01" << "P01 - Por definir";
    QTest::newRow("use S01 (CFDI 4.0)") << use << "S01" << "S01 - Sin efectos fiscales";
    QTest::newRow("use CP01 four chars") << use << "CP01" << "CP01 - Pagos";
    QTest::newRow("use CN01 four chars") << use << "CN01" << "CN01 - Nómina";
    QTest::newRow("use lower case cp01") << use << "cp01" << "cp01 - ";
    QTest::newRow("use does not read regimes") << use << "601" << "601 - ";
}

void TstSatCatalog::codeLookup()
{
    QFETCH(Catalogue, catalogue);
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(lookUp(catalogue, code), expected);
}

void TstSatCatalog::paymentMethod_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("PUE") << "PUE" << "PUE - Pago en una sola exhibición";
    QTest::newRow("PPD") << "PPD" << "PPD - Pago en parcialidades o diferido";
    QTest::newRow("lower case pue unchanged") << "pue" << "pue";
    QTest::newRow("empty stays empty") << "" << "";
    QTest::newRow("unknown unchanged, no separator") << "XYZ" << "XYZ";
    QTest::newRow("description unchanged") << "PUE - Pago en una sola exhibición"
                                           << "PUE - Pago en una sola exhibición";
    QTest::newRow("6 chars not looked up") << "PUE   " << "PUE   ";
}

void TstSatCatalog::paymentMethod()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(paymentMethodText(code), expected);
}

void TstSatCatalog::everyCodeLooksUpItsText_data()
{
    QTest::addColumn<Catalogue>("catalogue");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");

    const std::pair<Catalogue, std::span<const CatalogEntry>> catalogues[] = {
        {Catalogue::PaymentForm, paymentForms()},
        {Catalogue::TaxRegime, taxRegimes()},
        {Catalogue::InvoiceUse, invoiceUses()},
    };
    for (const auto &[catalogue, entries] : catalogues) {
        for (const CatalogEntry &entry : entries) {
            const QString code = entry.code.toString();
            QTest::addRow("%d %s", int(catalogue), qPrintable(code)) << catalogue << code << entry.text.toString();
        }
    }
}

// A code of 6 or more characters, a duplicated code or an empty text would never
// show its description.
void TstSatCatalog::everyCodeLooksUpItsText()
{
    QFETCH(Catalogue, catalogue);
    QFETCH(QString, code);
    QFETCH(QString, text);
    QVERIFY(!text.isEmpty());
    QCOMPARE(lookUp(catalogue, code), code + " - " + text);
}

void TstSatCatalog::codeListsInTableOrder()
{
    const QStringList forms = catalogCodes(paymentForms());
    QCOMPARE(forms.size(), 22);
    QCOMPARE(forms.first(), "01");
    QCOMPARE(forms.at(6), "08");
    QCOMPARE(forms.last(), "99");
    QCOMPARE(QSet<QString>(forms.begin(), forms.end()).size(), forms.size());

    QCOMPARE(catalogCodes(paymentMethods()), QStringList({"PUE", "PPD"}));

    const QStringList regimes = catalogCodes(taxRegimes());
    QCOMPARE(regimes.size(), 23);
    QStringList sorted = regimes;
    sorted.sort();
    QCOMPARE(regimes, sorted);

    const QStringList uses = catalogCodes(invoiceUses());
    QCOMPARE(uses.size(), 25);
    QCOMPARE(uses.first(), "G01");
    QCOMPARE(uses.mid(21), QStringList({"P01", "S01", "CP01", "CN01"}));
    QCOMPARE(QSet<QString>(uses.begin(), uses.end()).size(), uses.size());
}

void TstSatCatalog::productState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0 current") << 0 << "Vigente";
    QTest::newRow("1 discontinued") << 1 << "Descontinuado";
    QTest::newRow("2 blocked") << 2 << "Bloqueado";
    QTest::newRow("3 new") << 3 << "Nuevo";
    QTest::newRow("4 leaves text") << 4 << "texto previo";
    QTest::newRow("-1 leaves text") << -1 << "texto previo";
}

void TstSatCatalog::productState()
{
    QFETCH(int, state);
    QFETCH(QString, expected);
    QCOMPARE(productStateText(state, QStringLiteral("texto previo")), expected);
}

QTEST_GUILESS_MAIN(TstSatCatalog)
#include "tst_satcatalog.moc"
