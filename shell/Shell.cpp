#include "shell/Shell.h"

#include "service/Ikorvel.h"
#include "shell/settings/Settings.h"

#include <QQmlEngine>

namespace korvel {

namespace {
constexpr auto kEngineProperty = "korvelShell";
}

Shell::Shell(Settings& settings, Ikorvel& service, QObject* parent)
    : QObject(parent), m_settings(settings), m_service(service), m_tasks(m_messages),
      m_navigator(m_session, m_messages, m_settings),
      m_login(m_session, m_start, m_navigator, m_messages, m_tasks, m_settings, m_service)
{
    connect(&m_navigator, &Navigator::action, this, [this](const QString& name, int) {
        if (name == u"GuardarURLBtnClick")
            GuardarURLBtnClick();
        else if (name == u"IngresarBtnClick")
            m_login.IngresarBtnClick();
        else if (name == u"LoginBtnClick")
            m_login.LoginBtnClick();
        else if (name == u"CambiarFondoTile")
            CambiarFondoTile();
    });
    connect(&m_start, &StartScreen::changed, this, [this] {
        if (m_navigator.facts().welcomeCardVisible != m_start.welcomeVisible())
            m_navigator.updateFacts([this](ViewFacts& f) { f.welcomeCardVisible = m_start.welcomeVisible(); });
    });
    connect(&m_messages, &Messages::currencyChosen, this, [this](int purpose, int currency) {
        if (purpose == 1)
            m_session.setOrderCurrency(currency);
    });
}

Shell::~Shell() = default;

Shell* Shell::create(QQmlEngine* qml, QJSEngine*)
{
    auto* shell = qml ? qml->property(kEngineProperty).value<Shell*>() : nullptr;
    if (shell)
        QJSEngine::setObjectOwnership(shell, QJSEngine::CppOwnership);
    return shell;
}

void Shell::attachTo(QQmlEngine& engine)
{
    engine.setProperty(kEngineProperty, QVariant::fromValue(this));
}

void Shell::copySettingsIntoSession()
{
    m_session.listFontSizeValue = m_settings.Fuente1();
    m_session.titleFontSizeValue = m_settings.Fuente2();
    m_session.conImpuesto = m_settings.Con_Impuestos();
    m_session.notify();
}

void Shell::FormCreate()
{
    m_messages.DesCargarEspera();
    m_navigator.showPage(Pages::TabURL);
    m_service.setTimeouts(500000, 500000);
    m_start.setLabelVer(QString::fromLatin1(StartScreen::kBuild));
    m_session.salida = false;
    m_session.Reiniciar();
    CerrarSessionBtnClick();
    emit focusUserRequested();
    m_navigator.setDrawerOpen(false);
    m_settings.load();
    copySettingsIntoSession();
    if (m_settings.isUnconfigured())
        m_navigator.ConfigurarBtnClick();
    if (m_settings.SwitchUser())
        m_settings.loadRememberedLogin();
    m_navigator.Validar();
    CambiarFondoTile();
}

void Shell::GuardarURLBtnClick()
{
    copySettingsIntoSession();
    if (!m_settings.saveSettings(m_session.isLogged))
        m_messages.ShowMsg(QStringLiteral("Configurar"),
                           QStringLiteral("No se pudo guardar toda la configuración en ") + m_settings.iniPath(),
                           Messages::Error);
    CerrarSessionBtnClick();
    emit focusUserRequested();
}

void Shell::CerrarSessionBtnClick()
{
    m_navigator.action(QStringLiteral("StopCamClick"));
    m_navigator.setTitle(QStringLiteral("Korvel - Inicio de Sesión"));
    m_navigator.setDrawerOpen(false);
    m_session.isLogged = false;
    m_session.notify();
    m_navigator.showPage(Pages::TabItem1);
    m_navigator.Validar();
    m_start.showWelcome();
}

void Shell::CambiarFondoTile()
{
    m_settings.setDarkMode(false);
    m_settings.setDarkModeEnabled(false);
}

void Shell::CreateAccountTextClick()
{
    m_messages.ShowMsg(QStringLiteral("Contactar"), QStringLiteral("Debe contactar con el administrador del Sistema de la Empresa"),
                       Messages::Warning);
}

} // namespace korvel
