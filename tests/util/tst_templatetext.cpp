#include "util/TemplateText.h"

#include <QTest>

using namespace korvel;

class TstTemplateText : public QObject
{
    Q_OBJECT

private slots:
    void escape_data();
    void escape();
    void unescape_data();
    void unescape();
    void roundTrip_data();
    void roundTrip();
};

void TstTemplateText::escape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");

    QTest::newRow("line ends") << "a\r\nb" << "a&?%?b";
    QTest::newRow("brackets") << "[NOMBRE] [PRECIO]" << "{NOMBRE} {PRECIO}";
    QTest::newRow("lone line feed") << "x\ny" << "x%?y";
    QTest::newRow("plain") << "SIZE 40 mm" << "SIZE 40 mm";
    QTest::newRow("empty") << "" << "";
}

void TstTemplateText::escape()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(escapeTemplate(text), stored);
}

void TstTemplateText::unescape_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("text");

    QTest::newRow("line ends") << "a&?%?b" << "a\r\nb";
    QTest::newRow("braces read as brackets") << "{CLAVE}" << "[CLAVE]";
    QTest::newRow("ampersand alone kept") << "A&B" << "A&B";
    QTest::newRow("percent alone kept") << "50%" << "50%";
    QTest::newRow("question mark alone kept") << "?x" << "?x";
}

void TstTemplateText::unescape()
{
    QFETCH(QString, stored);
    QFETCH(QString, text);
    QCOMPARE(unescapeTemplate(stored), text);
}

void TstTemplateText::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("label with CR LF and brackets")
        << "^XA\r\n^FO50,50^FD[DESCRIPCION]^FS\r\n^FO50,90^FD[PRECIO]^FS\r\n^XZ"
        << "^XA\r\n^FO50,50^FD[DESCRIPCION]^FS\r\n^FO50,90^FD[PRECIO]^FS\r\n^XZ";
    QTest::newRow("brace becomes bracket") << "a{b}c" << "a[b]c";
    QTest::newRow("stored is one line") << "x\ny" << "x\ny";
}

void TstTemplateText::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    const QString stored = escapeTemplate(text);
    QVERIFY(!stored.contains(QLatin1Char('\r')));
    QVERIFY(!stored.contains(QLatin1Char('\n')));
    QVERIFY(!stored.contains(QLatin1Char('[')));
    QCOMPARE(unescapeTemplate(stored), readBack);
}

QTEST_GUILESS_MAIN(TstTemplateText)
#include "tst_templatetext.moc"
