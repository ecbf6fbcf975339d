#include "util/DesktopLauncher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

namespace korvel {

bool SystemLauncher::openUrl(const QUrl &url)
{
    if (!url.isValid() || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool SystemLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

bool SystemLauncher::hasProgram(const QString &program) const
{
    return !program.isEmpty() && !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace korvel
