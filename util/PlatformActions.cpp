#include "util/PlatformActions.h"

#include <QCoreApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMetaObject>
#include <QMetaMethod>

#include <cmath>

namespace korvel {
namespace {

QGuiApplication *guiApplication()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance());
}

QStringList cleanAddresses(const QStringList &addresses)
{
    QStringList result;
    for (const QString &address : addresses) {
        const QString trimmed = address.trimmed();
        if (!trimmed.isEmpty())
            result << trimmed;
    }
    return result;
}

// A text with a scheme of two or more letters ("https:", "mailto:", "file:") is an
// address; anything else is a file path, relative ones taken from the working folder.
QUrl urlForTarget(const QString &target)
{
    if (target.trimmed().isEmpty())
        return QUrl();
    if (!target.startsWith(QLatin1Char('/'))) {
        const QUrl url(target, QUrl::StrictMode);
        if (url.isValid() && url.scheme().size() > 1)
            return url;
    }
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

QString coordinateText(double value)
{
    return QString::number(value, 'f', 8);
}

} // namespace

QString joinAddresses(const QStringList &addresses)
{
    return cleanAddresses(addresses).join(QLatin1Char(';'));
}

QUrl mapUrlForAddress(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return QUrl();
    return QUrl::fromEncoded("https://www.openstreetmap.org/search?query="
                                 + QUrl::toPercentEncoding(trimmed),
                             QUrl::StrictMode);
}

QUrl mapUrlForCoordinates(double latitude, double longitude)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0
        || std::fabs(longitude) > 180.0)
        return QUrl();
    const QString lat = coordinateText(latitude);
    const QString lon = coordinateText(longitude);
    return QUrl(QStringLiteral("https://www.openstreetmap.org/?mlat=%1&mlon=%2#map=17/%1/%2").arg(lat, lon),
                QUrl::StrictMode);
}

QUrl mailtoUrl(const MailMessage &mail)
{
    QByteArray encoded = "mailto:";
    encoded += QUrl::toPercentEncoding(joinAddresses(mail.to), "@;");
    encoded += "?Subject=" + QUrl::toPercentEncoding(mail.subject);
    encoded += "&Body=" + QUrl::toPercentEncoding(mail.body);
    encoded += "&Attachment="
               + QUrl::toPercentEncoding(QLatin1Char('"') + mail.attachmentPath + QLatin1Char('"'), "/");
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

PlatformActions::PlatformActions()
    : m_ownLauncher(std::make_unique<SystemLauncher>())
    , m_launcher(*m_ownLauncher)
{
}

PlatformActions::PlatformActions(DesktopLauncher &launcher)
    : m_launcher(launcher)
{
}

PlatformActions::~PlatformActions() = default;

bool PlatformActions::openWithSystem(const QString &pathOrAddress)
{
    const QUrl url = urlForTarget(pathOrAddress);
    return url.isValid() && m_launcher.openUrl(url);
}

bool PlatformActions::shareFile(const QString &path)
{
    return openWithSystem(path);
}

bool PlatformActions::openInBrowser(const QString &address, QString *errorText)
{
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (url.isValid() && m_launcher.openUrl(url))
        return true;
    if (errorText)
        *errorText = kNoSoportado.toString();
    return false;
}

bool PlatformActions::openMapAddress(const QString &address)
{
    const QUrl url = mapUrlForAddress(address);
    return url.isValid() && m_launcher.openUrl(url);
}

bool PlatformActions::openMapCoordinates(double latitude, double longitude)
{
    const QUrl url = mapUrlForCoordinates(latitude, longitude);
    return url.isValid() && m_launcher.openUrl(url);
}

bool PlatformActions::sendMail(const MailMessage &mail)
{
    static const QString mailTool = QStringLiteral("xdg-email");
    if (!mail.attachmentPath.isEmpty() && m_launcher.hasProgram(mailTool)) {
        // The tool refuses a missing attachment and empty option values, and takes
        // several recipients as separate arguments.
        if (!QFileInfo(mail.attachmentPath).isFile())
            return false;
        QStringList arguments{QStringLiteral("--utf8"),
                              QStringLiteral("--attach"), QFileInfo(mail.attachmentPath).absoluteFilePath()};
        if (!mail.subject.isEmpty())
            arguments << QStringLiteral("--subject") << mail.subject;
        if (!mail.body.isEmpty())
            arguments << QStringLiteral("--body") << mail.body;
        for (const QString &address : cleanAddresses(mail.cc))
            arguments << QStringLiteral("--cc") << address;
        for (const QString &address : cleanAddresses(mail.bcc))
            arguments << QStringLiteral("--bcc") << address;
        arguments << cleanAddresses(mail.to);
        return m_launcher.startDetached(mailTool, arguments);
    }
    const QUrl url = mailtoUrl(mail);
    return url.isValid() && m_launcher.openUrl(url);
}

void PlatformActions::copyToClipboard(const QString &text)
{
    if (!guiApplication())
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

void PlatformActions::hideKeyboard()
{
    if (!guiApplication())
        return;
    if (QInputMethod *inputMethod = QGuiApplication::inputMethod())
        inputMethod->hide();
}

void PlatformActions::showKeyboard(QObject *field)
{
    if (!guiApplication())
        return;
    if (field && field->metaObject()->indexOfMethod("forceActiveFocus()") >= 0)
        QMetaObject::invokeMethod(field, "forceActiveFocus");
    if (QInputMethod *inputMethod = QGuiApplication::inputMethod())
        inputMethod->show();
}

} // namespace korvel
