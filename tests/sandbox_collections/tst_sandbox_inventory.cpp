// Inventory count lists on the sandbox: a list from creation to its lines,
// deleted lines, closed lists that only show their lines, unknown and other
// companies' folios, and the counts the server refuses.

#include "SandboxCalls.h"

#include <limits>

using namespace korvel;
using namespace korvel::testing;

class TestSandboxInventory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void listLifecycle();
    void closedAndUnknownLists_data();
    void closedAndUnknownLists();
    void refusedCounts_data();
    void refusedCounts();
    void refusedNewLists_data();
    void refusedNewLists();

private:
    int newList(const QString& descripcion);
    bool count(int folio, const QString& product, double quantity, double factor, int unit, int* movement = nullptr);
    TListaTomaInv lines(int folio);

    SandboxCalls m_sb;
};

void TestSandboxInventory::initTestCase()
{
    QString error;
    QVERIFY2(m_sb.start(&error), qPrintable(error));
    // Counted by the piece (unit 1) or by the box of 12 (unit 2).
    m_sb.insert(QStringLiteral("productos"), {{"ID", QStringLiteral("INV-PRUEBA")},
                                             {"Descripcion", QStringLiteral("TORNILLO HEXAGONAL 1/4 X 2")},
                                             {"Modelo", QStringLiteral("TH-14-2")},
                                             {"Fabricante", QStringLiteral("Fiero")},
                                             {"NuCategoria", 1},
                                             {"NuUnidadMedida", 1},
                                             {"Unidad", QStringLiteral("Pieza")},
                                             {"NuUnidadMedida2", 2},
                                             {"Unidad2", QStringLiteral("Caja")},
                                             {"UXC2", 12.0},
                                             {"Barcode1", QStringLiteral("7500000000011")},
                                             {"Barcode2", QStringLiteral("7500000000028")}});
}

int TestSandboxInventory::newList(const QString& descripcion)
{
    auto rq = SandboxCalls::request<ops::TI_NuevaLista>();
    rq.Descripcion = descripcion;
    const auto rs = m_sb.call<ops::TI_NuevaLista>(rq);
    return rs.result ? rs.FolioLista : 0;
}

bool TestSandboxInventory::count(int folio, const QString& product, double quantity, double factor, int unit, int* movement)
{
    auto rq = SandboxCalls::request<ops::TI_NuevaConteo>();
    rq.FolioLista = folio;
    rq.N123 = product;
    rq.CANTIDAD = quantity;
    rq.UXC = factor;
    rq.NUMEDIDA = unit;
    const auto rs = m_sb.call<ops::TI_NuevaConteo>(rq);
    if (movement)
        *movement = rs.NuMov;
    return rs.result;
}

TListaTomaInv TestSandboxInventory::lines(int folio)
{
    auto rq = SandboxCalls::request<ops::TI_ListaTomaInventario>();
    rq.FolioLista = folio;
    return m_sb.call<ops::TI_ListaTomaInventario>(rq).result;
}

void TestSandboxInventory::listLifecycle()
{
    const int folio = newList(QStringLiteral("  Conteo de tornillería  "));
    QVERIFY(folio > 0);

    auto status = SandboxCalls::request<ops::TI_Folio>();
    status.FolioLista = folio;
    const auto open = m_sb.call<ops::TI_Folio>(status);
    QVERIFY(open.result);
    QCOMPARE(open.Nombre, QStringLiteral("Conteo de tornillería"));
    QVERIFY(lines(folio).Count == 0);

    int pieces = 0, boxes = 0;
    QVERIFY(count(folio, QStringLiteral("inv-prueba"), 7, 1, 1, &pieces));
    QVERIFY(count(folio, QStringLiteral("INV-PRUEBA"), 2.5, 12, 2, &boxes));
    QVERIFY(pieces > 0 && boxes > pieces);

    TListaTomaInv list = lines(folio);
    QCOMPARE(list.NuListaInv, folio);
    QCOMPARE(list.Count, 2);
    QCOMPARE(list.ArrayTomaInv[0].NuListaInv_Mov, pieces);
    QCOMPARE(list.ArrayTomaInv[0].N123, QStringLiteral("INV-PRUEBA"));
    QCOMPARE(list.ArrayTomaInv[0].Descripcion, QStringLiteral("TORNILLO HEXAGONAL 1/4 X 2"));
    QCOMPARE(list.ArrayTomaInv[0].Unidad, QStringLiteral("Pieza"));
    QCOMPARE(list.ArrayTomaInv[0].Cantidad, 7.0);
    QCOMPARE(list.ArrayTomaInv[1].Unidad, QStringLiteral("Caja"));
    QCOMPARE(list.ArrayTomaInv[1].UXC, 12.0);
    QCOMPARE(list.ArrayTomaInv[1].NuUnidad, 2);
    QCOMPARE(list.ArrayTomaInv[1].BarCode, QStringLiteral("7500000000028"));

    // A deleted line stays, with its movement negated; it cannot be deleted twice.
    auto remove = SandboxCalls::request<ops::TI_EliminaConteo>();
    remove.FolioLista = folio;
    remove.Mov = pieces;
    QVERIFY(m_sb.call<ops::TI_EliminaConteo>(remove).result);
    list = lines(folio);
    QCOMPARE(list.Count, 2);
    QCOMPARE(list.ArrayTomaInv[0].NuListaInv_Mov, -pieces);
    QCOMPARE(list.ArrayTomaInv[1].NuListaInv_Mov, boxes);
    QVERIFY(!m_sb.call<ops::TI_EliminaConteo>(remove).result);
    QCOMPARE(m_sb.lastError(), QStringLiteral("El movimiento %1 ya fue eliminado").arg(pieces));

    // A line of another list is not this list's to delete.
    const int other = newList(QStringLiteral("Otra lista"));
    remove.FolioLista = other;
    remove.Mov = boxes;
    QVERIFY(!m_sb.call<ops::TI_EliminaConteo>(remove).result);
    QCOMPARE(lines(folio).ArrayTomaInv[1].NuListaInv_Mov, boxes);
}

void TestSandboxInventory::closedAndUnknownLists_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("closed list") << "closed" << "La lista de inventario %1 está cerrada y no acepta cambios";
    QTest::newRow("unknown folio") << "unknown" << "No existe la lista de inventario %1";
    QTest::newRow("another company's list") << "foreign" << "No existe la lista de inventario %1";
}

void TestSandboxInventory::closedAndUnknownLists()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    int folio = 0, movement = 0;
    if (kind == u"unknown") {
        folio = 99999999;
    } else {
        folio = newList(QStringLiteral("Lista para cerrar"));
        QVERIFY(count(folio, QStringLiteral("INV-PRUEBA"), 3, 1, 1, &movement));
        if (kind == u"closed")
            m_sb.store().exec(QStringLiteral("UPDATE listas_inv SET Abierta = 0 WHERE NuListaInv = ?"), {folio});
        else
            m_sb.store().exec(QStringLiteral("UPDATE listas_inv SET NuEmpresa = 1 WHERE NuListaInv = ?"), {folio});
    }
    reason = reason.arg(folio);

    auto status = SandboxCalls::request<ops::TI_Folio>();
    status.FolioLista = folio;
    const auto answer = m_sb.call<ops::TI_Folio>(status);
    QVERIFY(!answer.result);
    QCOMPARE(answer.Msg, reason);
    // A closed list still tells its name, so the screen can show it read-only.
    QCOMPARE(answer.Nombre, kind == u"closed" ? QStringLiteral("Lista para cerrar") : QString());
    QCOMPARE(lines(folio).Count, kind == u"closed" ? 1 : 0);

    QVERIFY(!count(folio, QStringLiteral("INV-PRUEBA"), 1, 1, 1));
    QCOMPARE(m_sb.lastError(), reason);
    auto remove = SandboxCalls::request<ops::TI_EliminaConteo>();
    remove.FolioLista = folio;
    remove.Mov = movement;
    QVERIFY(!m_sb.call<ops::TI_EliminaConteo>(remove).result);
    QCOMPARE(m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM listas_inv_mov WHERE NuListaInv = ? AND Eliminado = 0"), {folio}).toInt(),
             kind == u"unknown" ? 0 : 1);
}

void TestSandboxInventory::refusedCounts_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown product") << "NO-EXISTE" << 1.0 << 1.0 << 1 << "No existe el producto";
    QTest::newRow("empty product") << "" << 1.0 << 1.0 << 1 << "No existe el producto";
    QTest::newRow("negative quantity") << "INV-PRUEBA" << -1.0 << 1.0 << 1 << "cantidad";
    QTest::newRow("infinite quantity") << "INV-PRUEBA" << std::numeric_limits<double>::infinity() << 1.0 << 1 << "cantidad";
    QTest::newRow("zero factor") << "INV-PRUEBA" << 1.0 << 0.0 << 1 << "factor";
    QTest::newRow("unit of no product") << "INV-PRUEBA" << 1.0 << 1.0 << 9 << "no es una unidad del producto";
    QTest::newRow("box counted as one piece") << "INV-PRUEBA" << 1.0 << 1.0 << 2 << "no es una unidad del producto";
}

void TestSandboxInventory::refusedCounts()
{
    QFETCH(QString, product);
    QFETCH(double, quantity);
    QFETCH(double, factor);
    QFETCH(int, unit);
    QFETCH(QString, reason);
    const int folio = newList(QStringLiteral("Lista de rechazos"));
    int movement = -1;
    QVERIFY(!count(folio, product, quantity, factor, unit, &movement));
    QCOMPARE(movement, 0);
    QVERIFY2(m_sb.lastError().contains(reason), qPrintable(m_sb.lastError()));
    QCOMPARE(lines(folio).Count, 0);
}

void TestSandboxInventory::refusedNewLists_data()
{
    QTest::addColumn<QString>("descripcion");
    QTest::newRow("empty") << "";
    QTest::newRow("only spaces") << "   ";
    QTest::newRow("51 characters") << QString(51, u'x');
}

void TestSandboxInventory::refusedNewLists()
{
    QFETCH(QString, descripcion);
    const int before = m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM listas_inv")).toInt();
    auto rq = SandboxCalls::request<ops::TI_NuevaLista>();
    rq.Descripcion = descripcion;
    const auto rs = m_sb.call<ops::TI_NuevaLista>(rq);
    QVERIFY(!rs.result);
    QCOMPARE(rs.FolioLista, 0);
    QVERIFY(!m_sb.lastError().isEmpty());
    QCOMPARE(m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM listas_inv")).toInt(), before);
}

QTEST_GUILESS_MAIN(TestSandboxInventory)
#include "tst_sandbox_inventory.moc"
