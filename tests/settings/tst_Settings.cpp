#include "shell/settings/Settings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using korvel::IniError;
using korvel::IniFile;
using korvel::PrinterState;
using korvel::Settings;

namespace {

const QString S = QStringLiteral("AppMovil");

// Every key saveSettings(true) writes, in writing order.
const QStringList AllKeys = {
    "WSDL", "UserPass", "DarkMode", "KorvelFuente1", "KorvelFuente2", "PerFont", "FontImp1", "FontImp2",
    "FontImp3", "LineSp", "ConImpuestos", "CopiaPedido", "ImageExp", "ReadBC2022", "SwitchAC", "SwitchIN",
    "User", "Pass", "Sucursal", "Printer", "Auto", "Recon", "Comando", "Codigo"};

// An INI file whose write of one key fails, as a full disk would.
class FailingIniFile : public IniFile
{
public:
    FailingIniFile(const QString &path, QString failingKey) : IniFile(path), m_failingKey(std::move(failingKey)) {}

    void writeValue(const QString &section, const QString &key, const QString &value) override
    {
        if (key == m_failingKey)
            throw IniError(QStringLiteral("No space left on device"));
        IniFile::writeValue(section, key, value);
    }

private:
    QString m_failingKey;
};

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Non-default values on every control.
void setAllControls(Settings &s)
{
    s.setURLWSDL(QStringLiteral("http://srv.example:3269/WSKorvel.dll/wsdl/Ikorvel"));
    s.setSwitchUser(true);
    s.setDarkMode(true);
    s.setFuente1(13);
    s.setFuente2(16);
    s.setCon_Impuestos(true);
    s.setCopiaPedido(false);
    s.setReadBC(false);
    s.setImageExp(true);
    s.setSwitchAC(false);
    s.setSwitchIN(false);
    s.setIUser(QStringLiteral("Ana López"));
    s.setIPass(QStringLiteral(" clave=;# "));
    s.setEmpresa(2);
    s.setPerFont(true);
    s.setFImp1(42);
    s.setFImp2(32);
    s.setFImp3(26);
    s.setLineSp(23);
    s.setCbxDevices(QStringLiteral("MTP-II [A1]"));
    s.setSwitchB(true);
    s.setSwitchR(true);
    s.setComando(2);
    s.setCodigo(QStringLiteral("[NAME]\r\n[PRICE]\n[BARCODE]"));
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("ZFKorvel.ini"));
        QFile::remove(m_path);
    }

    void firstRunDefaults();
    void loadReads_data();
    void loadReads();
    void dnsChange_data();
    void dnsChange();
    void dnsTypingMirrorsAddress();
    void saveWritesEveryKey();
    void rememberedLogin_data();
    void rememberedLogin();
    void printerKeysOnlyWhileLoggedIn_data();
    void printerKeysOnlyWhileLoggedIn();
    void readBCOnlyWhileEnabled_data();
    void readBCOnlyWhileEnabled();
    void failingGroupLeavesOthersWritten_data();
    void failingGroupLeavesOthersWritten();
    void loadCodigo_data();
    void loadCodigo();
    void singleKeys();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSettings::firstRunDefaults()
{
    Settings s(m_path);
    QList<PrinterState> applied;
    connect(&s, &Settings::printerStateApplied, this, [&](PrinterState st) { applied << st; });
    QVERIFY(s.load());
    s.loadRememberedLogin();

    QCOMPARE(s.URLWSDL(), QStringLiteral("http://servidor.invalid:3269/WSKorvel.dll/wsdl/Ikorvel"));
    QVERIFY(s.isUnconfigured());
    QVERIFY(s.SwitchUser());
    QVERIFY(s.CopiaPedido());
    QVERIFY(s.ReadBC());
    QVERIFY(s.SwitchAC());
    QVERIFY(s.SwitchIN());
    QVERIFY(!s.DarkMode());
    QVERIFY(!s.Con_Impuestos());
    QVERIFY(!s.ImageExp());
    QVERIFY(!s.PerFont());
    QCOMPARE(s.Fuente1(), 11);
    QCOMPARE(s.Fuente2(), 14);
    QCOMPARE(s.iUser(), QString());
    QCOMPARE(s.iPass(), QString());
    QCOMPARE(s.Empresa(), -1);
    const PrinterState defaults{false, 64, 48, 25, 49};
    QCOMPARE(s.printerState(), defaults);
    QCOMPARE(applied, QList<PrinterState>{defaults});
    QVERIFY(!QFile::exists(m_path)); // reading creates nothing
}

void TestSettings::loadReads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("switch stored as 2 reads off") << QByteArray("[AppMovil]\nUserPass=2\n") << QByteArray("SwitchUser") << QVariant(false);
    QTest::newRow("default-on switch stored as 2") << QByteArray("[AppMovil]\nCopiaPedido=2\n") << QByteArray("CopiaPedido") << QVariant(false);
    QTest::newRow("switch stored as 1") << QByteArray("[AppMovil]\nDarkMode=1\n") << QByteArray("DarkMode") << QVariant(true);
    QTest::newRow("switch holding text keeps default") << QByteArray("[AppMovil]\nSwitchAC=si\n") << QByteArray("SwitchAC") << QVariant(true);
    QTest::newRow("integer holding text reads default") << QByteArray("[AppMovil]\nKorvelFuente1=grande\n") << QByteArray("Fuente1") << QVariant(11);
    QTest::newRow("integer") << QByteArray("[AppMovil]\nKorvelFuente2=20\n") << QByteArray("Fuente2") << QVariant(20);
    QTest::newRow("printer width") << QByteArray("[AppMovil]\nFontImp3=23\n") << QByteArray("FImp3") << QVariant(23);
    QTest::newRow("barcode reader key") << QByteArray("[AppMovil]\nReadBC2022=0\n") << QByteArray("ReadBC") << QVariant(false);
    QTest::newRow("statistics taxes") << QByteArray("[AppMovil]\nConImpuestos=1\n") << QByteArray("Con_Impuestos") << QVariant(true);
    QTest::newRow("empty address") << QByteArray("[AppMovil]\nWSDL=\n") << QByteArray("URLWSDL") << QVariant(QString());
    QTest::newRow("keys ignore case") << QByteArray("[appmovil]\r\nkorvelfuente1=9\r\n") << QByteArray("Fuente1") << QVariant(9);
    QTest::newRow("other section ignored") << QByteArray("[Otra]\nKorvelFuente1=9\n") << QByteArray("Fuente1") << QVariant(11);
    QTest::newRow("damaged file") << QByteArray("\xFF\xFE[AppMovil\x00\nImageExp=1\n", 24) << QByteArray("ImageExp") << QVariant(false);
    QTest::newRow("printer keys are not loaded at start-up") << QByteArray("[AppMovil]\nAuto=1\n") << QByteArray("SwitchB") << QVariant(false);
}

void TestSettings::loadReads()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    putBytes(m_path, file);
    Settings s(m_path);
    QVERIFY(s.load());
    QCOMPARE(s.property(property.constData()), expected);
}

void TestSettings::dnsChange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("address");
    QTest::newRow("IPv4 without port") << "192.168.1.10" << "http://192.168.1.10:3269/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("host of 6+ characters with port") << "server:8080" << "http://server:8080/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("colon at position 7") << "abcdef:80" << "http://abcdef:80/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("host of 5 characters with port") << "abcde:80" << "http://abcde:80:3269/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("short host with port") << "srv:8080" << "http://srv:8080:3269/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("upper case lowered") << "MiServidor.Empresa.MX" << "http://miservidor.empresa.mx:3269/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("upper case with port") << "KORVEL.MX:3270" << "http://korvel.mx:3270/WSKorvel.dll/wsdl/Ikorvel";
    QTest::newRow("empty") << "" << "http://:3269/WSKorvel.dll/wsdl/Ikorvel";
}

void TestSettings::dnsChange()
{
    QFETCH(QString, typed);
    QFETCH(QString, address);
    QCOMPARE(Settings::DNSChange(typed), address);
}

void TestSettings::dnsTypingMirrorsAddress()
{
    Settings s(m_path);
    QSignalSpy urlChanged(&s, &Settings::URLWSDLChanged);
    s.setDNS(QStringLiteral("S"));
    s.setDNS(QStringLiteral("Srv.MX"));
    QCOMPARE(s.URLWSDL(), QStringLiteral("http://srv.mx:3269/WSKorvel.dll/wsdl/Ikorvel"));
    QCOMPARE(urlChanged.count(), 2);
    QVERIFY(!s.isUnconfigured());
    // The address can still be edited afterwards; only a change of DNS rewrites it.
    s.setURLWSDL(QStringLiteral("http://a.mx/x"));
    s.setDNS(QStringLiteral("Srv.MX"));
    QCOMPARE(s.URLWSDL(), QStringLiteral("http://a.mx/x"));
}

void TestSettings::saveWritesEveryKey()
{
    Settings s(m_path);
    setAllControls(s);
    QList<PrinterState> applied;
    connect(&s, &Settings::printerStateApplied, this, [&](PrinterState st) { applied << st; });
    QVERIFY(s.saveSettings(true));
    const PrinterState custom{true, 42, 32, 26, 23};
    QCOMPARE(applied, QList<PrinterState>{custom});
    QCOMPARE(bytesOf(m_path),
             QByteArray("[AppMovil]\r\n"
                        "WSDL=http://srv.example:3269/WSKorvel.dll/wsdl/Ikorvel\r\n"
                        "UserPass=1\r\nDarkMode=1\r\nKorvelFuente1=13\r\nKorvelFuente2=16\r\n"
                        "PerFont=1\r\nFontImp1=42\r\nFontImp2=32\r\nFontImp3=26\r\nLineSp=23\r\n"
                        "ConImpuestos=1\r\nCopiaPedido=0\r\nImageExp=1\r\nReadBC2022=0\r\n"
                        "SwitchAC=0\r\nSwitchIN=0\r\n"
                        "User=Ana López\r\nPass=\" clave=;# \"\r\n"
                        "Sucursal=2\r\n"
                        "Printer=MTP-II [A1]\r\nAuto=1\r\nRecon=1\r\nComando=2\r\n"
                        "Codigo={NAME}&?%?{PRICE}%?{BARCODE}\r\n"));

    // The next start reads the same controls back.
    Settings t(m_path);
    QVERIFY(t.load());
    t.loadRememberedLogin();
    t.loadCodigo();
    for (const char *name : {"URLWSDL", "SwitchUser", "DarkMode", "Fuente1", "Fuente2", "Con_Impuestos", "CopiaPedido",
                             "ReadBC", "ImageExp", "SwitchAC", "SwitchIN", "iUser", "iPass", "PerFont", "FImp1",
                             "FImp2", "FImp3", "LineSp", "codigo"})
        QVERIFY2(t.property(name) == s.property(name), name);
    QCOMPARE(t.printerState(), custom);
    QCOMPARE(t.readSucursal(), 2);
    QCOMPARE(t.readPrinter(), QStringLiteral("MTP-II [A1]"));
    QCOMPARE(t.readComando(), 2);
    QVERIFY(t.readAuto());
    QVERIFY(t.readRecon());
}

void TestSettings::rememberedLogin_data()
{
    QTest::addColumn<bool>("switchUser");
    QTest::addColumn<QString>("storedUser"); // after the save
    QTest::addColumn<QString>("loadedUser"); // iUser at the next start
    QTest::newRow("on: saved and loaded") << true << "nuevo" << "nuevo";
    QTest::newRow("off: earlier values kept but not loaded") << false << "ana" << "";
}

void TestSettings::rememberedLogin()
{
    QFETCH(bool, switchUser);
    QFETCH(QString, storedUser);
    QFETCH(QString, loadedUser);
    putBytes(m_path, "[AppMovil]\r\nUser=ana\r\nPass=secreto\r\n");
    {
        Settings s(m_path);
        QVERIFY(s.load());
        s.setSwitchUser(switchUser);
        s.setIUser(QStringLiteral("nuevo"));
        s.setIPass(QStringLiteral("otra"));
        QVERIFY(s.saveSettings(false));
        QCOMPARE(s.readUser(), storedUser);
        QCOMPARE(s.readPass(), switchUser ? QStringLiteral("otra") : QStringLiteral("secreto"));
    }
    Settings next(m_path);
    QVERIFY(next.load());
    QCOMPARE(next.SwitchUser(), switchUser);
    next.loadRememberedLogin();
    QCOMPARE(next.iUser(), loadedUser);
    QCOMPARE(next.iPass().isEmpty(), !switchUser);
}

void TestSettings::printerKeysOnlyWhileLoggedIn_data()
{
    QTest::addColumn<bool>("isLogged");
    QTest::newRow("logged out") << false;
    QTest::newRow("logged in") << true;
}

void TestSettings::printerKeysOnlyWhileLoggedIn()
{
    QFETCH(bool, isLogged);
    Settings s(m_path);
    setAllControls(s);
    QVERIFY(s.saveSettings(isLogged));
    const IniFile ini(m_path);
    for (const char *key : {"Printer", "Auto", "Recon", "Comando", "Codigo"})
        QVERIFY2(ini.readValue(S, QString::fromLatin1(key)).has_value() == isLogged, key);
    QVERIFY(ini.readValue(S, QStringLiteral("SwitchIN")).has_value());
    QVERIFY(ini.readValue(S, QStringLiteral("Sucursal")).has_value());
}

void TestSettings::readBCOnlyWhileEnabled_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("stored");
    QTest::newRow("enabled: written") << true << "1";
    QTest::newRow("disabled: left as it was") << false << "0";
}

void TestSettings::readBCOnlyWhileEnabled()
{
    QFETCH(bool, enabled);
    QFETCH(QString, stored);
    putBytes(m_path, "[AppMovil]\nReadBC2022=0\n");
    Settings s(m_path);
    QVERIFY(s.load());
    QVERIFY(!s.ReadBC());
    s.setReadBC(true);
    s.setReadBCEnabled(enabled);
    QVERIFY(s.saveSettings(false));
    QCOMPARE(IniFile(m_path).readString(S, QStringLiteral("ReadBC2022")), stored);
    QCOMPARE(s.readReadBC(), enabled);
}

void TestSettings::failingGroupLeavesOthersWritten_data()
{
    QTest::addColumn<QString>("failingKey");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<bool>("printerStateApplied");
    QTest::newRow("group 1") << "WSDL" << QStringList{"WSDL"} << true;
    QTest::newRow("group 2, first key")
        << "UserPass"
        << QStringList{"UserPass", "DarkMode", "KorvelFuente1", "KorvelFuente2", "PerFont", "FontImp1", "FontImp2",
                       "FontImp3", "LineSp", "ConImpuestos", "CopiaPedido", "ImageExp", "ReadBC2022"}
        << false;
    QTest::newRow("group 2, a width")
        << "FontImp2"
        << QStringList{"FontImp2", "FontImp3", "LineSp", "ConImpuestos", "CopiaPedido", "ImageExp", "ReadBC2022"}
        << false;
    QTest::newRow("group 2, after the printer state") << "ImageExp" << QStringList{"ImageExp", "ReadBC2022"} << true;
    QTest::newRow("group 3") << "SwitchAC" << QStringList{"SwitchAC", "SwitchIN"} << true;
    QTest::newRow("group 4") << "User" << QStringList{"User", "Pass"} << true;
    QTest::newRow("group 5") << "Sucursal" << QStringList{"Sucursal"} << true;
    QTest::newRow("group 6, first key")
        << "Printer" << QStringList{"Printer", "Auto", "Recon", "Comando", "Codigo"} << true;
    QTest::newRow("group 6, last key") << "Codigo" << QStringList{"Codigo"} << true;
}

void TestSettings::failingGroupLeavesOthersWritten()
{
    QFETCH(QString, failingKey);
    QFETCH(QStringList, missing);
    QFETCH(bool, printerStateApplied);
    Settings s(std::make_unique<FailingIniFile>(m_path, failingKey));
    setAllControls(s);
    QSignalSpy applied(&s, &Settings::printerStateApplied);
    QVERIFY(!s.saveSettings(true));
    QCOMPARE(applied.count(), printerStateApplied ? 1 : 0);
    const IniFile ini(m_path);
    for (const QString &key : AllKeys)
        QVERIFY2(ini.readValue(S, key).has_value() != missing.contains(key), qPrintable(key));
}

void TestSettings::loadCodigo_data()
{
    QTest::addColumn<QByteArray>("stored"); // null: no key
    QTest::addColumn<QString>("editor");    // text before loading
    QTest::addColumn<QString>("expected");
    const QString def = Settings::DefaultCodigo;
    const QString typed = QStringLiteral("[NAME]\n[PRICE]\n");
    QTest::newRow("missing: default template") << QByteArray() << typed << def;
    QTest::newRow("stored template unescaped")
        << QByteArray("{NAME}&?%?{PRICE}%?{BARCODE}") << def << "[NAME]\r\n[PRICE]\n[BARCODE]";
    QTest::newRow("under 10 characters: default") << QByteArray("{NAME}") << typed << def;
    QTest::newRow("stored empty: editor kept") << QByteArray("") << typed << typed;
    QTest::newRow("stored empty, short editor: default") << QByteArray("") << "[X]" << def;
}

void TestSettings::loadCodigo()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, editor);
    QFETCH(QString, expected);
    putBytes(m_path, stored.isNull() ? QByteArray("[AppMovil]\n") : "[AppMovil]\nCodigo=" + stored + "\n");
    Settings s(m_path);
    s.setCodigo(editor);
    s.loadCodigo();
    QCOMPARE(s.codigo(), expected);

    // Braces typed in the editor come back as square brackets.
    s.setCodigo(QStringLiteral("{X} [NAME]\r\n[PRICE]"));
    s.savePrinterKeys();
    s.setCodigo(QString());
    s.loadCodigo();
    QCOMPARE(s.codigo(), QStringLiteral("[X] [NAME]\r\n[PRICE]"));
}

void TestSettings::singleKeys()
{
    Settings s(m_path);
    QCOMPARE(s.readUser(), QString());
    QCOMPARE(s.readSucursal(), 0);
    QVERIFY(!s.readAuto());
    QVERIFY(!s.readRecon());
    QVERIFY(s.readReadBC());
    QCOMPARE(s.readComando(), 0);

    putBytes(m_path, "[AppMovil]\nAuto=2\nRecon=1\nSucursal=x\nComando=1\n");
    QVERIFY(!s.readAuto());
    QVERIFY(s.readRecon());
    QCOMPARE(s.readSucursal(), 0);
    QCOMPARE(s.readComando(), 1);

    s.writeSucursal(-1);
    s.writeReadBC(false);
    s.writeUser(QStringLiteral("  Jesús \"Chuy\"  "));
    QCOMPARE(s.readSucursal(), -1);
    QVERIFY(!s.readReadBC());
    QCOMPARE(s.readUser(), QStringLiteral("  Jesús \"Chuy\"  "));

    Settings below(m_path + QStringLiteral("/x.ini"));
    QVERIFY_THROWS_EXCEPTION(IniError, below.writeAuto(true));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_Settings.moc"
