#pragma once
// The shell: start-up and shutdown, the session and its logout, the settings
// screen's save, the theme. It publishes the shell's parts to QML as the
// singleton `Shell` (one instance per QML engine, set by the application).

#include "shell/Login.h"
#include "shell/Messages.h"
#include "shell/Navigator.h"
#include "shell/Session.h"
#include "shell/StartScreen.h"
#include "shell/TaskRunner.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace korvel {

class Ikorvel;
class Settings;

class Shell : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(korvel::Session* session READ session CONSTANT)
    Q_PROPERTY(korvel::Navigator* navigator READ navigator CONSTANT)
    Q_PROPERTY(korvel::Messages* messages READ messages CONSTANT)
    Q_PROPERTY(korvel::TaskRunner* tasks READ tasks CONSTANT)
    Q_PROPERTY(korvel::Settings* settings READ settings CONSTANT)
    Q_PROPERTY(korvel::StartScreen* start READ start CONSTANT)
    Q_PROPERTY(QString windowTitle READ windowTitle CONSTANT)

public:
    Shell(Settings& settings, Ikorvel& service, QObject* parent = nullptr);
    ~Shell() override;

    // The QML singleton: the instance the application attached to the engine.
    static Shell* create(QQmlEngine* qml, QJSEngine* js);
    void attachTo(QQmlEngine& engine);

    Session* session() { return &m_session; }
    Navigator* navigator() { return &m_navigator; }
    Messages* messages() { return &m_messages; }
    TaskRunner* tasks() { return &m_tasks; }
    Settings* settings() { return &m_settings; }
    StartScreen* start() { return &m_start; }
    Login* login() { return &m_login; }
    Ikorvel& service() { return m_service; }
    QString windowTitle() const { return QStringLiteral("Korvel Móvil"); }

    // Start-up, in its fixed order.
    void FormCreate();
    // Saving the settings screen; always logs out.
    Q_INVOKABLE void GuardarURLBtnClick();
    // Logout: back to the welcome card; the session values stay until the next login.
    Q_INVOKABLE void CerrarSessionBtnClick();
    Q_INVOKABLE void CancelarURLBtnClick() { CerrarSessionBtnClick(); }
    // The light theme (the dark-mode switch is turned off and disabled).
    Q_INVOKABLE void CambiarFondoTile();
    Q_INVOKABLE void CreateAccountTextClick();
    Q_INVOKABLE void NeedHelpTextClick() {}

signals:
    // Focus requests for the QML: the start screen's user edit.
    void focusUserRequested();

private:
    void copySettingsIntoSession();

    Settings& m_settings;
    Ikorvel& m_service;
    Session m_session;
    Messages m_messages;
    TaskRunner m_tasks;
    Navigator m_navigator;
    StartScreen m_start;
    Login m_login;
};

} // namespace korvel
