// Pictures and documents of the demo data: product photos (small JPEG
// drawings, no fonts needed), technical sheets in RTF and delivery signatures.

#include "server/demo/DemoWriter.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace korvel::sandbox::demo {
namespace {

QByteArray jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return bytes;
}

// RTF escapes: braces and backslashes, and every character past ASCII as \'hh
// (Windows-1252 for Latin-1 letters) or \uN?.
QString rtfText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}')
            out += u'\\' + QString(c);
        else if (u == u'\n')
            out += QStringLiteral("\\par\n");
        else if (u < 128)
            out += c;
        else if (u < 256)
            out += QStringLiteral("\\'%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
    }
    return out;
}

} // namespace

QByteArray productPhoto(const DemoProduct& product, int variant)
{
    constexpr int kSize = 200;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    const int hue = (product.nuCategoria * 27 + 10) % 360;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, kSize);
    bg.setColorAt(0, QColor::fromHsv(hue, 30, 250));
    bg.setColorAt(1, QColor::fromHsv(hue, 70, 215));
    p.fillRect(image.rect(), bg);
    // A shadow and a body whose shape and colour follow the product.
    const QColor body = QColor::fromHsv((hue + 40 * variant) % 360, 170, 200);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QRectF(45, 160, 110, 18));
    p.setBrush(body);
    p.setPen(QPen(body.darker(150), 3));
    const int shape = (product.nuCategoria + variant) % 4;
    if (shape == 0) {
        p.drawRoundedRect(QRectF(55, 40, 90, 120), 12, 12);
    } else if (shape == 1) {
        p.drawEllipse(QRectF(45, 35, 110, 120));
    } else if (shape == 2) {
        QPainterPath path;
        path.moveTo(100, 30);
        path.lineTo(160, 160);
        path.lineTo(40, 160);
        path.closeSubpath();
        p.drawPath(path);
    } else {
        p.drawRect(QRectF(35, 80, 130, 75));
        p.drawRect(QRectF(80, 40, 40, 40));
    }
    // A label band with bars as on a package.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRect(QRectF(62, 95, 76, 34));
    p.setBrush(QColor(30, 30, 30));
    const QString& id = product.id;
    double x = 66;
    for (qsizetype i = 0; i < id.size() * 2 && x < 132; ++i) {
        const double w = 1 + (id.at(i % id.size()).unicode() + i) % 3;
        p.drawRect(QRectF(x, 99, w, 26));
        x += w + 1.5;
    }
    p.end();
    return jpeg(image, 80);
}

QString productSheet(const DemoProduct& product, const QString& fabricante, const QString& modelo, const QString& detalle)
{
    QString units;
    units += QStringLiteral("Unidad de venta: %1").arg(product.unidad[0]);
    for (int k = 1; k < 5; ++k)
        if (!product.unidad[k].isEmpty())
            units += QStringLiteral("\n%1 con %2 %3").arg(product.unidad[k]).arg(product.uxc[k]).arg(product.unidad[0].toLower());
    QString taxes = QStringLiteral("IVA %1%").arg(product.iva);
    if (product.ieps > 0)
        taxes += QStringLiteral(", IEPS %1%").arg(product.ieps);
    if (product.tasa2 > 0)
        taxes += QStringLiteral(", impuesto ecológico %1%").arg(product.tasa2);

    QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                                 "{\\colortbl;\\red0\\green51\\blue153;}\n\\f0\\fs28\\cf1\\b ");
    rtf += rtfText(QStringLiteral("Ficha técnica")) + QStringLiteral("\\b0\\cf0\\par\n\\fs22\\b ");
    rtf += rtfText(product.descripcion) + QStringLiteral("\\b0\\par\n\\fs20 ");
    rtf += rtfText(QStringLiteral("Clave: %1\nMarca: %2\nModelo: %3\n").arg(product.id, fabricante, modelo));
    rtf += rtfText(units + u'\n');
    rtf += rtfText(QStringLiteral("Impuestos: ") + taxes + u'\n');
    rtf += rtfText(QStringLiteral("Clave SAT: %1\n").arg(product.claveProdServ));
    if (!detalle.isEmpty())
        rtf += QStringLiteral("\\i ") + rtfText(detalle) + QStringLiteral("\\i0\\par\n");
    rtf += rtfText(QStringLiteral("\nCaracterísticas:\n"));
    rtf += QStringLiteral("\\bullet  ") + rtfText(QStringLiteral("Calidad garantizada por el fabricante.\n"));
    rtf += QStringLiteral("\\bullet  ") + rtfText(QStringLiteral("Empaque original, listo para exhibición.\n"));
    rtf += QStringLiteral("}");
    return rtf;
}

QByteArray signatureJpeg(Random& rnd)
{
    QImage image(421, 134, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x00, 0x00, 0x8B), 2));
    QPainterPath path;
    double x = 30;
    double y = 80;
    path.moveTo(x, y);
    while (x < 380) {
        const double nx = x + rnd.real(8, 30);
        const double ny = std::clamp(y + rnd.real(-35, 35), 20.0, 115.0);
        path.quadTo((x + nx) / 2, ny - rnd.real(-30, 30), nx, ny);
        x = nx;
        y = ny;
    }
    p.drawPath(path);
    p.end();
    return jpeg(image, 70);
}

} // namespace korvel::sandbox::demo
