#pragma once
// Who is calling: the login name of every operation ("N@user" is user `user`
// of company N, a plain "user" is of company 0) checked against `usuarios`.
// There is no session: each call stands alone with its credentials.

#include <QString>

#include <optional>

namespace korvel::sandbox {

class Sandbox;

struct LoginName {
    int company = 0;
    QString user;
};

// "2@ana" -> {2, "ana"}; "ana" -> {0, "ana"}. Only digits before the first
// "@" make a company prefix; anything else is all user name.
LoginName parseLoginName(const QString& text);

struct SessionUser {
    int nuUser = 0;
    int company = 0;
    int nuAlmacen = 0;
    QString login;
    QString nombre;
    QString almacen;
    QString modulos;
    QString precio[4];
    QString nivelPrecios;
    bool movil = false;

    // Position n (1-based) of the grant string is an upper-case "T".
    bool hasModule(int position) const;
};

// The company exists and this run offers it (only the first one with
// --single-company).
bool companyOffered(Sandbox& sandbox, int company);

// The user of a login name and password, or nothing with the reason in Spanish.
std::optional<SessionUser> authenticate(Sandbox& sandbox, const QString& loginName, const QString& pass,
                                        QString* reason);

// As authenticate, for operations: a refusal throws SandboxFault with the reason.
// Users without the mobile-client permission are refused too.
SessionUser requireUser(Sandbox& sandbox, const QString& loginName, const QString& pass);

} // namespace korvel::sandbox
