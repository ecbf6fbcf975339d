#include "server/PdfDocument.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace korvel::sandbox {
namespace {

constexpr double kPageWidth = 612;   // Letter, points
constexpr double kPageHeight = 792;
constexpr double kMargin = 40;
constexpr double kBottom = 56;       // lowest baseline of the body; the foot goes below
constexpr double kTextWidth = kPageWidth - 2 * kMargin;
constexpr double kCellSize = 8.5;
constexpr double kCellLeading = 10.5;
constexpr double kCellPad = 3;

// Helvetica and Helvetica-Bold advance widths (1/1000 em) of ASCII 32..126.
constexpr short kRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667, 611, 778,
    722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278,
    278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667, 611, 778,
    722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333,
    278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

// WinAnsi 0x80..0x9F: the Unicode code point of each byte (0 = unused).
constexpr char16_t kHighCodes[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
constexpr short kHighWidths[32] = {556, 0, 222, 556, 333, 1000, 556, 556, 333, 1000, 667, 333, 1000, 0, 611, 0,
                                   0, 222, 222, 333, 333, 350, 556, 1000, 333, 1000, 500, 333, 944, 0, 500, 667};
// 0xA0..0xBF.
constexpr short kLatinSymbols[32] = {278, 333, 556, 556, 556, 556, 260, 556, 333, 737, 370, 556, 584, 333, 737, 333,
                                     400, 584, 333, 333, 333, 556, 537, 278, 333, 333, 365, 556, 834, 834, 834, 611};
// 0xC0..0xFF by the ASCII letter whose width they share (0 = own width below).
constexpr char kLatinBase[64] = {'A', 'A', 'A', 'A', 'A', 'A', 0, 'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I',
                                 'D', 'N', 'O', 'O', 'O', 'O', 'O', 0, 'O', 'U', 'U', 'U', 'U', 'Y', 'P', 0,
                                 'a', 'a', 'a', 'a', 'a', 'a', 0, 'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',
                                 'o', 'n', 'o', 'o', 'o', 'o', 'o', 0, 'o', 'u', 'u', 'u', 'u', 'y', 'p', 'y'};

double byteWidth(unsigned char b, bool bold)
{
    const short* ascii = bold ? kBold : kRegular;
    if (b >= 32 && b <= 126)
        return ascii[b - 32];
    if (b >= 0x80 && b <= 0x9F)
        return kHighWidths[b - 0x80] ? kHighWidths[b - 0x80] : 556;
    if (b >= 0xA0 && b <= 0xBF)
        return kLatinSymbols[b - 0xA0];
    if (b >= 0xC0) {
        const char base = kLatinBase[b - 0xC0];
        if (base)
            return ascii[base - 32];
        switch (b) {
        case 0xC6: return 1000;
        case 0xD7: case 0xF7: return 584;
        case 0xDF: return 611;
        case 0xE6: return 889;
        default: return 556;
        }
    }
    return 556;
}

QByteArray escapeString(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (const char c : bytes) {
        if (c == '(' || c == ')' || c == '\\')
            out.append('\\');
        out.append(c);
    }
    return out;
}

QByteArray num(double v)
{
    return QByteArray::number(std::round(v * 100) / 100, 'f', 2);
}

// The drawing of one page, in PDF content operators.
struct PageOut {
    QByteArray ops;

    void text(double x, double y, double size, bool bold, const QString& s)
    {
        if (s.isEmpty())
            return;
        ops += "BT /" + QByteArray(bold ? "F2 " : "F1 ") + num(size) + " Tf " + num(x) + ' ' + num(y) + " Td ("
               + escapeString(PdfDocument::toWinAnsi(s)) + ") Tj ET\n";
    }
    void aligned(double left, double width, double y, double size, bool bold, const QString& s, PdfDocument::Align a)
    {
        double x = left;
        const double w = PdfDocument::textWidth(s, size, bold);
        if (a == PdfDocument::Align::Right)
            x = left + width - w;
        else if (a == PdfDocument::Align::Center)
            x = left + (width - w) / 2;
        text(x, y, size, bold, s);
    }
    void fill(double x, double y, double w, double h, double gray)
    {
        ops += num(gray) + " g " + num(x) + ' ' + num(y) + ' ' + num(w) + ' ' + num(h) + " re f 0 g\n";
    }
    void rule(double x1, double y, double x2, double width)
    {
        ops += num(width) + " w " + num(x1) + ' ' + num(y) + " m " + num(x2) + ' ' + num(y) + " l S\n";
    }
};

// Word wrap to a width; a word wider than the width is cut by characters.
QStringList wrap(const QString& text, double width, double size, bool bold)
{
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString word : words) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (PdfDocument::textWidth(candidate, size, bold) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            line.clear();
            while (PdfDocument::textWidth(word, size, bold) > width && word.size() > 1) {
                qsizetype n = word.size() - 1;
                while (n > 1 && PdfDocument::textWidth(word.left(n), size, bold) > width)
                    --n;
                lines.append(word.left(n));
                word = word.mid(n);
            }
            line = word;
        }
        lines.append(line);
    }
    return lines;
}

} // namespace

PdfDocument::PdfDocument(QString title) : m_title(std::move(title)) {}

void PdfDocument::addHeaderLine(const QString& text, bool bold)
{
    m_header.append({text, bold});
}

void PdfDocument::setColumns(const QList<Column>& columns)
{
    m_columns = columns;
}

void PdfDocument::addRow(const QStringList& cells)
{
    m_rows.append({Row::Cells, cells});
}

void PdfDocument::addGroupRow(const QString& text)
{
    m_rows.append({Row::Group, {text}});
}

void PdfDocument::addTotal(const QString& label, const QString& value, bool bold)
{
    m_totals.append({{label, bold}, value});
}

void PdfDocument::addNote(const QString& text)
{
    m_notes.append(text);
}

QByteArray PdfDocument::toWinAnsi(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\t') {
            out.append(' ');
        } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) {
            out.append(char(c));
        } else {
            char mapped = '?';
            for (int i = 0; i < 32; ++i) {
                if (kHighCodes[i] == c && c != 0) {
                    mapped = char(0x80 + i);
                    break;
                }
            }
            if (c < 0x20)
                continue;  // control characters print nothing
            out.append(mapped);
        }
    }
    return out;
}

double PdfDocument::textWidth(const QString& text, double size, bool bold)
{
    double units = 0;
    for (const char c : toWinAnsi(text))
        units += byteWidth(static_cast<unsigned char>(c), bold);
    return units * size / 1000.0;
}

QByteArray PdfDocument::toPdf() const
{
    QList<PageOut> pages;
    double y = 0;

    QList<double> widths;
    double sum = 0;
    for (const Column& c : m_columns)
        sum += std::max(1.0, c.width);
    for (const Column& c : m_columns)
        widths.append(std::max(1.0, c.width) * kTextWidth / sum);

    auto tableHeader = [&] {
        if (m_columns.isEmpty())
            return;
        PageOut& p = pages.last();
        p.fill(kMargin, y - 4, kTextWidth, kCellLeading + 4, 0.85);
        double x = kMargin;
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            p.aligned(x + kCellPad, widths[i] - 2 * kCellPad, y, kCellSize, true, m_columns[i].title, m_columns[i].align);
            x += widths[i];
        }
        y -= kCellLeading + 6;
    };
    auto newPage = [&](bool withTable) {
        pages.append(PageOut());
        y = kPageHeight - kMargin - 12;
        if (pages.size() == 1) {
            for (const QString& line : wrap(m_title, kTextWidth, 15, true)) {
                pages.last().text(kMargin, y, 15, true, line);
                y -= 19;
            }
            y -= 2;
            for (const Line& h : m_header) {
                for (const QString& line : wrap(h.text, kTextWidth, 9, h.bold)) {
                    pages.last().text(kMargin, y, 9, h.bold, line);
                    y -= 12;
                }
            }
            y -= 8;
        } else {
            pages.last().text(kMargin, y, 10, true, m_title + QStringLiteral(" (continuación)"));
            y -= 20;
        }
        if (withTable)
            tableHeader();
    };
    // Room for `height` more points on this page, or a new page.
    auto ensure = [&](double height, bool withTable) {
        if (y - height < kBottom)
            newPage(withTable);
    };

    newPage(true);
    bool shaded = false;
    for (const Row& row : m_rows) {
        if (m_columns.isEmpty())
            break;
        if (row.kind == Row::Group) {
            const QStringList lines = wrap(row.cells.value(0), kTextWidth - 2 * kCellPad, kCellSize, true);
            ensure(lines.size() * kCellLeading + 2, true);
            pages.last().fill(kMargin, y - 3 - (lines.size() - 1) * kCellLeading, kTextWidth,
                              lines.size() * kCellLeading + 2, 0.93);
            for (const QString& l : lines) {
                pages.last().text(kMargin + kCellPad, y, kCellSize, true, l);
                y -= kCellLeading;
            }
            y -= 2;
            shaded = false;
            continue;
        }
        QList<QStringList> cellLines;
        qsizetype height = 1;
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            cellLines.append(wrap(row.cells.value(i), widths[i] - 2 * kCellPad, kCellSize, false));
            height = std::max(height, cellLines.last().size());
        }
        ensure(height * kCellLeading + 2, true);
        if (shaded)
            pages.last().fill(kMargin, y - 3 - (height - 1) * kCellLeading, kTextWidth, height * kCellLeading + 1, 0.96);
        shaded = !shaded;
        double x = kMargin;
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            double ly = y;
            for (const QString& l : cellLines[i]) {
                pages.last().aligned(x + kCellPad, widths[i] - 2 * kCellPad, ly, kCellSize, false, l, m_columns[i].align);
                ly -= kCellLeading;
            }
            x += widths[i];
        }
        y -= height * kCellLeading + 1;
    }
    if (!m_columns.isEmpty()) {
        ensure(6, false);
        pages.last().rule(kMargin, y + 6, kMargin + kTextWidth, 0.6);
        y -= 8;
    }

    for (const auto& [label, value] : m_totals) {
        ensure(13, false);
        const double valueWidth = 110;
        pages.last().aligned(kMargin, kTextWidth - valueWidth - 8, y, 9.5, label.bold, label.text, Align::Right);
        pages.last().aligned(kMargin + kTextWidth - valueWidth, valueWidth, y, 9.5, label.bold, value, Align::Right);
        y -= 13;
    }
    if (!m_notes.isEmpty())
        y -= 8;
    for (const QString& note : m_notes) {
        for (const QString& line : wrap(note, kTextWidth, 8.5, false)) {
            ensure(11, false);
            pages.last().text(kMargin, y, 8.5, false, line);
            y -= 11;
        }
        y -= 4;
    }

    for (qsizetype i = 0; i < pages.size(); ++i) {
        PageOut& p = pages[i];
        p.rule(kMargin, 44, kMargin + kTextWidth, 0.4);
        p.text(kMargin, 32, 7.5, false, m_footer);
        p.aligned(kMargin, kTextWidth, 32, 7.5, false, QStringLiteral("Página %1 de %2").arg(i + 1).arg(pages.size()),
                  Align::Right);
    }

    // Objects: 1 catalog, 2 page tree, 3 and 4 fonts, 5 information, then a
    // page and its content stream per page.
    QList<QByteArray> objects;
    QByteArray kids;
    for (qsizetype i = 0; i < pages.size(); ++i)
        kids += QByteArray::number(6 + 2 * i) + " 0 R ";
    objects.append("<< /Type /Catalog /Pages 2 0 R >>");
    objects.append("<< /Type /Pages /Kids [" + kids.trimmed() + "] /Count " + QByteArray::number(pages.size()) + " >>");
    objects.append("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    objects.append("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
    objects.append("<< /Title (" + escapeString(toWinAnsi(m_title)) + ") /Producer (korvel-sandbox) /CreationDate (D:"
                   + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + ") >>");
    for (qsizetype i = 0; i < pages.size(); ++i) {
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >>"
                       " /Contents " + QByteArray::number(7 + 2 * i) + " 0 R >>");
        const QByteArray& ops = pages[i].ops;
        objects.append("<< /Length " + QByteArray::number(ops.size()) + " >>\nstream\n" + ops + "endstream");
    }

    QByteArray out("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(out.size());
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype off : offsets)
        out += QByteArray::number(off).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R /Info 5 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

} // namespace korvel::sandbox
