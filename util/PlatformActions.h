#pragma once
// Opening files and addresses in other programs, e-mail, maps, clipboard, on-screen keyboard.
// A missing platform service never throws: each action answers or does nothing as documented.

#include "util/DesktopLauncher.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUrl>

#include <memory>

namespace korvel {

// The error text of an address the browser cannot show.
inline constexpr QStringView kNoSoportado = u"No soportado";

// A mail for the user to complete and send in the mail program.
struct MailMessage {
    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString subject;
    QString body;
    QString attachmentPath; // empty: no attachment
};

// OpenStreetMap search page for an address text; invalid for a blank address.
QUrl mapUrlForAddress(const QString &address);
// OpenStreetMap page with a marker at the coordinates; invalid when they are out of range.
QUrl mapUrlForCoordinates(double latitude, double longitude);
// "mailto:" + To + "?Subject=" .. "&Body=" .. "&Attachment=" + quoted path, percent-encoded.
QUrl mailtoUrl(const MailMessage &mail);
// The address list joined with ";" (blank entries left out).
QString joinAddresses(const QStringList &addresses);

class PlatformActions
{
public:
    // Uses the real desktop.
    PlatformActions();
    // Uses the given launcher, which must outlive this object.
    explicit PlatformActions(DesktopLauncher &launcher);
    ~PlatformActions();

    // Opens a file path or an address (with a scheme) with its default program; false when refused.
    bool openWithSystem(const QString &pathOrAddress);
    // Hands a file to the share facility; on a desktop, the same as openWithSystem.
    bool shareFile(const QString &path);
    // Shows an address in the browser; false with *errorText = "No soportado" when it cannot.
    bool openInBrowser(const QString &address, QString *errorText = nullptr);
    // Shows an address text on a map; false (nothing opened) when it cannot.
    bool openMapAddress(const QString &address);
    // Shows a position on a map; false (nothing opened) when it cannot.
    bool openMapCoordinates(double latitude, double longitude);
    // Opens the mail program with the mail filled in (xdg-email for an attachment, else mailto); false when nothing opened.
    bool sendMail(const MailMessage &mail);

    // Places the text on the clipboard; nothing without a QGuiApplication.
    void copyToClipboard(const QString &text);
    // Hides the on-screen keyboard; nothing without a QGuiApplication.
    void hideKeyboard();
    // Gives `field` (a QML item, may be null) the focus via forceActiveFocus() and shows the on-screen keyboard.
    void showKeyboard(QObject *field = nullptr);

private:
    std::unique_ptr<DesktopLauncher> m_ownLauncher;
    DesktopLauncher &m_launcher;
};

} // namespace korvel
