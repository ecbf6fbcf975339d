#pragma once
// The queue of prices waiting for a manager: order lines sold below the list
// price or at an agreed price. Approving keeps the line's price; denying puts
// the list price back on the line (and, with "D", sends the order back to
// capture so the seller can review it).

#include "service/Ikorvel.h"

#include <QDate>
#include <QString>

namespace korvel::sandbox {

class Store;
struct SessionUser;

// Kinds of the list: 1 waiting, 2 denied on `day`, 3 approved on `day`.
TListaAutorizaPrecio listAuthorizations(Store& store, int nuEmpresa, int tipo, const QDate& day);

// `auth` "A" approve, "D" deny and return the order to capture, "d" deny.
// False (with the reason) when nothing was decided.
bool decidePrice(Store& store, const SessionUser& user, int nuCarro, int nuCarroMov, const QString& auth, QString* reason);

// "03/05/2024" (month first) as a date; invalid for anything else.
QDate dateFromMonthFirst(const QString& text);

} // namespace korvel::sandbox
