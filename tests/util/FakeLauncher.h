#pragma once

#include "util/DesktopLauncher.h"

#include <QSet>

// Records what would have been launched; nothing is started.
class FakeLauncher : public korvel::DesktopLauncher
{
public:
    bool openUrl(const QUrl &url) override
    {
        openedUrls << url;
        return accepts;
    }
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        started << program;
        startedArguments << arguments;
        return accepts;
    }
    bool hasProgram(const QString &program) const override { return programs.contains(program); }

    bool accepts = true;
    QSet<QString> programs;
    QList<QUrl> openedUrls;
    QStringList started;
    QList<QStringList> startedArguments;
};
