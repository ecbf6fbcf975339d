#pragma once
// A plain business document as a PDF 1.4 file, written from text: a title,
// header lines, one table (its header repeated on every page), totals and
// closing notes, on Letter pages with "Página i de n" at the foot. Texts use
// the standard Helvetica fonts with WinAnsi encoding, so Spanish letters
// (á, é, ñ, ¿, ¡...) print; characters outside WinAnsi print as "?".
//
//   PdfDocument pdf(QStringLiteral("Pedido 57"));
//   pdf.addHeaderLine(QStringLiteral("Distribuidora Korvel del Bajío"), true);
//   pdf.setColumns({{"Cant", 50, PdfDocument::Align::Right}, {"Descripción", 300}, {"Importe", 80, PdfDocument::Align::Right}});
//   pdf.addRow({"2", "MARTILLO UÑA CURVA 16 OZ", "$298.00"});
//   pdf.addTotal(QStringLiteral("Total"), QStringLiteral("$298.00"), true);
//   QByteArray bytes = pdf.toPdf();

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace korvel::sandbox {

class PdfDocument {
public:
    enum class Align { Left, Center, Right };
    struct Column {
        QString title;
        double width = 100;  // points; all widths are scaled to fill the text width
        Align align = Align::Left;
    };

    explicit PdfDocument(QString title = {});

    void setTitle(const QString& title) { m_title = title; }
    // Lines under the title (company, client, dates...).
    void addHeaderLine(const QString& text, bool bold = false);
    void setColumns(const QList<Column>& columns);
    // One table row; cells beyond the columns are ignored, long cells wrap.
    void addRow(const QStringList& cells);
    // A bold row across the whole table (a group caption inside the table).
    void addGroupRow(const QString& text);
    // Label and value lines after the table, right-aligned.
    void addTotal(const QString& label, const QString& value, bool bold = false);
    // Paragraphs after the totals, wrapped to the text width.
    void addNote(const QString& text);
    // A small line at the foot of every page, left of the page number.
    void setFooter(const QString& text) { m_footer = text; }

    QByteArray toPdf() const;

    // WinAnsi bytes of a text (unmappable characters become '?').
    static QByteArray toWinAnsi(const QString& text);
    // Width in points of a text in Helvetica (bold or not) at a size.
    static double textWidth(const QString& text, double size, bool bold);

private:
    struct Row {
        enum Kind { Cells, Group } kind = Cells;
        QStringList cells;
    };
    struct Line {
        QString text;
        bool bold = false;
    };

    QString m_title;
    QList<Line> m_header;
    QList<Column> m_columns;
    QList<Row> m_rows;
    QList<QPair<Line, QString>> m_totals;
    QStringList m_notes;
    QString m_footer;
};

} // namespace korvel::sandbox
