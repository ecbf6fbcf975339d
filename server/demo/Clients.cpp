// The clients of the demo: hardware stores, grocery shops, builders and
// private persons around each company's cities, with credit terms.

#include "server/TextHelpers.h"
#include "server/demo/DemoWriter.h"

namespace korvel::sandbox::demo {
namespace {

const char* const kNombres[] = {"JOSÉ LUIS", "MARÍA GUADALUPE", "JUAN CARLOS", "ANA MARÍA", "FRANCISCO JAVIER",
                                "MARTHA PATRICIA", "MIGUEL ÁNGEL", "ROSA ELENA", "JESÚS", "VERÓNICA", "ALEJANDRO",
                                "LETICIA", "ROBERTO", "SILVIA", "JORGE ARTURO", "GABRIELA", "RAMÓN", "CLAUDIA",
                                "SERGIO", "NORMA ANGÉLICA", "EDUARDO", "ADRIANA", "ARMANDO", "JOSEFINA"};
const char* const kApellidos[] = {"PÉREZ", "HERNÁNDEZ", "GARCÍA", "MARTÍNEZ", "LÓPEZ", "GONZÁLEZ", "RODRÍGUEZ",
                                  "SÁNCHEZ", "RAMÍREZ", "CRUZ", "FLORES", "GÓMEZ", "MORALES", "VÁZQUEZ", "JIMÉNEZ",
                                  "REYES", "DÍAZ", "TORRES", "GUTIÉRREZ", "RUIZ", "MENDOZA", "AGUILAR", "ORTIZ",
                                  "MUÑOZ", "CASTILLO", "ROMERO", "ÁLVAREZ", "ESPARZA", "VILLALOBOS", "NÚÑEZ"};
const char* const kGiros[] = {"FERRETERÍA", "TLAPALERÍA", "ABARROTES", "MISCELÁNEA", "MATERIALES PARA CONSTRUCCIÓN",
                              "TIENDA DE ABARROTES", "FERRE TLAPALERÍA", "DEPÓSITO", "MINISÚPER", "PLOMERÍA Y ELECTRICIDAD"};
const char* const kGirosComercial[] = {"Ferretería", "Tlapalería", "Abarrotes", "Miscelánea", "Materiales",
                                       "Tienda", "Ferre Tlapalería", "Depósito", "Minisúper", "Plomería y Electricidad"};
const char* const kLemas[] = {"LA ESPERANZA", "EL TRIUNFO", "SAN JOSÉ", "LA GUADALUPANA", "DON PEPE", "LOS ARCOS",
                              "EL PROGRESO", "LA PROVIDENCIA", "SANTA FE", "EL CAMPANARIO", "DOÑA LUPITA", "EL PORVENIR",
                              "LA ECONÓMICA", "HERMANOS RÍOS", "EL CENTENARIO", "LAS PALMAS", "EL ÁGUILA", "LA MODERNA",
                              "SAN MIGUEL", "EL MIRADOR"};
const char* const kEmpresas[] = {"CONSTRUCTORA", "EDIFICACIONES", "INMOBILIARIA", "SERVICIOS INTEGRALES",
                                 "COMERCIALIZADORA", "DISTRIBUIDORA", "PROYECTOS Y OBRAS"};
const char* const kCalles[] = {"Av. Juárez", "Calle Hidalgo", "Calle Morelos", "Calle Allende", "Av. Insurgentes",
                               "Calle 5 de Mayo", "Calle Madero", "Blvd. Hermanos Aldama", "Calle Guerrero",
                               "Av. Revolución", "Calle Independencia", "Calle Zaragoza", "Blvd. Campestre",
                               "Calle Aldama", "Av. Universidad", "Calle Pípila", "Calle Miguel Alemán"};

struct City {
    const char* ciudad;
    const char* estado;
    const char* abrev;
    int cp;
    double lat, lon;
    const char* colonias[5];
    const char* lada;
};
const City kCities0[] = {
    {"León", "Guanajuato", "Gto.", 37000, 21.1250, -101.6860, {"Centro", "Jardines de Jerez", "San Juan de Dios", "El Coecillo", "Las Joyas"}, "477"},
    {"Celaya", "Guanajuato", "Gto.", 38000, 20.5235, -100.8157, {"Centro", "Alameda", "Las Insurgentes", "Rosalinda", "Zona de Oro"}, "461"},
    {"Irapuato", "Guanajuato", "Gto.", 36500, 20.6767, -101.3563, {"Centro", "Las Heras", "Jardines de Irapuato", "Valle Verde", "Los Fresnos"}, "462"},
    {"Silao", "Guanajuato", "Gto.", 36100, 20.9437, -101.4270, {"Centro", "Guadalupe", "El Calvario", "Los Ángeles", "San Miguel"}, "472"},
    {"Salamanca", "Guanajuato", "Gto.", 36700, 20.5739, -101.1957, {"Centro", "Bellavista", "El Deportivo", "San Pedro", "Los Pinos"}, "464"},
};
const City kCities1[] = {
    {"Aguascalientes", "Aguascalientes", "Ags.", 20000, 21.8853, -102.2916, {"Centro", "Circunvalación Norte", "Jardines de la Asunción", "Bona Gens", "San Marcos"}, "449"},
    {"Zacatecas", "Zacatecas", "Zac.", 98000, 22.7709, -102.5833, {"Centro", "Sierra de Álica", "Las Colinas", "La Escondida", "Díaz Ordaz"}, "492"},
    {"Lagos de Moreno", "Jalisco", "Jal.", 47400, 21.3564, -101.9355, {"Centro", "La Luz", "El Refugio", "Las Arboledas", "San Felipe"}, "474"},
};

QString rfcLetters(Random& rnd, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s.append(QChar(u'A' + rnd.range(0, 25)));
    return s;
}

// "LA ESPERANZA" -> "La Esperanza"; short joining words stay lower case.
QString titleCase(const QString& text)
{
    QStringList words = text.toLower().split(u' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString& w = words[i];
        const bool joining = i > 0 && (w == u"de" || w == u"del" || w == u"la" || w == u"las" || w == u"los" || w == u"y" || w == u"el");
        if (!w.isEmpty() && !joining)
            w[0] = w[0].toUpper();
    }
    return words.join(u' ');
}

QString emailUser(const QString& text)
{
    QString s;
    for (const QChar c : normalizeSearchText(text).toLower())
        if (c.isLetterOrNumber() && c.unicode() < 128)
            s.append(c);
        else if (c == u' ' && !s.endsWith(u'.') && !s.isEmpty())
            s.append(u'.');
    while (s.endsWith(u'.'))
        s.chop(1);
    return s.left(24);
}

} // namespace

void writeClients(DemoContext& ctx)
{
    Random& rnd = ctx.rnd;
    QStringList cols = {"NuClienteKorvel", "NuEmpresa", "NuCliente", "Nombre", "Comercial", "RFC", "Calle", "Numero",
                        "Interior", "Colonia", "Ciudad", "Estado", "Pais", "CP", "Email", "Telefono",
                        "DomicilioEntrega", "NuPrecio", "Limite", "NuTipoPago", "DiasCredito", "CreditoSuspendido",
                        "Extra1", "Extra2", "Extra3", "Latitud", "Longitud", "RegimenFiscal", "UsoCFDI", "NuVendedor",
                        "EsPublicoGeneral", "BuscaNombre"};
    Inserter clientes(ctx.store, QStringLiteral("clientes"), cols);

    for (const DemoCompany& company : ctx.companies) {
        const bool first = company.index == 0;
        const int count = first ? 104 : 42;
        int nu = first ? 1 : 5001;
        const City* cities = first ? kCities0 : kCities1;
        const int cityCount = first ? int(std::size(kCities0)) : int(std::size(kCities1));

        for (int i = 0; i <= count; ++i, ++nu) {
            DemoClient c;
            c.nu = nu;
            c.company = company.index;
            const City& city = cities[i == 0 ? 0 : (i % 7 < 4 ? 0 : i % cityCount)];
            QString comercial;
            if (i == 0) {
                c.publico = true;
                c.nombre = QStringLiteral("PÚBLICO EN GENERAL");
                comercial = QStringLiteral("Mostrador");
                c.rfc = QStringLiteral("XAXX010101000");
                c.regimen = QStringLiteral("616");
                c.usoCfdi = QStringLiteral("S01");
            } else {
                const int kind = rnd.range(0, 9);
                const QString apellido1 = QString::fromUtf8(rnd.pick(kApellidos));
                const QString apellido2 = QString::fromUtf8(rnd.pick(kApellidos));
                const QString nombre = QString::fromUtf8(rnd.pick(kNombres));
                const QDate born(rnd.range(1958, 1995), rnd.range(1, 12), rnd.range(1, 28));
                if (kind < 6) {
                    // A shop run by a person: legal name is the owner, trade name the shop.
                    const int g = rnd.range(0, int(std::size(kGiros)) - 1);
                    const QString lema = QString::fromUtf8(rnd.pick(kLemas));
                    c.nombre = nombre + u' ' + apellido1 + u' ' + apellido2;
                    comercial = QString::fromUtf8(kGirosComercial[g]) + u' ' + titleCase(lema);
                    c.rfc = normalizeSearchText(apellido1.left(2) + apellido2.left(1) + nombre.left(1)) +
                            born.toString(QStringLiteral("yyMMdd")) + rfcLetters(rnd, 2) + QString::number(rnd.range(0, 9));
                    c.regimen = QStringLiteral("612");
                    c.usoCfdi = QStringLiteral("G01");
                } else if (kind < 9) {
                    const QString lema = QString::fromUtf8(rnd.pick(kLemas));
                    const QString tipo = QString::fromUtf8(rnd.pick(kEmpresas));
                    c.nombre = tipo + u' ' + lema + QStringLiteral(", S.A. DE C.V.");
                    comercial = titleCase(tipo) + u' ' + titleCase(lema);
                    c.rfc = normalizeSearchText(tipo.left(1) + lema.left(2)) + born.toString(QStringLiteral("yyMMdd")) +
                            rfcLetters(rnd, 2) + QString::number(rnd.range(0, 9));
                    c.regimen = QStringLiteral("601");
                    c.usoCfdi = rnd.chance(0.5) ? QStringLiteral("G01") : QStringLiteral("G03");
                } else {
                    // A private buyer (a contractor, a plumber).
                    c.nombre = nombre + u' ' + apellido1 + u' ' + apellido2;
                    c.rfc = normalizeSearchText(apellido1.left(2) + apellido2.left(1) + nombre.left(1)) +
                            born.toString(QStringLiteral("yyMMdd")) + rfcLetters(rnd, 2) + QString::number(rnd.range(0, 9));
                    c.regimen = QStringLiteral("612");
                    c.usoCfdi = QStringLiteral("G03");
                }
                const int terms = rnd.range(0, 9);
                c.credito = terms >= 3;
                c.dias = c.credito ? (terms < 6 ? 30 : terms < 8 ? 15 : 45) : 0;
                c.limite = c.credito ? double(rnd.range(2, 50) * 5000) : 0;
                const int letter = rnd.range(0, 9);
                c.letra = letter < 7 ? QString() : QString(QChar(u'B' + letter - 7));  // B, C or D
            }
            c.ciudad = QString::fromUtf8(city.ciudad);
            c.estado = QString::fromUtf8(city.estado);
            c.colonia = QString::fromUtf8(city.colonias[rnd.range(0, 4)]);
            c.calle = QString::fromUtf8(rnd.pick(kCalles));
            c.numero = QString::number(rnd.range(10, 3999));
            c.cp = QString::number(city.cp + rnd.range(0, 90) * (i == 0 ? 0 : 1));
            c.telefono = QString::fromLatin1(city.lada) + rnd.digits(7);
            c.domicilio = QStringLiteral("%1 %2, Col. %3, %4, %5").arg(c.calle, c.numero, c.colonia, c.ciudad, QString::fromUtf8(city.abrev));
            if (!c.publico) {
                const QString local = emailUser(comercial.isEmpty() ? c.nombre : comercial);
                const char* const domains[] = {"gmail.com", "hotmail.com", "outlook.com", "prodigy.net.mx", "yahoo.com.mx"};
                c.email = local + u'@' + QString::fromLatin1(rnd.pick(domains));
                // A few clients were captured without position.
                if (!rnd.chance(0.06)) {
                    c.lat = city.lat + rnd.real(-0.045, 0.045);
                    c.lon = city.lon + rnd.real(-0.045, 0.045);
                }
            }
            c.vendedor = company.vendedores.isEmpty() ? 0 : company.vendedores[rnd.range(0, int(company.vendedores.size()) - 1)];
            const bool suspended = c.credito && rnd.chance(0.05);
            const QString interior = rnd.chance(0.2) ? QStringLiteral("Local %1").arg(rnd.range(1, 12)) : QString();
            const QString entrega = rnd.chance(0.15)
                ? QStringLiteral("Bodega: %1 %2, Col. %3, %4").arg(QString::fromUtf8(rnd.pick(kCalles))).arg(rnd.range(10, 999)).arg(c.colonia, c.ciudad)
                : c.domicilio;
            clientes.insert({c.nu, company.index, first ? 100000 + c.nu : 200000 + c.nu, c.nombre, comercial, c.rfc,
                             c.calle, c.numero, interior, c.colonia, c.ciudad, c.estado, QStringLiteral("México"), c.cp,
                             c.email, c.telefono, entrega, c.letra, c.limite, c.credito ? 2 : 1, c.dias, suspended ? 1 : 0,
                             c.credito ? QStringLiteral("Crédito %1 días").arg(c.dias) : QStringLiteral("Contado"),
                             QStringLiteral("Ruta %1").arg(rnd.range(1, 6)), QString(), c.lat, c.lon, c.regimen, c.usoCfdi,
                             c.vendedor, c.publico ? 1 : 0, normalizeSearchText(c.nombre + QStringLiteral(" | ") + comercial)});
            ctx.clients.push_back(c);
        }
    }
}

} // namespace korvel::sandbox::demo
