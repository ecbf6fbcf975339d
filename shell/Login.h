#pragma once
// Getting in: "Ingresar" asks the server whether it hosts several companies
// and fills the company picker; "INICIAR" checks the service build and the
// credentials, fills the session and prepares the main menu. Both run as
// background tasks.

#include <QObject>
#include <QString>

namespace korvel {

class Ikorvel;
class Messages;
class Navigator;
class Session;
class Settings;
class StartScreen;
class TaskRunner;

class Login : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinimumBuild = 20170;
    static constexpr int kCurrentBuild = 20192;
    static constexpr int kBarcodeBuild = 20190;

    Login(Session& session, StartScreen& start, Navigator& navigator, Messages& messages, TaskRunner& tasks,
          Settings& settings, Ikorvel& service, QObject* parent = nullptr);

    void IngresarBtnClick();
    void LoginBtnClick();
    void PrepararMenus();

    // The chosen company: the picker's index when it shows and is above 0, else 0.
    int IdEmp() const;
    // The login name: "<index>@<user>" for a company other than the first.
    QString iUserText() const;

signals:
    // A successful login finished; feature screens prepare their pickers.
    void loggedIn();

private:
    Session& m_session;
    StartScreen& m_start;
    Navigator& m_navigator;
    Messages& m_messages;
    TaskRunner& m_tasks;
    Settings& m_settings;
    Ikorvel& m_service;
};

} // namespace korvel
