// Decoding a product list answer of 5,000 products, every field filled, in the
// multi-reference form, compared with a bare QXmlStreamReader pass that only
// reads every token of the same bytes. Peak memory is measured in a child
// process (peak resident size over the size before the answer was read).
//
//   bench-decode-products [count]

#include "service/Ikorvel.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace korvel;

namespace {

TProducto product(int i)
{
    TProducto p;
    p.ID = QStringLiteral("TRU-%1").arg(10000 + i);
    p.IDRem = QString::number(700000 + i);
    p.ClaveProdServ = QStringLiteral("27111600");
    p.Descripcion = QStringLiteral("Llave ajustable cromada %1\" mango de vinil, acero forjado").arg(6 + i % 12);
    p.Fabricante = QStringLiteral("Truper");
    p.Modelo = QStringLiteral("PET-%1").arg(i % 977);
    p.Modelo2 = p.Modelo3 = p.Modelo4 = p.Modelo5 = QStringLiteral("ALT-%1").arg(i);
    p.Detalle = QStringLiteral("Caja con 6 piezas; garantía de por vida & ñ");
    p.Existencia = 125.5 + i;
    p.NuEstado = i % 4;
    p.OP_UNIDADDEVENTA = 1;
    p.NuCategoria = 10 + i % 30;
    p.NuSubCategoria = 100 + i % 90;
    p.NuUnidadMedida = 1;
    p.NuUnidadMedida2 = 2;
    p.NuUnidadMedida3 = 3;
    p.NuUnidadMedida4 = 4;
    p.NuUnidadMedida5 = 5;
    p.NuMoneda = 1 + i % 2;
    p.Categoria = QStringLiteral("Herramienta manual");
    p.SubCategoria = QStringLiteral("Llaves");
    p.Unidad = QStringLiteral("PZA");
    p.Unidad2 = QStringLiteral("CAJA");
    p.Unidad3 = QStringLiteral("PAQ");
    p.Unidad4 = QStringLiteral("BULTO");
    p.Unidad5 = QStringLiteral("TARIMA");
    p.UXC2 = 6;
    p.UXC3 = 12;
    p.UXC4 = 48;
    p.UXC5 = 480;
    double* prices[] = {&p.Precio01, &p.Precio02, &p.Precio03, &p.Precio04, &p.Precio05, &p.Precio06, &p.Precio07,
                        &p.Precio08, &p.Precio09, &p.Precio10, &p.Precio11, &p.Precio12, &p.Precio13, &p.Precio14,
                        &p.Precio15, &p.Precio16, &p.Precio17, &p.Precio18, &p.Precio19, &p.Precio20};
    for (int k = 0; k < 20; ++k)
        *prices[k] = 189.9 - k * 3.25 + i * 0.01;
    p.Costo = 120.37;
    p.Precio = p.Precio2 = p.Precio3 = p.Precio4 = p.Precio5 = 189.9;
    p.PrecioConImp = p.PrecioConImp2 = p.PrecioConImp3 = p.PrecioConImp4 = p.PrecioConImp5 = 220.28;
    p.TasaIVA = 16;
    p.TasaIEPS = i % 5 ? 0 : 8;
    p.Tasa2 = 0;
    p.Barcode1 = QStringLiteral("750%1").arg(1000000000 + i);
    p.Barcode2 = p.Barcode3 = p.Barcode4 = p.Barcode5 = QStringLiteral("751%1").arg(1000000000 + i);
    p.NuPrecio1 = QStringLiteral("A");
    p.NuPrecio2 = QStringLiteral("B");
    p.NuPrecio3 = QStringLiteral("C");
    p.NuPrecio4 = QStringLiteral("D");
    p.NuPrecio5 = QStringLiteral("E");
    p.Foto = QByteArray(48, char(i));
    QString* mods[] = {&p.Mod1, &p.Mod2, &p.Mod3, &p.Mod4, &p.Mod5, &p.Mod6, &p.Mod7,
                       &p.Mod8, &p.Mod9, &p.Mod10, &p.Mod11, &p.Mod12, &p.Mod13, &p.Mod14};
    for (int k = 0; k < 14; ++k)
        *mods[k] = QStringLiteral("M%1-%2").arg(k).arg(i);
    p.FotoStr = QStringLiteral("foto_%1.jpg").arg(i);
    p.Descuento_Adicional = 2.5;
    p.Descuento_AdicionalTP = QStringLiteral("%");
    p.Promocion = 5;
    p.OP_PROMO_SINLIMITE = QStringLiteral("F");
    p.OP_PROMO_MIN_STOCK = 10;
    p.FIN_PROMOCION = XsDateTime{QDate(2026, 12, 31), QTime(23, 59, 59), XsZone::offset(-6 * 3600)};
    p.NUPRECIO_PROMO = QStringLiteral("B");
    return p;
}

long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int memoryChild(const QString& path)
{
    const long before = statusKb("VmRSS:");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray answer = f.readAll();
    ops::ListaProducto_Consulta::Response r;
    soap::decodeResponse(answer, ops::ListaProducto_Consulta::info(), &r);
    const long peak = statusKb("VmHWM:");
    std::printf("%ld %ld %d\n", before, peak, r.result.Count);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--memory")
        return memoryChild(QString::fromLocal8Bit(argv[2]));
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 5000;

    ops::ListaProducto_Consulta::Response source;
    source.result.Count = count;
    source.result.ArrayProducto.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        source.result.ArrayProducto.push_back(product(i));
    const QByteArray answer = soap::encodeResponse(ops::ListaProducto_Consulta::info(), &source);
    const double mb = answer.size() / 1e6;

    std::vector<double> decodeTimes, bareTimes;
    qint64 tokens = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        QXmlStreamReader reader(answer);
        tokens = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            ++tokens;
        }
        bareTimes.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        ops::ListaProducto_Consulta::Response r;
        soap::decodeResponse(answer, ops::ListaProducto_Consulta::info(), &r);
        decodeTimes.push_back(t.nsecsElapsed() / 1e6);
        if (r.result.ArrayProducto.size() != std::size_t(count) || !(r.result == source.result)) {
            std::fprintf(stderr, "decoded list differs from the one encoded\n");
            return 1;
        }
    }
    const double decodeMs = medianMs(decodeTimes), bareMs = medianMs(bareTimes);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("answer.xml"));
    {
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(answer);
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), file});
    child.waitForFinished(120000);
    const QList<QByteArray> mem = child.readAllStandardOutput().trimmed().split(' ');
    const double peakMb = (mem.value(1).toLong() - mem.value(0).toLong()) / 1024.0;

    std::printf("TListaProducto answer: %d products, %.1f MB, %lld XML tokens (median of 5 runs)\n", count, mb,
                static_cast<long long>(tokens));
    std::printf("  decode into records : %8.1f ms  %7.1f MB/s\n", decodeMs, mb / (decodeMs / 1000));
    std::printf("  bare QXmlStreamReader: %8.1f ms  %7.1f MB/s   (reference)\n", bareMs, mb / (bareMs / 1000));
    std::printf("  ratio decode / bare  : %8.2f   (goal <= 3.00)\n", decodeMs / bareMs);
    std::printf("  peak memory          : %8.1f MB  = %.2f x answer size (goal < 4)\n", peakMb,
                peakMb / (answer.size() / 1048576.0));
    return 0;
}
