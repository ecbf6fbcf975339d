#pragma once
// Wiring only: creates the parts, hands them to QML, loads the window and
// runs the start-up. Also the screenshot mode of the command line.

#include "service/Ikorvel.h"
#include "shell/Shell.h"
#include "shell/settings/Settings.h"

#include <QObject>
#include <QQmlApplicationEngine>
#include <QString>

#include <memory>

class QQuickWindow;

namespace korvel {

struct LaunchOptions {
    QString documents;      // --documents DIR (else KORVEL_DOCUMENTS, else the standard folder)
    QString screenshot;     // --screenshot FILE.png
    QString page;           // --page OBJECTNAME
};

class Application : public QObject {
    Q_OBJECT
public:
    // Parses the command line; on a usage error returns false and sets `error`.
    static bool parseArguments(const QStringList& arguments, LaunchOptions& options, QString& error);

    explicit Application(const LaunchOptions& options, QObject* parent = nullptr);
    ~Application() override;

    // Loads the window and runs the start-up; false when the window could not be created.
    bool start();
    // The screenshot mode: shows the page, renders the window to the file,
    // prints the shown page's objectName. Returns the exit code.
    int takeScreenshot();

    Shell& shell() { return *m_shell; }
    QQuickWindow* window() const { return m_window; }
    QQmlApplicationEngine& engine() { return m_engine; }
    const QString& documentsRoot() const { return m_documentsRoot; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LaunchOptions m_options;
    QString m_documentsRoot;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Ikorvel> m_service;
    std::unique_ptr<Shell> m_shell;
    QQmlApplicationEngine m_engine;
    QQuickWindow* m_window = nullptr;
};

} // namespace korvel
