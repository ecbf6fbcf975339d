#include "server/collections/FiscalStamp.h"

#include "server/Store.h"
#include "server/TextHelpers.h"

#include <QCryptographicHash>
#include <QUuid>

namespace korvel::sandbox {
namespace {

const QString kRfcPac = QStringLiteral("SPR190613I52");
const QString kCertificadoSat = QStringLiteral("00001000000509846663");

// 256 bytes derived from the text, in base64: the size of an RSA-2048 seal.
QString seal(const QByteArray& text)
{
    QByteArray bytes;
    for (char i = 0; i < 4; ++i)
        bytes += QCryptographicHash::hash(text + i, QCryptographicHash::Sha512);
    return QString::fromLatin1(bytes.toBase64());
}

QString amountText(double amount)
{
    return QString::number(amount, 'f', 2);
}

} // namespace

QString verificationAddress(const QString& uuid, const QString& rfcEmisor, const QString& rfcReceptor, double total,
                            const QString& sello)
{
    return QStringLiteral("https://verificacfdi.facturaelectronica.sat.gob.mx/default.aspx?id=%1&re=%2&rr=%3&tt=%4&fe=%5")
        .arg(uuid, rfcEmisor, rfcReceptor, QString::number(total, 'f', 6), sello.right(8));
}

int insertStamp(Store& store, const StampRequest& rq)
{
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    const QDateTime fecha = rq.fecha.isValid() ? rq.fecha : QDateTime::currentDateTime();
    const QString fechaText = storeDateTime(fecha);
    const QString timbrado = storeDateTime(QDateTime::currentDateTime());
    const QString cadena = QStringLiteral("||4.0|%1|%2|%3|%4|%5|%6|%7|%8|%9|")
                               .arg(rq.serie, rq.folio, fechaText, rq.formaPago, rq.nuCertificado,
                                    amountText(rq.subTotal), rq.moneda, amountText(rq.total), rq.tipoDeComprobante)
                           + rq.rfcEmisor + u'|' + rq.rfcReceptor + QStringLiteral("||");
    const QString sello = seal(cadena.toUtf8());
    const QString selloSat = seal((uuid + sello).toUtf8());
    const QString cadenaTim =
        QStringLiteral("||1.1|%1|%2|%3|%4|%5||").arg(uuid, timbrado, kRfcPac, sello, kCertificadoSat);
    const QString qr = verificationAddress(uuid, rq.rfcEmisor, rq.rfcReceptor, rq.total, sello);
    store.exec(QStringLiteral("INSERT INTO timbres (UUID, Version, VersionTim, Fecha, FechaTimbrado, TipoDeComprobante,"
                              " NuCertificado, NuCertificadoSAT, RFCPAC, Sello, SelloSAT, SelloCFD, Cadena, CadenaTim,"
                              " QRCode, QRCodeMin) VALUES (?, '4.0', '1.1', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {uuid, fechaText, timbrado, rq.tipoDeComprobante, rq.nuCertificado, kCertificadoSat, kRfcPac, sello,
                selloSat, sello, cadena, cadenaTim, qr, qr});
    return store.scalar(QStringLiteral("SELECT last_insert_rowid()")).toInt();
}

} // namespace korvel::sandbox
