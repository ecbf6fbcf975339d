#pragma once
// The printed representation of a fiscal document as a PDF, drawn from the
// same `TCFDI` record the tickets print, so PDF and ticket always agree.

#include "service/Ikorvel.h"

#include <QByteArray>

namespace korvel::sandbox {

QByteArray saleDocumentPdf(const TCFDI& cfdi);
QByteArray receiptPdf(const TCFDI& cfdi);

} // namespace korvel::sandbox
