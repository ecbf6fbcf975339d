#include "shell/MainMenu.h"

#include "shell/Session.h"
#include "util/GridReflow.h"

namespace korvel {

const MainMenu::Tile MainMenu::kTiles[10] = {
    {"CobranzaLayout", "COBRANZA", 3},
    {"PedidoLayout", "PEDIDO EN LINEA", 4},
    {"ProductosLayout", "PRODUCTOS", 1},
    {"ClientesLayout", "CLIENTES", 2},
    {"InventarioLayout", "TOMA INVENTARIO", 5},
    {"EstadisticaLayout", "ESTADISTICA", 7},
    {"HistoriaLayout", "HISTORIA COSTOS", 8},
    {"EntregaLayout", "ENTREGA PEDIDOS", 10},
    {"RevisionLayout", "REVISION VENTAS", 12},
    {"AutorizaLayout", "AUTORIZA PRECIO", 11},
};

MainMenu::MainMenu(QObject* parent) : QObject(parent)
{
    setVisible(QList<bool>(10, true));
}

QString MainMenu::layoutName(int tile) const
{
    return tile >= 0 && tile < 10 ? QString::fromLatin1(kTiles[tile].layout) : QString();
}

QString MainMenu::caption(int tile) const
{
    return tile >= 0 && tile < 10 ? QString::fromLatin1(kTiles[tile].caption) : QString();
}

bool MainMenu::tileVisible(int tile) const
{
    return m_visible.value(tile);
}

int MainMenu::row(int tile) const
{
    return m_row.value(tile, -1);
}

int MainMenu::column(int tile) const
{
    return m_column.value(tile, -1);
}

void MainMenu::PrepararMenus(const Session& session)
{
    QList<bool> visible;
    for (const Tile& t : kTiles)
        visible << session.AccesoAModulo(t.module);
    setVisible(visible);
}

void MainMenu::setVisible(const QList<bool>& visible)
{
    m_visible = visible;
    const auto cells = reflowGrid(visible);
    m_row.clear();
    m_column.clear();
    for (const auto& c : cells) {
        m_row << (c ? c->row : -1);
        m_column << (c ? c->column : -1);
    }
    ++m_revision;
    emit changed();
}

} // namespace korvel
