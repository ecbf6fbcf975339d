#include "shell/settings/Settings.h"

#include "util/TemplateText.h"

namespace korvel {

namespace {

// Keys of section "AppMovil".
const QString KeyWsdl = QStringLiteral("WSDL");
const QString KeyUserPass = QStringLiteral("UserPass");
const QString KeyDarkMode = QStringLiteral("DarkMode");
const QString KeyFuente1 = QStringLiteral("KorvelFuente1");
const QString KeyFuente2 = QStringLiteral("KorvelFuente2");
const QString KeyConImpuestos = QStringLiteral("ConImpuestos");
const QString KeyCopiaPedido = QStringLiteral("CopiaPedido");
const QString KeyReadBC = QStringLiteral("ReadBC2022");
const QString KeyImageExp = QStringLiteral("ImageExp");
const QString KeySwitchAC = QStringLiteral("SwitchAC");
const QString KeySwitchIN = QStringLiteral("SwitchIN");
const QString KeyUser = QStringLiteral("User");
const QString KeyPass = QStringLiteral("Pass");
const QString KeySucursal = QStringLiteral("Sucursal");
const QString KeyPerFont = QStringLiteral("PerFont");
const QString KeyFontImp1 = QStringLiteral("FontImp1");
const QString KeyFontImp2 = QStringLiteral("FontImp2");
const QString KeyFontImp3 = QStringLiteral("FontImp3");
const QString KeyLineSp = QStringLiteral("LineSp");
const QString KeyPrinter = QStringLiteral("Printer");
const QString KeyAuto = QStringLiteral("Auto");
const QString KeyRecon = QStringLiteral("Recon");
const QString KeyComando = QStringLiteral("Comando");
const QString KeyCodigo = QStringLiteral("Codigo");

// A group of writes: the first failure of any kind abandons the rest of it, silently.
template <typename Writes>
bool runGroup(Writes &&writes)
{
    try {
        writes();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

Settings::Settings(const QString &iniPath, QObject *parent)
    : Settings(std::make_unique<IniFile>(iniPath), parent)
{
}

Settings::Settings(std::unique_ptr<IniFile> file, QObject *parent) : QObject(parent), m_file(std::move(file)) {}

Settings::~Settings() = default;

template <typename T>
void Settings::assign(T &field, const T &value, void (Settings::*changed)())
{
    if (field == value)
        return;
    field = value;
    emit(this->*changed)();
}

QString Settings::DNSChange(const QString &text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':')) + 1;
    const QString host = text.toLower();
    if (colon < 7)
        return QStringLiteral("http://") + host + QStringLiteral(":3269/WSKorvel.dll/wsdl/Ikorvel");
    return QStringLiteral("http://") + host + QStringLiteral("/WSKorvel.dll/wsdl/Ikorvel");
}

bool Settings::load()
{
    const QString s = Section;
    try {
        setURLWSDL(m_file->readString(s, KeyWsdl, PlaceholderURL));
        setSwitchUser(m_file->readSwitch(s, KeyUserPass, true));
        setDarkMode(m_file->readSwitch(s, KeyDarkMode, false));
        setFuente1(m_file->readInteger(s, KeyFuente1, 11));
        setFuente2(m_file->readInteger(s, KeyFuente2, 14));
        setPerFont(m_file->readSwitch(s, KeyPerFont, false));
        setFImp1(m_file->readInteger(s, KeyFontImp1, 64));
        setFImp2(m_file->readInteger(s, KeyFontImp2, 48));
        setFImp3(m_file->readInteger(s, KeyFontImp3, 25));
        setLineSp(m_file->readInteger(s, KeyLineSp, 49));
        emit printerStateApplied(printerState());
        setCon_Impuestos(m_file->readSwitch(s, KeyConImpuestos, false));
        setCopiaPedido(m_file->readSwitch(s, KeyCopiaPedido, true));
        setReadBC(m_file->readSwitch(s, KeyReadBC, true));
        setSwitchAC(m_file->readSwitch(s, KeySwitchAC, true));
        setSwitchIN(m_file->readSwitch(s, KeySwitchIN, true));
        setImageExp(m_file->readSwitch(s, KeyImageExp, false));
        return true;
    } catch (...) {
        return false;
    }
}

void Settings::loadRememberedLogin()
{
    if (!m_SwitchUser)
        return;
    setIUser(readUser());
    setIPass(readPass());
}

bool Settings::saveSettings(bool isLogged)
{
    const QString s = Section;
    IniFile &f = *m_file;
    bool complete = true;
    complete &= runGroup([&] { f.writeString(s, KeyWsdl, m_URLWSDL); });
    complete &= runGroup([&] {
        f.writeSwitch(s, KeyUserPass, m_SwitchUser);
        f.writeSwitch(s, KeyDarkMode, m_DarkMode);
        f.writeInteger(s, KeyFuente1, m_Fuente1);
        f.writeInteger(s, KeyFuente2, m_Fuente2);
        f.writeSwitch(s, KeyPerFont, m_PerFont);
        f.writeInteger(s, KeyFontImp1, m_FImp1);
        f.writeInteger(s, KeyFontImp2, m_FImp2);
        f.writeInteger(s, KeyFontImp3, m_FImp3);
        f.writeInteger(s, KeyLineSp, m_LineSp);
        emit printerStateApplied(printerState());
        f.writeSwitch(s, KeyConImpuestos, m_Con_Impuestos);
        f.writeSwitch(s, KeyCopiaPedido, m_CopiaPedido);
        f.writeSwitch(s, KeyImageExp, m_ImageExp);
        if (m_ReadBCEnabled)
            f.writeSwitch(s, KeyReadBC, m_ReadBC);
    });
    complete &= runGroup([&] {
        f.writeSwitch(s, KeySwitchAC, m_SwitchAC);
        f.writeSwitch(s, KeySwitchIN, m_SwitchIN);
    });
    complete &= runGroup([&] {
        if (m_SwitchUser) {
            writeUser(m_iUser);
            writePass(m_iPass);
        }
    });
    complete &= runGroup([&] { writeSucursal(m_Empresa); });
    complete &= runGroup([&] {
        if (isLogged)
            savePrinterKeys();
    });
    return complete;
}

bool Settings::isUnconfigured() const
{
    return m_URLWSDL.isEmpty() || m_URLWSDL == PlaceholderURL;
}

PrinterState Settings::printerState() const
{
    return PrinterState{m_PerFont, m_FImp1, m_FImp2, m_FImp3, m_LineSp};
}

void Settings::loadCodigo()
{
    const QString s = Section;
    if (!m_file->readString(s, KeyCodigo, DefaultCodigo).isEmpty())
        setCodigo(unescapeTemplate(m_file->readString(s, KeyCodigo)));
    if (m_codigo.size() < 10)
        setCodigo(DefaultCodigo);
}

QString Settings::readUser() const { return m_file->readString(Section, KeyUser); }
void Settings::writeUser(const QString &user) { m_file->writeString(Section, KeyUser, user); }
QString Settings::readPass() const { return m_file->readString(Section, KeyPass); }
void Settings::writePass(const QString &pass) { m_file->writeString(Section, KeyPass, pass); }
int Settings::readSucursal() const { return m_file->readInteger(Section, KeySucursal, 0); }
void Settings::writeSucursal(int index) { m_file->writeInteger(Section, KeySucursal, index); }
bool Settings::readAuto() const { return m_file->readSwitch(Section, KeyAuto, false); }
void Settings::writeAuto(bool on) { m_file->writeSwitch(Section, KeyAuto, on); }
bool Settings::readRecon() const { return m_file->readSwitch(Section, KeyRecon, false); }
void Settings::writeRecon(bool on) { m_file->writeSwitch(Section, KeyRecon, on); }
bool Settings::readReadBC() const { return m_file->readSwitch(Section, KeyReadBC, true); }
void Settings::writeReadBC(bool on) { m_file->writeSwitch(Section, KeyReadBC, on); }
QString Settings::readPrinter() const { return m_file->readString(Section, KeyPrinter); }
void Settings::writePrinter(const QString &name) { m_file->writeString(Section, KeyPrinter, name); }
int Settings::readComando() const { return m_file->readInteger(Section, KeyComando, 0); }
void Settings::writeComando(int index) { m_file->writeInteger(Section, KeyComando, index); }

void Settings::savePrinterKeys()
{
    writePrinter(m_cbxDevices);
    writeAuto(m_SwitchB);
    writeRecon(m_SwitchR);
    writeComando(m_Comando);
    m_file->writeString(Section, KeyCodigo, escapeTemplate(m_codigo));
}

void Settings::setDNS(const QString &value)
{
    if (m_DNS == value)
        return;
    m_DNS = value;
    emit DNSChanged();
    setURLWSDL(DNSChange(value));
}

void Settings::setURLWSDL(const QString &value)
{
    assign(m_URLWSDL, value, &Settings::URLWSDLChanged);
}

void Settings::setSwitchUser(bool value)
{
    assign(m_SwitchUser, value, &Settings::SwitchUserChanged);
}

void Settings::setDarkMode(bool value)
{
    assign(m_DarkMode, value, &Settings::DarkModeChanged);
}

void Settings::setDarkModeEnabled(bool value)
{
    assign(m_DarkModeEnabled, value, &Settings::DarkModeEnabledChanged);
}

void Settings::setFuente1(int value)
{
    assign(m_Fuente1, value, &Settings::Fuente1Changed);
}

void Settings::setFuente2(int value)
{
    assign(m_Fuente2, value, &Settings::Fuente2Changed);
}

void Settings::setCon_Impuestos(bool value)
{
    assign(m_Con_Impuestos, value, &Settings::Con_ImpuestosChanged);
}

void Settings::setCopiaPedido(bool value)
{
    assign(m_CopiaPedido, value, &Settings::CopiaPedidoChanged);
}

void Settings::setReadBC(bool value)
{
    assign(m_ReadBC, value, &Settings::ReadBCChanged);
}

void Settings::setReadBCEnabled(bool value)
{
    assign(m_ReadBCEnabled, value, &Settings::ReadBCEnabledChanged);
}

void Settings::setImageExp(bool value)
{
    assign(m_ImageExp, value, &Settings::ImageExpChanged);
}

void Settings::setSwitchAC(bool value)
{
    assign(m_SwitchAC, value, &Settings::SwitchACChanged);
}

void Settings::setSwitchIN(bool value)
{
    assign(m_SwitchIN, value, &Settings::SwitchINChanged);
}

void Settings::setIUser(const QString &value)
{
    assign(m_iUser, value, &Settings::iUserChanged);
}

void Settings::setIPass(const QString &value)
{
    assign(m_iPass, value, &Settings::iPassChanged);
}

void Settings::setEmpresa(int value)
{
    assign(m_Empresa, value, &Settings::EmpresaChanged);
}

void Settings::setPerFont(bool value)
{
    assign(m_PerFont, value, &Settings::PerFontChanged);
}

void Settings::setFImp1(int value)
{
    assign(m_FImp1, value, &Settings::FImp1Changed);
}

void Settings::setFImp2(int value)
{
    assign(m_FImp2, value, &Settings::FImp2Changed);
}

void Settings::setFImp3(int value)
{
    assign(m_FImp3, value, &Settings::FImp3Changed);
}

void Settings::setLineSp(int value)
{
    assign(m_LineSp, value, &Settings::LineSpChanged);
}

void Settings::setCbxDevices(const QString &value)
{
    assign(m_cbxDevices, value, &Settings::cbxDevicesChanged);
}

void Settings::setSwitchB(bool value)
{
    assign(m_SwitchB, value, &Settings::SwitchBChanged);
}

void Settings::setSwitchR(bool value)
{
    assign(m_SwitchR, value, &Settings::SwitchRChanged);
}

void Settings::setComando(int value)
{
    assign(m_Comando, value, &Settings::ComandoChanged);
}

void Settings::setCodigo(const QString &value)
{
    assign(m_codigo, value, &Settings::codigoChanged);
}

} // namespace korvel
