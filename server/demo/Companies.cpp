// The two companies of the demo, their warehouses, users and folio series.

#include "server/demo/DemoWriter.h"

namespace korvel::sandbox::demo {
namespace {

struct UserSpec {
    const char* login;
    const char* pass;
    const char* nombre;
    int almacen;       // position in the company's warehouses
    const char* modulos;
    const char* letras;  // Precio1..Precio4
    const char* nivel;
    const char* movil;
    int chofer;
    int activo;
    int role;          // 1 demo, 2 seller, 3 driver, 4 manager, 5 other seller
};

// Module positions: 1 products, 2 clients, 3 collections, 4 orders, 5 inventory,
// 7 statistics, 8 purchase history, 9 invoicing, 10 deliveries, 11 price
// authorization, 12 sale review.
const UserSpec kUsers0[] = {
    {"demo", "demo", "Usuario de Demostración", 0, "TTTTTTTTTTTT", "ABCD", "ABCDEFGHIJKLMNOPQRST", "T", 0, 1, 1},
    {"vendedor", "vende123", "Mariana García Ruiz", 0, "TTTTFFFTFFFF", "BCDE", "BCDEF", "T", 0, 1, 2},
    {"chofer", "ruta123", "José Luis Ramírez Soto", 0, "FFFFFFFFFTFF", "AAAA", "", "T", 1, 1, 3},
    {"gerente", "gerente123", "Ricardo Hernández Villalobos", 0, "TTFTFFTTFFTT", "ABCD", "ABCDEFGH", "T", 0, 1, 4},
    {"almacen", "conteo123", "Laura Méndez Ortiz", 1, "TFFFTFFFFFFF", "ABCD", "", "T", 0, 1, 0},
    {"oibarra", "celaya2024", "Óscar Ibarra Lugo", 1, "TTTTFFFFTFFF", "ABCD", "ABCD", "T", 0, 1, 5},
    {"ptorres", "irapuato24", "Patricia Torres Aguilar", 2, "TTTTFFFFTFFF", "BCDD", "BCD", "T", 0, 1, 5},
    {"caja", "caja123", "Rosa María Luna Paredes", 0, "TTFFFFFFFFFF", "AAAA", "", "F", 0, 1, 0},
    {"rsalinas", "rsalinas", "Raúl Salinas Peña", 0, "TTTTFFFFFFFF", "ABCD", "", "T", 0, 0, 0},
    {"chofer2", "ruta456", "Miguel Ángel Cruz Olvera", 1, "FFFFFFFFFTFF", "AAAA", "", "T", 1, 1, 0},
};
const UserSpec kUsers1[] = {
    {"demo", "demo", "Usuario de Demostración", 0, "TTTTTTTTTTTT", "ABCD", "ABCDEFGHIJKLMNOPQRST", "T", 0, 1, 1},
    {"vendedor", "vende123", "Alejandra Ruvalcaba Esparza", 0, "TTTTFFFTFFFF", "BCDE", "BCDEF", "T", 0, 1, 2},
    {"chofer", "ruta123", "Juan Carlos Delgado Romo", 0, "FFFFFFFFFTFF", "AAAA", "", "T", 1, 1, 3},
    {"gerente", "gerente123", "Fernanda Macías Campos", 0, "TTFTFFTTFFTT", "ABCD", "ABCDEFGH", "T", 0, 1, 4},
    {"hmarquez", "zacatecas1", "Héctor Márquez Valdez", 1, "TTTTFFFFTFFF", "ABCD", "ABC", "T", 0, 1, 5},
};

} // namespace

void writeCompanies(DemoContext& ctx)
{
    Inserter empresas(ctx.store, QStringLiteral("empresas"),
                      {"NuEmpresa", "Suc", "Ruta", "Nombre", "Comercial", "RFC", "Domicilio", "Telefono", "Correo",
                       "Printer1", "Printer2", "Printer3", "Printer4", "Printer5", "ProTitulo1", "ProTitulo2",
                       "ProTitulo3", "IVAIncluido", "OP_IEPS_SOBRE_IVA", "TC_VentaCredito", "TC_CobranzaCredito",
                       "OP_AUTHPEDIDOPRECIO", "OP_MOSTRARPIEZAS", "OP_AUTOGEN_PRECIOPACTO", "FOLIOTRUPERLINEA",
                       "TASA2_INC_BASEIVA", "PublicaFotosWeb", "PublicaEntregasWeb", "RegimenFiscal",
                       "LugarExpedicion", "NuCertificado", "DiasGraciaCredito"});
    empresas.insert({0, 1, QStringLiteral("C:\\Korvel\\Datos\\Bajio.fdb"),
                     QStringLiteral("Distribuidora Korvel del Bajío, S.A. de C.V."),
                     QStringLiteral("Korvel Ferretería y Abarrotes"), QStringLiteral("DKB980415KL3"),
                     QStringLiteral("Blvd. Adolfo López Mateos 2817 Ote., Col. Jardines de Jerez, León, Gto., C.P. 37530"),
                     QStringLiteral("4777124580"), QStringLiteral("ventas@korvel-bajio.com.mx"),
                     QStringLiteral("Caja 1"), QStringLiteral("Mostrador"), QStringLiteral("Almacén"),
                     QStringLiteral("Crédito y Cobranza"), QStringLiteral("Gerencia"), QStringLiteral("Marca"),
                     QStringLiteral("Modelo"), QStringLiteral("Detalles"), 0, 0, 18.35, 18.20, "T", "T", "T", 1, 0, 1,
                     1, "601", "37530", "00001000000512345678", 5});
    empresas.insert({1, 2, QStringLiteral("C:\\Korvel\\Datos\\Sauz.fdb"),
                     QStringLiteral("Abarrotera y Ferretera El Sauz, S.A. de C.V."), QStringLiteral("Comercial El Sauz"),
                     QStringLiteral("AFS050322RT1"),
                     QStringLiteral("Av. Convención de 1914 Nte. 1209, Col. Circunvalación Norte, Aguascalientes, Ags., C.P. 20020"),
                     QStringLiteral("4499153320"), QStringLiteral("pedidos@elsauz.mx"), QStringLiteral("Caja"),
                     QString(), QString(), QString(), QString(), QStringLiteral("Fabricante"), QStringLiteral("Modelo"),
                     QStringLiteral("Detalles"), 1, 2, 18.40, 18.25, "F", "F", "F", 0, 1, 0, 0, "601", "20020",
                     "00001000000509876543", 0});

    DemoCompany c0;
    c0.index = 0;
    c0.nombre = QStringLiteral("Distribuidora Korvel del Bajío, S.A. de C.V.");
    c0.rfc = QStringLiteral("DKB980415KL3");
    c0.lugar = QStringLiteral("37530");
    c0.regimen = QStringLiteral("601");
    c0.certificado = QStringLiteral("00001000000512345678");
    c0.tcVenta = 18.35;
    DemoCompany c1;
    c1.index = 1;
    c1.nombre = QStringLiteral("Abarrotera y Ferretera El Sauz, S.A. de C.V.");
    c1.rfc = QStringLiteral("AFS050322RT1");
    c1.lugar = QStringLiteral("20020");
    c1.regimen = QStringLiteral("601");
    c1.certificado = QStringLiteral("00001000000509876543");
    c1.ivaIncluido = true;
    c1.iepsSobreIva = 2;
    c1.tasa2IncBase = true;
    c1.tcVenta = 18.40;

    Inserter almacenes(ctx.store, QStringLiteral("almacenes"), {"NuAlmacen", "NuEmpresa", "Nombre", "Domicilio"});
    struct W { int nu; int company; const char* nombre; const char* domicilio; };
    const W warehouses[] = {
        {1, 0, "Matriz León", "Blvd. Adolfo López Mateos 2817 Ote., León, Gto."},
        {2, 0, "Sucursal Celaya", "Av. Tecnológico 1450, Celaya, Gto."},
        {3, 0, "Sucursal Irapuato", "Blvd. Díaz Ordaz 3320, Irapuato, Gto."},
        {4, 1, "Bodega Aguascalientes", "Av. Convención de 1914 Nte. 1209, Aguascalientes, Ags."},
        {5, 1, "Sucursal Zacatecas", "Blvd. López Portillo 118, Guadalupe, Zac."},
    };
    for (const W& w : warehouses) {
        almacenes.insert({w.nu, w.company, QString::fromUtf8(w.nombre), QString::fromUtf8(w.domicilio)});
        DemoCompany& c = w.company == 0 ? c0 : c1;
        c.almacenes.append(w.nu);
        c.nombresAlmacen.append(QString::fromUtf8(w.nombre));
    }

    Inserter usuarios(ctx.store, QStringLiteral("usuarios"),
                      {"NuUser", "NuEmpresa", "Login", "Pass", "Nombre", "NuAlmacen", "Modulos", "Precio1", "Precio2",
                       "Precio3", "Precio4", "NivelPrecios", "OP_KORVELMOVIL", "EsChofer", "Activo"});
    int nu = 1;
    auto addUsers = [&](DemoCompany& c, const UserSpec* specs, size_t count, int firstNumber) {
        nu = firstNumber;
        for (size_t i = 0; i < count; ++i) {
            const UserSpec& s = specs[i];
            const QString letras = QString::fromLatin1(s.letras);
            usuarios.insert({nu, c.index, QString::fromLatin1(s.login), QString::fromLatin1(s.pass),
                             QString::fromUtf8(s.nombre), c.almacenes.value(s.almacen), QString::fromLatin1(s.modulos),
                             letras.mid(0, 1), letras.mid(1, 1), letras.mid(2, 1), letras.mid(3, 1),
                             QString::fromLatin1(s.nivel), QString::fromLatin1(s.movil), s.chofer, s.activo});
            switch (s.role) {
            case 1: c.demoUser = nu; c.vendedores.append(nu); break;
            case 2: c.vendedor = nu; c.vendedores.append(nu); break;
            case 3: c.chofer = nu; break;
            case 4: c.gerente = nu; break;
            case 5: c.vendedores.append(nu); break;
            default: break;
            }
            ++nu;
        }
    };
    addUsers(c0, kUsers0, std::size(kUsers0), 1);
    addUsers(c1, kUsers1, std::size(kUsers1), 101);

    ctx.companies.push_back(c0);
    ctx.companies.push_back(c1);
}

namespace {
struct FolioKind { const char* documento; const char* serie0; const char* serie1; };
const FolioKind kFolioKinds[] = {{"FACTURA", "A", "FA"}, {"TICKET", "T", "TK"}, {"REMISION", "R", "RM"},
                                 {"RECIBO", "P", "PG"}, {"INTERNO", "", ""}};
} // namespace

QString folioSerie(int company, const QString& documento)
{
    for (const FolioKind& f : kFolioKinds)
        if (documento == QLatin1String(f.documento))
            return QString::fromLatin1(company == 0 ? f.serie0 : f.serie1);
    return {};
}

void writeFolios(DemoContext& ctx)
{
    Inserter folios(ctx.store, QStringLiteral("folios"), {"NuEmpresa", "Documento", "Serie", "Ultimo"});
    for (const DemoCompany& c : ctx.companies) {
        for (const FolioKind& f : kFolioKinds) {
            const QString documento = QString::fromLatin1(f.documento);
            folios.insert({c.index, documento, folioSerie(c.index, documento),
                           ctx.folios.value(QString::number(c.index) + u'/' + documento)});
        }
    }
}

} // namespace korvel::sandbox::demo
