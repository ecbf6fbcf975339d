#include "util/Formatting.h"

#include <QTest>

#include <limits>

using namespace korvel;

class TstFormatting : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void moneyText_data();
    void moneyText();
    void moneyTextUsesDefaultLocale();
    void decimal8Text_data();
    void decimal8Text();
    void integerText_data();
    void integerText();
    void currencyCode_data();
    void currencyCode();
    void monthName_data();
    void monthName();
    void shortTexts_data();
    void shortTexts();
    void dates_data();
    void dates();
    void safeRatio_data();
    void safeRatio();
};

void TstFormatting::moneyText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "en_US" << "0.00";
    QTest::newRow("negative zero has no sign") << -0.0 << "en_US" << "0.00";
    QTest::newRow("minus five") << -5.0 << "en_US" << "-5.00";
    QTest::newRow("one decimal padded") << 1234.5 << "en_US" << "1,234.50";
    QTest::newRow("millions en_US") << 1234567.891 << "en_US" << "1,234,567.89";
    QTest::newRow("millions es_MX") << 1234567.891 << "es_MX" << "1,234,567.89";
    QTest::newRow("millions de_DE") << 1234567.891 << "de_DE" << "1.234.567,89";
    QTest::newRow("negative de_DE") << -1234.5 << "de_DE" << "-1.234,50";
    QTest::newRow("below a thousand no separator") << 999.994 << "en_US" << "999.99";
    QTest::newRow("rounds up into thousands") << 999.995 << "en_US" << "1,000.00";
    // These are stored just below the half; rounding at 14 digits first shows them as written.
    QTest::newRow("2.675 half up") << 2.675 << "en_US" << "2.68";
    QTest::newRow("1.005 half up") << 1.005 << "en_US" << "1.01";
    QTest::newRow("0.125 half up") << 0.125 << "en_US" << "0.13";
    QTest::newRow("tiny negative rounds to zero") << -0.004 << "en_US" << "0.00";
    QTest::newRow("negative half rounds away") << -0.005 << "en_US" << "-0.01";
    QTest::newRow("beyond 14 significant digits")
        << 12345678901234.567 << "en_US" << "12,345,678,901,235.00";
    QTest::newRow("C locale has no separators") << 1234567.891 << "C" << "1234567.89";
}

void TstFormatting::moneyText()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(korvel::moneyText(value, QLocale(locale)), expected);
}

void TstFormatting::moneyTextUsesDefaultLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    QCOMPARE(korvel::moneyText(1234.5), "1.234,50");
    QCOMPARE(korvel::decimal8Text(0.5), "0,50000000");
}

void TstFormatting::decimal8Text_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("latitude") << 19.4326077 << "en_US" << "19.43260770";
    QTest::newRow("longitude") << -99.133208 << "en_US" << "-99.13320800";
    QTest::newRow("rounded at 8 decimals") << 0.123456789 << "en_US" << "0.12345679";
    QTest::newRow("thousands grouped") << 1234.5 << "en_US" << "1,234.50000000";
    QTest::newRow("de_DE") << 19.4326077 << "de_DE" << "19,43260770";
    QTest::newRow("zero") << 0.0 << "en_US" << "0.00000000";
}

void TstFormatting::decimal8Text()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(korvel::decimal8Text(value, QLocale(locale)), expected);
}

void TstFormatting::integerText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("negative") << qint64(-42) << "-42";
    QTest::newRow("no thousands separator") << qint64(1234567) << "1234567";
    QTest::newRow("14 digits") << qint64(99999999999999) << "99999999999999";
}

void TstFormatting::integerText()
{
    QFETCH(qint64, value);
    QFETCH(QString, expected);
    QCOMPARE(korvel::integerText(value, QLocale(QStringLiteral("en_US"))), expected);
    QCOMPARE(korvel::integerText(value, QLocale(QStringLiteral("de_DE"))), expected);
}

void TstFormatting::currencyCode_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1 pesos") << 1 << "MXN";
    QTest::newRow("2 dollars") << 2 << "USD";
    QTest::newRow("0 dollars") << 0 << "USD";
    QTest::newRow("-1 dollars") << -1 << "USD";
}

void TstFormatting::currencyCode()
{
    QFETCH(int, currency);
    QFETCH(QString, expected);
    QCOMPARE(korvel::currencyCode(currency), expected);
}

void TstFormatting::monthName_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1") << 1 << "Enero";
    QTest::newRow("9") << 9 << "Septiembre";
    QTest::newRow("12") << 12 << "Diciembre";
    QTest::newRow("101") << 101 << "Ene";
    QTest::newRow("109") << 109 << "Sep";
    QTest::newRow("112") << 112 << "Dic";
    QTest::newRow("0") << 0 << "Fuera";
    QTest::newRow("13") << 13 << "Fuera";
    QTest::newRow("100") << 100 << "Fuera";
    QTest::newRow("113") << 113 << "Fuera";
    QTest::newRow("-1") << -1 << "Fuera";
}

void TstFormatting::monthName()
{
    QFETCH(int, month);
    QFETCH(QString, expected);
    QCOMPARE(korvel::monthName(month), expected);
}

void TstFormatting::shortTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("blank is not empty for the series") << "   " << "" << "    ";
    QTest::newRow("zero") << "0" << " (0)" << "";
    QTest::newRow("padded") << " PZA " << " (PZA)" << " PZA  ";
    QTest::newRow("series") << "A" << " (A)" << "A ";
    QTest::newRow("00 is not 0") << "00" << " (00)" << "00 ";
}

void TstFormatting::shortTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, suffix);
    QFETCH(QString, prefix);
    QCOMPARE(bracketedSuffix(text), suffix);
    QCOMPARE(seriesPrefix(text), prefix);
}

void TstFormatting::dates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("dayFirst");
    QTest::addColumn<QString>("monthFirst");

    QTest::newRow("day and month differ") << QDate(2024, 3, 5) << "05/03/2024" << "03/05/2024";
    QTest::newRow("end of year") << QDate(2023, 12, 31) << "31/12/2023" << "12/31/2023";
    QTest::newRow("invalid") << QDate() << "" << "";
}

void TstFormatting::dates()
{
    QFETCH(QDate, date);
    QFETCH(QString, dayFirst);
    QFETCH(QString, monthFirst);
    QCOMPARE(dayFirstDate(date), dayFirst);
    QCOMPARE(monthFirstDate(date), monthFirst);
}

void TstFormatting::safeRatio_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");

    QTest::newRow("b over a") << 4.0 << 10.0 << 2.5;
    QTest::newRow("a zero") << 0.0 << 10.0 << 0.0;
    QTest::newRow("b zero") << 4.0 << 0.0 << 0.0;
    QTest::newRow("a negative") << -4.0 << 10.0 << 0.0;
    QTest::newRow("b negative") << 4.0 << -10.0 << 0.0;
    QTest::newRow("a not a number") << std::numeric_limits<double>::quiet_NaN() << 1.0 << 0.0;
}

void TstFormatting::safeRatio()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    QCOMPARE(korvel::safeRatio(a, b), expected);
}

QTEST_GUILESS_MAIN(TstFormatting)
#include "tst_formatting.moc"
