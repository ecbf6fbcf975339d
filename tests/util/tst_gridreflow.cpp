#include "util/GridReflow.h"

#include <QStringList>
#include <QTest>

using namespace korvel;

namespace {

// "VHV": visible, hidden, visible.
QList<bool> visibility(const QString &pattern)
{
    QList<bool> visible;
    for (QChar c : pattern)
        visible << (c == QLatin1Char('V'));
    return visible;
}

// "0:0 - 0:1": row:column of each control, "-" for a control without a cell.
QString describe(const QList<std::optional<GridCell>> &cells)
{
    QStringList parts;
    for (const auto &cell : cells)
        parts << (cell ? QStringLiteral("%1:%2").arg(cell->row).arg(cell->column) : QStringLiteral("-"));
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TstGridReflow : public QObject
{
    Q_OBJECT

private slots:
    void reflow_data();
    void reflow();
};

void TstGridReflow::reflow_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no controls") << "" << "";
    QTest::newRow("visible hidden visible") << "VHV" << "0:0 - 0:1";
    QTest::newRow("all visible") << "VVVVV" << "0:0 0:1 1:0 1:1 2:0";
    QTest::newRow("first hidden") << "HVV" << "- 0:0 0:1";
    QTest::newRow("hidden after column 1") << "VVHVV" << "0:0 0:1 - 1:0 1:1";
    QTest::newRow("several hidden in a row") << "VHHHV" << "0:0 - - - 0:1";
    QTest::newRow("menu without the eighth tile")
        << "VVVVVVVHVV" << "0:0 0:1 1:0 1:1 2:0 2:1 3:0 - 3:1 4:0";
    QTest::newRow("all hidden") << "HHH" << "- - -";
}

void TstGridReflow::reflow()
{
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(describe(reflowGrid(visibility(pattern))), expected);
}

QTEST_GUILESS_MAIN(TstGridReflow)
#include "tst_gridreflow.moc"
