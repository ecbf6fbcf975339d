#pragma once
// The session state: who is logged in, what the company record and the
// grants say, the working order and collection client, the pick modes, and
// the latest result of every list. Plain data with change signals; features
// read it, and each flow writes only the fields it owns. `Reiniciar` resets it.

#include "service/Ikorvel.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace korvel {

class Session : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the session belongs to the shell")

    Q_PROPERTY(bool IsLogged READ IsLogged NOTIFY changed)
    Q_PROPERTY(int VersionServicio READ VersionServicio NOTIFY changed)
    Q_PROPERTY(QString Modulos READ Modulos NOTIFY changed)
    Q_PROPERTY(QString Almacen READ Almacen NOTIFY changed)
    Q_PROPERTY(int EntradaPedido READ EntradaPedido NOTIFY changed)
    Q_PROPERTY(int NuMoneda READ NuMoneda NOTIFY changed)
    Q_PROPERTY(int ModoSelProducto READ ModoSelProducto NOTIFY changed)
    Q_PROPERTY(int ModoSelCliente READ ModoSelCliente NOTIFY changed)
    Q_PROPERTY(int FolioLista READ FolioLista NOTIFY changed)
    Q_PROPERTY(int listFontSize READ listFontSize NOTIFY changed)
    Q_PROPERTY(int titleFontSize READ titleFontSize NOTIFY changed)
    Q_PROPERTY(QString companyName READ companyName NOTIFY changed)
    Q_PROPERTY(QString tradeName READ tradeName NOTIFY changed)
    Q_PROPERTY(int monedaImage READ monedaImage NOTIFY changed)

public:
    explicit Session(QObject* parent = nullptr);

    // ---- Login (written by the login flow)
    bool isLogged = false;
    QString loginUser;     // the login name sent as `User` (company index, "@", user)
    QString loginPass;     // sent as `Pass`
    int versionServicio = 0;
    int nuUser = 0;
    int nuAlmacen = 0;
    QString almacen;
    QString modulos;
    QString np[4];   // Np1..Np4: the letters the user may sell at
    QString npc[4];  // Npc1..Npc4: the letters in effect for the current order
    QString nuPrecioCte;
    QString nivelPrecios;
    TEmpresa empresa;
    bool ivaIncluido = false;
    int opIepsSobreIva = 0;
    bool tasa2IncBaseIva = false;
    double tcVenta = 0;
    double tcCobranza = 0;
    QString companyRfc;
    QString companyAddress;
    QString ticketHeading;
    QString proTitulo[3] = {QStringLiteral("Fabricante"), QStringLiteral("Modelo"), QStringLiteral("Detalles")};
    QString tradeNameShown; // LabelComercial: trade name, "/" and the warehouse
    bool branchesLoaded = false;
    QString orderTicketTitle;

    // ---- Work in progress
    int entradaPedido = 0; // 0 none, 1 new, 2 modify, 3 consult
    int nuMoneda = 1;
    int folioLista = 0;
    bool folioListaEdo = false;
    QDateTime fecha;
    int year = 0;
    int week = 1;
    int month = 1;
    QString filtroXN123;
    QString filtroXN123Unidad;
    QString filtroXN123Nombre;
    int modoSelCliente = 0;
    int modoSelProducto = 0;
    int lastTab = 0;
    bool salida = false;
    bool conImpuesto = false;
    int listFontSizeValue = 11;
    int titleFontSizeValue = 14;
    int monedaImageValue = 5; // MonedaBtn: 5 pesos, 6 dollars

    // ---- Result holders: the latest records received for each screen
    TListaDBS companies;
    TListaProducto productosBuscados;
    TListaCliente clientesBuscados;
    TListaPedido pedidos;
    TListaPedido pedidoDetalle;
    TListaAutorizaPrecio autorizaciones;
    TListaTomaInv tomaInventario;
    TListaCobranza docsCobranza;
    TListaInfo1 info1;
    TListaInfo2 info2;
    TListaInfo3 info3;
    TListaInfo4 info4;
    TListaCompras compras;
    TListaRevisaCtaMov revisaCuenta;
    TCFDI cfdiActual;
    TPedido pedidoActual;
    TCliente clienteCobro;

    // A module is granted when `Modulos` reaches its position and holds an
    // upper-case "T" there.
    Q_INVOKABLE bool AccesoAModulo(int position) const;
    bool orderHasClient() const { return pedidoActual.Cliente.NuClienteKorvel != 0; }
    bool collectionHasClient() const { return clienteCobro.NuClienteKorvel != 0; }

    // The session reset at start-up and at each login.
    void Reiniciar();
    // Currency chosen for a new order (chooser purpose 1).
    void setOrderCurrency(int currency);

    bool IsLogged() const { return isLogged; }
    int VersionServicio() const { return versionServicio; }
    QString Modulos() const { return modulos; }
    QString Almacen() const { return almacen; }
    int EntradaPedido() const { return entradaPedido; }
    int NuMoneda() const { return nuMoneda; }
    int ModoSelProducto() const { return modoSelProducto; }
    int ModoSelCliente() const { return modoSelCliente; }
    int FolioLista() const { return folioLista; }
    int listFontSize() const { return listFontSizeValue; }
    int titleFontSize() const { return titleFontSizeValue; }
    QString companyName() const { return empresa.Nombre; }
    QString tradeName() const { return tradeNameShown; }
    int monedaImage() const { return monedaImageValue; }

signals:
    // Any field changed; emitted by whoever changed it (notify()).
    void changed();
    // Reiniciar ran: screens drop what they show of the old session.
    void reset();

public:
    void notify() { emit changed(); }
};

} // namespace korvel
