#pragma once
// The branches of the statistics and of the purchase history: the companies
// this run offers, in company order. A branch travels as its position in
// that list (GM_ListaSucursales), counting from 0.

#include "service/Ikorvel.h"

#include <QList>
#include <QString>

namespace korvel::sandbox {

class Sandbox;

struct Branch {
    int position = 0;
    int company = 0;  // NuEmpresa
    int suc = 0;
    QString nombre;
    QString ruta;
};

QList<Branch> branches(Sandbox& sandbox);
TListaDBS branchList(const QList<Branch>& list);

// The branch at `position`; throws SandboxFault "La sucursal N no existe".
const Branch& branchAt(const QList<Branch>& list, int position);
// The branch of a company, or nullptr when it is not offered.
const Branch* branchOfCompany(const QList<Branch>& list, int company);

} // namespace korvel::sandbox
