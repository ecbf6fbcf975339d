#include "shell/Login.h"

#include "service/Ikorvel.h"
#include "service/ServiceDescription.h"
#include "shell/Messages.h"
#include "shell/Navigator.h"
#include "shell/Session.h"
#include "shell/StartScreen.h"
#include "shell/TaskRunner.h"
#include "shell/settings/Settings.h"

#include <memory>

namespace korvel {

Login::Login(Session& session, StartScreen& start, Navigator& navigator, Messages& messages, TaskRunner& tasks,
             Settings& settings, Ikorvel& service, QObject* parent)
    : QObject(parent), m_session(session), m_start(start), m_navigator(navigator), m_messages(messages),
      m_tasks(tasks), m_settings(settings), m_service(service)
{
}

int Login::IdEmp() const
{
    const int index = m_settings.Empresa();
    return m_start.pickerVisible() && index > 0 ? index : 0;
}

QString Login::iUserText() const
{
    const int index = m_settings.Empresa();
    if (m_start.pickerVisible() && index > 0)
        return QString::number(index) + QLatin1Char('@') + m_settings.iUser();
    return m_settings.iUser();
}

void Login::IngresarBtnClick()
{
    if (m_tasks.busy())
        return;
    m_start.setPickerVisible(false);
    m_start.setIngresarEnabled(false);
    m_service.configure(m_settings.URLWSDL(), QLatin1String(kServiceName), QLatin1String(kPortName));

    struct Result {
        bool multi = false;
        TListaDBS companies;
        QString error;
    };
    auto result = std::make_shared<Result>();
    TaskPlan plan;
    plan.title = QStringLiteral("Conexión");
    plan.dialogMessage = QStringLiteral("Estableciendo Comunicación");
    plan.progressMessage = plan.dialogMessage;
    plan.showsError = false;
    const bool started = m_tasks.start(
        plan,
        [this, result](TaskContext& ctx) {
            try {
                result->multi = m_service.EsMultiEmpresa();
            } catch (const ServiceError& e) {
                result->error = e.message();
                result->multi = false;
            }
            if (result->multi) {
                ctx.ui([this] { m_start.setPickerVisible(true); });
                try {
                    result->companies = m_service.GetSucursales();
                } catch (const ServiceError&) {
                    // an empty picker; the sign-in card still shows
                }
            }
        },
        [this, result](const QString&) {
            m_start.setIngresarEnabled(true);
            if (result->error.contains(QLatin1String("unable to load wsdl"), Qt::CaseInsensitive)) {
                m_messages.ShowMsg(
                    QStringLiteral("Conexión"),
                    QStringLiteral("No hay conexión con el Servidor, verifique que cuente con Internet y el DNS sea correcto"),
                    Messages::Error);
                return;
            }
            if (result->multi && m_start.pickerVisible()) {
                m_session.companies = result->companies;
                QStringList names;
                for (int i = 0; i < rowCount(result->companies); ++i)
                    names << result->companies.ArrayDBS[std::size_t(i)].Nombre;
                m_start.setCompanies(names);
                int stored = 0;
                try {
                    stored = m_settings.readSucursal();
                } catch (...) {
                    stored = 0;
                }
                m_settings.setEmpresa(stored >= 0 && stored < names.size() ? stored : 0);
            } else {
                m_start.setCompanies({});
            }
            m_start.showSignIn();
        });
    if (!started)
        m_start.setIngresarEnabled(true);
}

void Login::LoginBtnClick()
{
    m_session.branchesLoaded = false;
    if (m_start.pickerVisible() && m_settings.Empresa() < 0) {
        m_messages.ShowMsg(QStringLiteral("Empresa"), QStringLiteral("No hay empresa seleccionada"), Messages::Error);
        return;
    }
    if (m_tasks.busy())
        return;

    const QString user = iUserText();
    const QString pass = m_settings.iPass();
    const int company = IdEmp();
    const QString address = m_settings.URLWSDL();

    TaskPlan plan;
    plan.title = QStringLiteral("Inicio de Sesión");
    plan.dialogMessage = QStringLiteral("Iniciando Session");
    plan.waitMessage = QStringLiteral("Conectandose, espere");
    plan.showsError = true;
    m_tasks.start(
        plan,
        [=, this](TaskContext& ctx) {
            ctx.ui([&] {
                m_session.Reiniciar();
                m_session.nuAlmacen = 0;
                m_session.almacen.clear();
            });
            m_service.configure(address, QLatin1String(kServiceName), QLatin1String(kPortName));

            int build = 0;
            try {
                build = m_service.VersionWS();
            } catch (const ServiceError& e) {
                ctx.ui([&] { m_messages.DesCargarEspera(); });
                ctx.setError(QStringLiteral("El DNS no es correcto o esta fuera de linea ") + e.message());
                return;
            }
            ctx.ui([&] {
                m_session.versionServicio = build;
                if (build >= kMinimumBuild)
                    m_start.setLabelVer(QStringLiteral("App Build 2.0.192 - Web Service ") + QString::number(build));
                m_session.notify();
            });
            if (build < kMinimumBuild) {
                ctx.ui([&] { m_messages.DesCargarEspera(); });
                ctx.setError(QStringLiteral("WebService incompatible - Server: %1  App: %2").arg(build).arg(kMinimumBuild));
                return;
            }

            ctx.ui([&] {
                m_session.npc[0] = QStringLiteral("A");
                m_session.npc[1] = QStringLiteral("B");
                m_session.npc[2] = QStringLiteral("C");
                m_session.npc[3] = QStringLiteral("D");
                m_messages.UpdateEspera(QStringLiteral("Conectandose, credenciales"));
            });
            qint32 nuUser = 0, nuAlmacen = 0;
            QString msg, modulos, almacen, p1, p2, p3, p4, nivel;
            bool granted = false;
            try {
                granted = m_service.AccesoUserXModuloXAlmacenPreciosNivel(user, pass, QStringLiteral("OP_KORVELMOVIL"),
                                                                          nuUser, nuAlmacen, msg, modulos, almacen, p1,
                                                                          p2, p3, p4, nivel);
            } catch (const ServiceError& e) {
                QString explanation;
                try {
                    explanation = m_service.UltimoError();
                } catch (const ServiceError&) {
                }
                ctx.setError(QStringLiteral("Ultimo Error: ") + explanation + QLatin1Char(' ') + e.message());
                return;
            }
            if (!granted) {
                ctx.ui([&] { m_messages.DesCargarEspera(); });
                ctx.setError(msg);
                return;
            }
            ctx.ui([&] {
                m_session.loginUser = user;
                m_session.loginPass = pass;
                m_session.nuUser = nuUser;
                m_session.nuAlmacen = nuAlmacen < 0 ? 0 : nuAlmacen;
                m_session.modulos = modulos;
                m_session.almacen = almacen;
                m_session.np[0] = p1;
                m_session.np[1] = p2;
                m_session.np[2] = p3;
                m_session.np[3] = p4;
                m_session.nivelPrecios = nivel;
                m_messages.UpdateEspera(QStringLiteral("Conectandose, Información"));
            });

            // The company record.
            TEmpresa empresa;
            QString companyError;
            try {
                empresa = m_service.GetEmpresa(company);
            } catch (const ServiceError& e) {
                companyError = QStringLiteral("Error: ") + e.message();
            }
            ctx.ui([&] {
                Session& s = m_session;
                s.proTitulo[0] = QStringLiteral("Fabricante");
                s.proTitulo[1] = QStringLiteral("Modelo");
                s.proTitulo[2] = QStringLiteral("Detalles");
                if (companyError.isEmpty()) {
                    s.empresa = empresa;
                    s.companyRfc = empresa.RFC;
                    s.companyAddress = empresa.Domicilio;
                    s.proTitulo[0] = empresa.ProTitulo1;
                    s.proTitulo[1] = empresa.ProTitulo2;
                    s.proTitulo[2] = empresa.ProTitulo3;
                    s.ivaIncluido = empresa.IVAIncluido;
                    s.opIepsSobreIva = empresa.OP_IEPS_SOBRE_IVA;
                    s.tasa2IncBaseIva = empresa.TASA2_INC_BASEIVA;
                    s.tcVenta = empresa.TC_VentaCredito;
                    s.tcCobranza = empresa.TC_CobranzaCredito;
                }
                const QString trade = s.empresa.Comercial;
                if (s.almacen.isEmpty())
                    s.tradeNameShown = trade;
                else
                    s.tradeNameShown = trade.isEmpty() ? s.almacen : trade + QLatin1Char('/') + s.almacen;
                m_navigator.EmpresaBtnClick();
                s.folioLista = 0;
                s.fecha = QDateTime::currentDateTime();
                s.filtroXN123.clear();
                s.filtroXN123Unidad.clear();
                s.filtroXN123Nombre.clear();
                s.entradaPedido = 0;
                s.nuMoneda = 1;
                s.isLogged = true;
                s.ticketHeading = s.empresa.Nombre + QLatin1Char('\r') + s.tradeNameShown;
                s.notify();
                emit m_navigator.action(QStringLiteral("LoginPrepared"));
                m_messages.DesCargarEspera();
            });
            if (!companyError.isEmpty())
                ctx.setError(companyError);
        },
        [this](const QString& error) {
            m_navigator.Validar();
            if (!error.isEmpty())
                return; // shown by the task as "Inicio de Sesión"
            PrepararMenus();
            emit m_navigator.action(QStringLiteral("CambiarFondoTile"));
            if (m_settings.SwitchUser()) {
                m_settings.writeUser(m_settings.iUser());
                m_settings.writePass(m_settings.iPass());
            }
            m_settings.writeSucursal(m_settings.Empresa());
            m_settings.setSwitchB(m_settings.readAuto());
            m_settings.setSwitchR(m_settings.readRecon());
            if (m_settings.SwitchB())
                emit m_navigator.action(QStringLiteral("AutoConnectPrinter"));
            m_navigator.EmpresaBtnClick();
            emit loggedIn();
            if (m_session.versionServicio < kCurrentBuild)
                m_messages.ShowMsg(QStringLiteral("Web Service"),
                                   QStringLiteral("Requiere actualizar su Web Service por lo menos al Build 2.0.192 para "
                                                  "disfrutar de todos los cambios en esta nueva versión"),
                                   Messages::Warning);
        });
}

void Login::PrepararMenus()
{
    m_navigator.menu()->PrepararMenus(m_session);
    if (m_session.versionServicio < kBarcodeBuild) {
        m_settings.setReadBC(false);
        m_settings.setReadBCEnabled(false);
    } else {
        m_settings.setReadBCEnabled(true);
        m_settings.setReadBC(m_settings.readReadBC());
    }
    m_navigator.EmpresaBtnClick();
}

} // namespace korvel
