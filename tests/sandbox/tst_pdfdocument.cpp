// The PDF writer of the sandbox documents: a well-formed PDF 1.4 file (every
// cross-reference offset points at its object, stream lengths are exact),
// Spanish text in WinAnsi bytes, page breaks with the table header repeated
// and the page count at the foot, long cells wrapped without losing words.

#include "server/PdfDocument.h"

#include <QRegularExpression>
#include <QTest>

using namespace korvel::sandbox;

namespace {

// Checks the cross-reference table and the stream lengths; returns the
// number of objects, or -1 with `why` set.
int checkStructure(const QByteArray& pdf, QString* why)
{
    auto fail = [&](const QString& text) {
        *why = text;
        return -1;
    };
    if (!pdf.startsWith("%PDF-1.4\n") || !pdf.endsWith("%%EOF\n"))
        return fail(QStringLiteral("header or end marker"));
    const qsizetype sx = pdf.lastIndexOf("startxref\n");
    const qsizetype xref = pdf.mid(sx + 10, pdf.indexOf('\n', sx + 10) - sx - 10).toLongLong();
    if (pdf.mid(xref, 5) != "xref\n")
        return fail(QStringLiteral("startxref does not point at the table"));
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).split(' ').value(1).toInt();
    if (!pdf.contains("/Size " + QByteArray::number(count) + " "))
        return fail(QStringLiteral("trailer size"));
    for (int i = 1; i < count; ++i) {
        const QByteArray entry = lines.value(2 + i);
        if (entry.size() != 19)  // 20 bytes with the newline
            return fail(QStringLiteral("entry %1 is not 20 bytes").arg(i));
        const qsizetype offset = entry.left(10).toLongLong();
        if (!pdf.mid(offset).startsWith(QByteArray::number(i) + " 0 obj\n"))
            return fail(QStringLiteral("object %1 is not at its offset").arg(i));
    }
    static const QRegularExpression stream(QStringLiteral("/Length (\\d+) >>\nstream\n"));
    QRegularExpressionMatchIterator it = stream.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedEnd();
        if (pdf.mid(start + m.captured(1).toLongLong(), 9) != "endstream")
            return fail(QStringLiteral("stream length"));
    }
    return count - 1;
}

// The strings drawn with Tj, in order.
QList<QByteArray> shownTexts(const QByteArray& pdf)
{
    QList<QByteArray> out;
    qsizetype pos = 0;
    while ((pos = pdf.indexOf(" Td (", pos)) >= 0) {
        pos += 5;
        QByteArray s;
        while (pos < pdf.size() && pdf.at(pos) != ')') {
            if (pdf.at(pos) == '\\')
                ++pos;
            s.append(pdf.at(pos++));
        }
        out.append(s);
    }
    return out;
}

} // namespace

class TestPdfDocument : public QObject {
    Q_OBJECT

private slots:
    void wellFormed();
    void winAnsi_data();
    void winAnsi();
    void pagesRepeatTheHeader();
    void longCellsWrap();
    void widths();
};

void TestPdfDocument::wellFormed()
{
    PdfDocument pdf(QStringLiteral("Estado de Cuenta 2026"));
    pdf.addHeaderLine(QStringLiteral("Distribuidora Korvel del Bajío, S.A. de C.V."), true);
    pdf.setColumns({{QStringLiteral("Fecha"), 60}, {QStringLiteral("Documento"), 200}, {QStringLiteral("Importe"), 80, PdfDocument::Align::Right}});
    pdf.addRow({QStringLiteral("05/03/2026"), QStringLiteral("Factura A-1234 (crédito)"), QStringLiteral("$1,234.50")});
    pdf.addGroupRow(QStringLiteral("Pagos"));
    pdf.addTotal(QStringLiteral("Saldo"), QStringLiteral("$1,234.50"), true);
    pdf.addNote(QStringLiteral("Gracias por su preferencia."));
    const QByteArray bytes = pdf.toPdf();
    QString why;
    QCOMPARE(checkStructure(bytes, &why), 7);  // catalog, pages, two fonts, information, one page and its content
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QVERIFY(bytes.contains("/BaseFont /Helvetica /Encoding /WinAnsiEncoding"));
    QVERIFY(bytes.contains("/Title (Estado de Cuenta 2026)"));
    QVERIFY(shownTexts(bytes).contains("P\xE1gina 1 de 1"));
}

void TestPdfDocument::winAnsi_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Spanish letters") << QStringLiteral("Señor Pérez, ¿Qué tal? ¡Olé! Ñandú")
                                     << QByteArray("Se\xF1or P\xE9rez, \xBFQu\xE9 tal? \xA1Ol\xE9! \xD1" "and\xFA");
    QTest::newRow("euro and typographic signs") << QStringLiteral("€ “uno” – dos…") << QByteArray("\x80 \x93uno\x94 \x96 dos\x85");
    QTest::newRow("degree and ordinals") << QStringLiteral("90° 1º 2ª") << QByteArray("90\xB0 1\xBA 2\xAA");
    QTest::newRow("outside WinAnsi") << QStringLiteral("漢字 ok") << QByteArray("?? ok");
    QTest::newRow("controls and tabs") << QStringLiteral("a\tb\x01" "c") << QByteArray("a bc");
}

void TestPdfDocument::winAnsi()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(PdfDocument::toWinAnsi(text), bytes);
    // Drawn with parentheses and backslashes escaped.
    PdfDocument pdf(QStringLiteral("t"));
    pdf.addHeaderLine(text + QStringLiteral(" (a\\b)"));
    const QByteArray out = pdf.toPdf();
    QVERIFY(out.contains("(" + bytes + " \\(a\\\\b\\)) Tj"));
}

void TestPdfDocument::pagesRepeatTheHeader()
{
    PdfDocument pdf(QStringLiteral("Antigüedad de Saldos"));
    pdf.setColumns({{QStringLiteral("Folio"), 80}, {QStringLiteral("Vence"), 80}, {QStringLiteral("Saldo"), 80, PdfDocument::Align::Right}});
    for (int i = 0; i < 200; ++i)
        pdf.addRow({QStringLiteral("A-%1").arg(1000 + i), QStringLiteral("01/01/2026"), QStringLiteral("$%1.00").arg(i)});
    pdf.addTotal(QStringLiteral("Total"), QStringLiteral("$19,900.00"), true);
    const QByteArray bytes = pdf.toPdf();
    QString why;
    const int objects = checkStructure(bytes, &why);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    const int pages = (objects - 5) / 2;
    QVERIFY(pages >= 3);
    QVERIFY(bytes.contains("/Count " + QByteArray::number(pages) + " >>"));
    const QList<QByteArray> texts = shownTexts(bytes);
    QCOMPARE(texts.count("Folio"), pages);
    for (int p = 1; p <= pages; ++p)
        QVERIFY(texts.contains("P\xE1gina " + QByteArray::number(p) + " de " + QByteArray::number(pages)));
    // Every row is there once, in order.
    qsizetype last = -1;
    for (int i = 0; i < 200; ++i) {
        const qsizetype at = texts.indexOf("A-" + QByteArray::number(1000 + i));
        QVERIFY(at > last);
        last = at;
    }
    QCOMPARE(texts.count("Total"), 1);
}

void TestPdfDocument::longCellsWrap()
{
    const QString description = QStringLiteral("TALADRO ROTOMARTILLO 1/2\" 1000 W CON MALETÍN, BROCAS Y EMPUÑADURA AUXILIAR PARA CONCRETO");
    PdfDocument pdf(QStringLiteral("Pedido 57"));
    pdf.setColumns({{QStringLiteral("Cant"), 60, PdfDocument::Align::Right}, {QStringLiteral("Descripción"), 60},
                    {QStringLiteral("Importe"), 100, PdfDocument::Align::Right}});
    pdf.addRow({QStringLiteral("2"), description, QStringLiteral("$1,798.00")});
    const QList<QByteArray> texts = shownTexts(pdf.toPdf());
    // Cells are drawn column by column: the quantity, the description's lines, the amount.
    const qsizetype quantity = texts.indexOf("2");
    const qsizetype amount = texts.indexOf("$1,798.00");
    QVERIFY(quantity >= 0 && amount > quantity + 3);
    const double columnWidth = 60.0 / 220.0 * 532.0 - 6;  // its share of the text width, less the padding
    QByteArray joined;
    for (qsizetype i = quantity + 1; i < amount; ++i) {
        QVERIFY(PdfDocument::textWidth(QString::fromLatin1(texts[i]), 8.5, false) <= columnWidth);
        joined += (joined.isEmpty() ? "" : " ") + texts[i];
    }
    QCOMPARE(joined, PdfDocument::toWinAnsi(description));
    QVERIFY(amount - quantity - 1 < description.count(u' ') / 2);  // lines hold several words, not one each
}

void TestPdfDocument::widths()
{
    QCOMPARE(PdfDocument::textWidth(QStringLiteral("AAA"), 10, false), 20.01);
    QCOMPARE(PdfDocument::textWidth(QStringLiteral("í"), 10, false), PdfDocument::textWidth(QStringLiteral("i"), 10, false));
    QCOMPARE(PdfDocument::textWidth(QStringLiteral("Ñ"), 12, true), PdfDocument::textWidth(QStringLiteral("N"), 12, true));
    QVERIFY(PdfDocument::textWidth(QStringLiteral("W"), 10, true) > PdfDocument::textWidth(QStringLiteral("i"), 10, true));
}

QTEST_GUILESS_MAIN(TestPdfDocument)
#include "tst_pdfdocument.moc"
