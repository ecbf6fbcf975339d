#include "util/LenientReaders.h"

#include <QTest>

using namespace korvel;

class TstLenientReaders : public QObject
{
    Q_OBJECT

private slots:
    void readAmount_data();
    void readAmount();
    void readInteger_data();
    void readInteger();
    void folioFromScan_data();
    void folioFromScan();
};

void TstLenientReaders::readAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("expected");

    QTest::newRow("currency and thousands") << "$ 1,234.50" << "en_US" << 1234.5;
    QTest::newRow("parentheses") << "(12)" << "en_US" << 12.0;
    QTest::newRow("space inside") << "1 234" << "en_US" << 1234.0;
    QTest::newRow("quoted") << "\"7.25\"" << "en_US" << 7.25;
    QTest::newRow("negative") << "-5.5" << "en_US" << -5.5;
    QTest::newRow("es_MX pesos") << "$1,000.00" << "es_MX" << 1000.0;
    QTest::newRow("leading point") << ".5" << "en_US" << 0.5;
    QTest::newRow("trailing point") << "3." << "en_US" << 3.0;
    QTest::newRow("letters") << "abc" << "en_US" << 0.0;
    QTest::newRow("empty") << "" << "en_US" << 0.0;
    QTest::newRow("only spaces") << "   " << "en_US" << 0.0;
    QTest::newRow("point alone") << "." << "en_US" << 0.0;
    QTest::newRow("two points") << "1.2.3" << "en_US" << 0.0;
    QTest::newRow("trailing letters") << "12abc" << "en_US" << 0.0;
    QTest::newRow("exponent is not a plain number") << "1e3" << "en_US" << 0.0;
    QTest::newRow("sign alone") << "-" << "en_US" << 0.0;
    QTest::newRow("overflow") << QString(400, QLatin1Char('9')) << "en_US" << 0.0;
    QTest::newRow("de_DE money text") << "1.234,50 €" << "de_DE" << 1234.5;
    QTest::newRow("de_DE dollar sign is not its currency") << "$5" << "de_DE" << 0.0;
    QTest::newRow("fr_FR narrow no-break space") << QString::fromUtf8("1\u202f234,5") << "fr_FR" << 1234.5;
}

void TstLenientReaders::readAmount()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(double, expected);
    QCOMPARE(korvel::readAmount(text, QLocale(locale)), expected);
}

void TstLenientReaders::readInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("thousands comma") << "1,200" << 1200;
    QTest::newRow("spaces") << " 1 200 " << 1200;
    QTest::newRow("negative") << "-15" << -15;
    QTest::newRow("trailing letter") << "12a" << 0;
    QTest::newRow("decimal point") << "12.5" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("beyond int range") << "99999999999" << 0;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << 0;
}

void TstLenientReaders::readInteger()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(korvel::readInteger(text), expected);
}

void TstLenientReaders::folioFromScan_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain folio unchanged") << "A-12345" << "A-12345";
    QTest::newRow("address with short id") << "https://fact.example.mx/ver?ID=F123" << "F123";
    QTest::newRow("25 characters after the id keep 20")
        << "http://x.mx/c?ID=ABCDEFGHIJKLMNOPQRSTUVWXY" << "ABCDEFGHIJKLMNOPQRST";
    QTest::newRow("id at the end") << "http://x.mx/c?ID=" << "";
    QTest::newRow("id without http unchanged") << "www.x.mx/c?ID=F1" << "www.x.mx/c?ID=F1";
    QTest::newRow("http without id unchanged") << "http://x.mx/c?id=F1" << "http://x.mx/c?id=F1";
    QTest::newRow("empty") << "" << "";
}

void TstLenientReaders::folioFromScan()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(korvel::folioFromScan(text), expected);
}

QTEST_GUILESS_MAIN(TstLenientReaders)
#include "tst_lenientreaders.moc"
