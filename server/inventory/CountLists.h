#pragma once
// Inventory count lists of a company: a folio, a description, the warehouse
// of the user who opened it, and counted lines. A closed list (Abierta 0)
// is listed but takes no new or deleted lines; a deleted line stays in the
// list, marked, and is listed with its movement number negated.
//
// Refusals are answers, not faults: `ok` false with the reason in Spanish.

#include "service/Ikorvel.h"

#include <QString>

namespace korvel::sandbox {

class Store;
struct SessionUser;

struct CountAnswer {
    bool ok = false;
    QString reason;   // why not, when !ok
    int number = 0;   // the new folio or movement
    QString nombre;   // the list's description
};

CountAnswer newCountList(Store& store, const SessionUser& user, const QString& descripcion);
// ok when the list exists and is open; `nombre` is filled whenever it exists.
CountAnswer countListStatus(Store& store, const SessionUser& user, int folio);
CountAnswer addCount(Store& store, const SessionUser& user, int folio, const QString& product, double quantity,
                     double factor, int unit);
CountAnswer deleteCount(Store& store, const SessionUser& user, int folio, int movement);
// The lines in the order counted; an unknown folio gives an empty list.
TListaTomaInv countLines(Store& store, const SessionUser& user, int folio);

} // namespace korvel::sandbox
