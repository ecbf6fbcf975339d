#include "shell/Session.h"

namespace korvel {

Session::Session(QObject* parent) : QObject(parent)
{
    npc[0] = QStringLiteral("A");
    npc[1] = QStringLiteral("B");
    npc[2] = QStringLiteral("C");
    npc[3] = QStringLiteral("D");
}

bool Session::AccesoAModulo(int position) const
{
    return position >= 1 && modulos.size() >= position && modulos.at(position - 1) == QLatin1Char('T');
}

void Session::Reiniciar()
{
    isLogged = false;
    branchesLoaded = false;
    nivelPrecios.clear();
    orderTicketTitle.clear();

    const QDateTime now = QDateTime::currentDateTime();
    fecha = now;
    year = now.date().year();
    week = 1;
    month = 1;
    companies = {};
    info1 = {};
    info2 = {};
    info3 = {};
    info4 = {};
    compras = {};
    pedidos = {};
    pedidoDetalle = {};
    autorizaciones = {};
    tomaInventario = {};
    productosBuscados = {};
    clientesBuscados = {};
    docsCobranza = {};
    pedidoActual = {};
    pedidoActual.Cliente = {};
    resetPedido(pedidoActual);
    pedidoActual.ArrayDetalle.clear();
    pedidoActual.Count = 0;
    pedidoActual.NuCliente = 0;
    pedidoActual.Cliente.NuClienteKorvel = 0;
    pedidoActual.Total = 0;
    clienteCobro = {};
    cfdiActual = {};
    revisaCuenta = {};
    empresa = {};
    modoSelCliente = 0;
    emit reset();
    emit changed();
}

void Session::setOrderCurrency(int currency)
{
    nuMoneda = currency == 1 ? 1 : 2;
    pedidoActual.NuMoneda = nuMoneda;
    monedaImageValue = nuMoneda == 1 ? 5 : 6;
    emit changed();
}

} // namespace korvel
