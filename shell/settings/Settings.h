#pragma once
// The values of the settings file "ZFKorvel.ini" (section "AppMovil") as the
// settings screen "Configurar" and the printer screen show them: one property
// per control, named after the control, with a change signal so QML can bind
// both ways. load() and saveSettings() move them between the controls and the
// file; the single keys other screens need have their own read/write helpers.

#include "shell/settings/IniFile.h"
#include "shell/settings/PrinterState.h"

#include <QLatin1String>
#include <QObject>
#include <QString>

#include <memory>

namespace korvel {

class Settings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString URLWSDL READ URLWSDL WRITE setURLWSDL NOTIFY URLWSDLChanged)
    Q_PROPERTY(QString DNS READ DNS WRITE setDNS NOTIFY DNSChanged)
    Q_PROPERTY(bool SwitchUser READ SwitchUser WRITE setSwitchUser NOTIFY SwitchUserChanged)
    Q_PROPERTY(bool DarkMode READ DarkMode WRITE setDarkMode NOTIFY DarkModeChanged)
    Q_PROPERTY(bool DarkModeEnabled READ DarkModeEnabled WRITE setDarkModeEnabled NOTIFY DarkModeEnabledChanged)
    Q_PROPERTY(int Fuente1 READ Fuente1 WRITE setFuente1 NOTIFY Fuente1Changed)
    Q_PROPERTY(int Fuente2 READ Fuente2 WRITE setFuente2 NOTIFY Fuente2Changed)
    Q_PROPERTY(bool Con_Impuestos READ Con_Impuestos WRITE setCon_Impuestos NOTIFY Con_ImpuestosChanged)
    Q_PROPERTY(bool CopiaPedido READ CopiaPedido WRITE setCopiaPedido NOTIFY CopiaPedidoChanged)
    Q_PROPERTY(bool ReadBC READ ReadBC WRITE setReadBC NOTIFY ReadBCChanged)
    Q_PROPERTY(bool ReadBCEnabled READ ReadBCEnabled WRITE setReadBCEnabled NOTIFY ReadBCEnabledChanged)
    Q_PROPERTY(bool ImageExp READ ImageExp WRITE setImageExp NOTIFY ImageExpChanged)
    Q_PROPERTY(bool SwitchAC READ SwitchAC WRITE setSwitchAC NOTIFY SwitchACChanged)
    Q_PROPERTY(bool SwitchIN READ SwitchIN WRITE setSwitchIN NOTIFY SwitchINChanged)
    Q_PROPERTY(QString iUser READ iUser WRITE setIUser NOTIFY iUserChanged)
    Q_PROPERTY(QString iPass READ iPass WRITE setIPass NOTIFY iPassChanged)
    Q_PROPERTY(int Empresa READ Empresa WRITE setEmpresa NOTIFY EmpresaChanged)
    Q_PROPERTY(bool PerFont READ PerFont WRITE setPerFont NOTIFY PerFontChanged)
    Q_PROPERTY(int FImp1 READ FImp1 WRITE setFImp1 NOTIFY FImp1Changed)
    Q_PROPERTY(int FImp2 READ FImp2 WRITE setFImp2 NOTIFY FImp2Changed)
    Q_PROPERTY(int FImp3 READ FImp3 WRITE setFImp3 NOTIFY FImp3Changed)
    Q_PROPERTY(int LineSp READ LineSp WRITE setLineSp NOTIFY LineSpChanged)
    Q_PROPERTY(QString cbxDevices READ cbxDevices WRITE setCbxDevices NOTIFY cbxDevicesChanged)
    Q_PROPERTY(bool SwitchB READ SwitchB WRITE setSwitchB NOTIFY SwitchBChanged)
    Q_PROPERTY(bool SwitchR READ SwitchR WRITE setSwitchR NOTIFY SwitchRChanged)
    Q_PROPERTY(int Comando READ Comando WRITE setComando NOTIFY ComandoChanged)
    Q_PROPERTY(QString codigo READ codigo WRITE setCodigo NOTIFY codigoChanged)
    Q_PROPERTY(QString placeholderURL READ placeholderURL CONSTANT)
    Q_PROPERTY(QString exampleURL READ exampleURL CONSTANT)
    Q_PROPERTY(QString defaultCodigo READ defaultCodigo CONSTANT)

public:
    static constexpr QLatin1String Section{"AppMovil"};
    // Default of "WSDL"; ".invalid" never resolves, so a first attempt fails
    // at once instead of waiting for a time-out.
    static constexpr QLatin1String PlaceholderURL{"http://servidor.invalid:3269/WSKorvel.dll/wsdl/Ikorvel"};
    // Shown under "Por Ejemplo:".
    static constexpr QLatin1String ExampleURL{"http://miempresa.example:3269/WSKorvel.dll/wsdl/Ikorvel"};
    // The built-in label template, default of "Codigo", one token per line.
    static constexpr QLatin1String DefaultCodigo{
        "[CENTER]\n[BOLD]\n[NAME]\n[PRINT]\n[FONTBIG]\n[PRICE]\n[FONTSMALL]\n[XUnidad]\n"
        "[FONTRESET]\n[CENTER]\n[BARCODE]\n[FONTSMALL]\n[TEXTBARCODENUMBER]\n[LINESPACE]\n"
        "[PrintLine]\n[LINESPACE]\n[LINESPACE]"};

    // Settings kept in the INI file at iniPath.
    explicit Settings(const QString &iniPath, QObject *parent = nullptr);
    // Settings kept through the given file object (a subclass can make writes fail).
    explicit Settings(std::unique_ptr<IniFile> file, QObject *parent = nullptr);
    ~Settings() override;

    const QString &iniPath() const { return m_file->path(); }

    // Service address for a host typed in DNS. p is the 1-based position of
    // the first ":" (0 when none): p < 7 gives "http://" + lower(t) +
    // ":3269/WSKorvel.dll/wsdl/Ikorvel", otherwise "http://" + lower(t) +
    // "/WSKorvel.dll/wsdl/Ikorvel" (the text already carries its port).
    static QString DNSChange(const QString &text);

    // Start-up load: "WSDL", "UserPass", "DarkMode", "KorvelFuente1",
    // "KorvelFuente2", "PerFont", "FontImp1".."FontImp3", "LineSp" (then
    // printerStateApplied), "ConImpuestos", "CopiaPedido", "ReadBC2022",
    // "SwitchAC", "SwitchIN", "ImageExp", in that order, each with its
    // default. An error ends the block; the values not yet read keep their
    // defaults. Returns false in that case.
    Q_INVOKABLE bool load();
    // iUser and iPass from "User" and "Pass" when SwitchUser is on.
    Q_INVOKABLE void loadRememberedLogin();

    // Writes the keys from the controls in six independent groups; an error
    // abandons the rest of its group silently and the next group runs:
    // 1 "WSDL"; 2 "UserPass", "DarkMode", "KorvelFuente1", "KorvelFuente2",
    // "PerFont", "FontImp1".."FontImp3", "LineSp", then printerStateApplied,
    // then "ConImpuestos", "CopiaPedido", "ImageExp" and "ReadBC2022" (only
    // while ReadBCEnabled); 3 "SwitchAC", "SwitchIN"; 4 "User", "Pass" (only
    // while SwitchUser is on; turning it off leaves stored values alone);
    // 5 "Sucursal" from Empresa; 6 only when isLogged: savePrinterKeys().
    // Returns true when every group was written completely.
    Q_INVOKABLE bool saveSettings(bool isLogged);

    // The service address is empty or still the placeholder.
    Q_INVOKABLE bool isUnconfigured() const;

    // The printer module state as the controls show it.
    PrinterState printerState() const;

    // Label template editor load: read "Codigo" with the default template as
    // default; when that is not empty, codigo becomes the stored text
    // unescaped; then a codigo shorter than 10 characters becomes the
    // default template.
    Q_INVOKABLE void loadCodigo();

    // Single keys read and written by other screens. Reads never throw and
    // use the table defaults; writes throw IniError.
    QString readUser() const;           // "User", empty
    void writeUser(const QString &user);
    QString readPass() const;           // "Pass", empty
    void writePass(const QString &pass);
    int readSucursal() const;           // "Sucursal", 0
    void writeSucursal(int index);
    bool readAuto() const;              // "Auto", off
    void writeAuto(bool on);
    bool readRecon() const;             // "Recon", off
    void writeRecon(bool on);
    bool readReadBC() const;            // "ReadBC2022", on
    void writeReadBC(bool on);
    QString readPrinter() const;        // "Printer", empty
    void writePrinter(const QString &name);
    int readComando() const;            // "Comando", 0
    void writeComando(int index);
    // "Printer" from cbxDevices, "Auto" from SwitchB, "Recon" from SwitchR,
    // "Comando" from Comando and "Codigo" from codigo escaped, stopping at the
    // first failure (the printer screen's "Guardar" and group 6).
    void savePrinterKeys();

    QString URLWSDL() const { return m_URLWSDL; }
    QString DNS() const { return m_DNS; }
    bool SwitchUser() const { return m_SwitchUser; }
    bool DarkMode() const { return m_DarkMode; }
    bool DarkModeEnabled() const { return m_DarkModeEnabled; }
    int Fuente1() const { return m_Fuente1; }
    int Fuente2() const { return m_Fuente2; }
    bool Con_Impuestos() const { return m_Con_Impuestos; }
    bool CopiaPedido() const { return m_CopiaPedido; }
    bool ReadBC() const { return m_ReadBC; }
    bool ReadBCEnabled() const { return m_ReadBCEnabled; }
    bool ImageExp() const { return m_ImageExp; }
    bool SwitchAC() const { return m_SwitchAC; }
    bool SwitchIN() const { return m_SwitchIN; }
    QString iUser() const { return m_iUser; }
    QString iPass() const { return m_iPass; }
    int Empresa() const { return m_Empresa; }
    bool PerFont() const { return m_PerFont; }
    int FImp1() const { return m_FImp1; }
    int FImp2() const { return m_FImp2; }
    int FImp3() const { return m_FImp3; }
    int LineSp() const { return m_LineSp; }
    QString cbxDevices() const { return m_cbxDevices; }
    bool SwitchB() const { return m_SwitchB; }
    bool SwitchR() const { return m_SwitchR; }
    int Comando() const { return m_Comando; }
    QString codigo() const { return m_codigo; }
    QString placeholderURL() const { return PlaceholderURL; }
    QString exampleURL() const { return ExampleURL; }
    QString defaultCodigo() const { return DefaultCodigo; }

public slots:
    void setURLWSDL(const QString &value);
    void setDNS(const QString &value);
    void setSwitchUser(bool value);
    void setDarkMode(bool value);
    void setDarkModeEnabled(bool value);
    void setFuente1(int value);
    void setFuente2(int value);
    void setCon_Impuestos(bool value);
    void setCopiaPedido(bool value);
    void setReadBC(bool value);
    void setReadBCEnabled(bool value);
    void setImageExp(bool value);
    void setSwitchAC(bool value);
    void setSwitchIN(bool value);
    void setIUser(const QString &value);
    void setIPass(const QString &value);
    void setEmpresa(int value);
    void setPerFont(bool value);
    void setFImp1(int value);
    void setFImp2(int value);
    void setFImp3(int value);
    void setLineSp(int value);
    void setCbxDevices(const QString &value);
    void setSwitchB(bool value);
    void setSwitchR(bool value);
    void setComando(int value);
    void setCodigo(const QString &value);

signals:
    void URLWSDLChanged();
    void DNSChanged();
    void SwitchUserChanged();
    void DarkModeChanged();
    void DarkModeEnabledChanged();
    void Fuente1Changed();
    void Fuente2Changed();
    void Con_ImpuestosChanged();
    void CopiaPedidoChanged();
    void ReadBCChanged();
    void ReadBCEnabledChanged();
    void ImageExpChanged();
    void SwitchACChanged();
    void SwitchINChanged();
    void iUserChanged();
    void iPassChanged();
    void EmpresaChanged();
    void PerFontChanged();
    void FImp1Changed();
    void FImp2Changed();
    void FImp3Changed();
    void LineSpChanged();
    void cbxDevicesChanged();
    void SwitchBChanged();
    void SwitchRChanged();
    void ComandoChanged();
    void codigoChanged();
    // The printer module state is to be set from the controls (during load()
    // and group 2 of saveSettings()).
    void printerStateApplied(korvel::PrinterState state);

private:
    template <typename T>
    void assign(T &field, const T &value, void (Settings::*changed)());

    std::unique_ptr<IniFile> m_file;
    QString m_URLWSDL = QString(PlaceholderURL); // service description address ("WSDL")
    QString m_DNS; // host typed on the settings screen; every change rewrites URLWSDL (DNSChange)
    bool m_SwitchUser = true; // "UserPass": remember user name and password
    bool m_DarkMode = false; // "DarkMode"
    bool m_DarkModeEnabled = true; // whether DarkMode may be changed
    int m_Fuente1 = 11; // "KorvelFuente1": list font size
    int m_Fuente2 = 14; // "KorvelFuente2": titles font size
    bool m_Con_Impuestos = false; // "ConImpuestos"
    bool m_CopiaPedido = true; // "CopiaPedido": keep a draft of the order being captured
    bool m_ReadBC = true; // "ReadBC2022": show the barcode-scan buttons
    bool m_ReadBCEnabled = true; // false when the server is too old; then "ReadBC2022" is not saved
    bool m_ImageExp = false; // "ImageExp"
    bool m_SwitchAC = true; // "SwitchAC"
    bool m_SwitchIN = true; // "SwitchIN"
    QString m_iUser; // "User" (start screen)
    QString m_iPass; // "Pass" (start screen)
    int m_Empresa = -1; // company picker index, -1 when nothing is chosen ("Sucursal")
    bool m_PerFont = false; // "PerFont": custom printer widths
    int m_FImp1 = 64; // "FontImp1"
    int m_FImp2 = 48; // "FontImp2"
    int m_FImp3 = 25; // "FontImp3"
    int m_LineSp = 49; // "LineSp"
    QString m_cbxDevices; // text of the selected paired printer, empty when none ("Printer")
    bool m_SwitchB = false; // "Auto": connect the printer after login
    bool m_SwitchR = false; // "Recon": reopen the printer link while printing documents
    int m_Comando = 0; // printer command set index 0 ESC/POS, 1 CPCL, 2 SLCS ("Comando")
    QString m_codigo = QString(DefaultCodigo); // label template as edited ("Codigo", stored escaped)
};

} // namespace korvel
