#pragma once
// What the platform actions need from the desktop; tests replace it with a fake.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace korvel {

class DesktopLauncher
{
public:
    virtual ~DesktopLauncher() = default;
    // Opens the address (or file:// URL) with the desktop's default program; false when it cannot.
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    // Whether the program is found on the search path.
    virtual bool hasProgram(const QString &program) const = 0;
};

// The real desktop: QDesktopServices, QProcess and QStandardPaths.
class SystemLauncher : public DesktopLauncher
{
public:
    // False (and nothing happens) without a QGuiApplication.
    bool openUrl(const QUrl &url) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
    bool hasProgram(const QString &program) const override;
};

} // namespace korvel
