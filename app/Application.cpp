#include "app/Application.h"

#include "shell/settings/DocumentsFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>


namespace korvel {

bool Application::parseArguments(const QStringList& arguments, LaunchOptions& o, QString& error)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto value = [&](QString& target) {
            if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QLatin1String("--"))) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            target = arguments[++i];
            return true;
        };
        if (a == u"--documents") {
            if (!value(o.documents))
                return false;
        } else if (a == u"--screenshot") {
            if (!value(o.screenshot))
                return false;
        } else if (a == u"--page") {
            if (!value(o.page))
                return false;
        } else {
            error = QStringLiteral("unknown argument ") + a;
            return false;
        }
    }
    if (!o.page.isEmpty() && o.screenshot.isEmpty()) {
        error = QStringLiteral("--page goes with --screenshot");
        return false;
    }
    if (!o.page.isEmpty() && pageFromObjectName(o.page) == Pages::PageCount) {
        error = QStringLiteral("no page named ") + o.page;
        return false;
    }
    return true;
}

Application::Application(const LaunchOptions& options, QObject* parent) : QObject(parent), m_options(options)
{
    m_documentsRoot = DocumentsFolder::resolveRoot(options.documents);
    QString iniPath;
    try {
        iniPath = DocumentsFolder(m_documentsRoot).filePath(QString(DocumentsFolder::SettingsFile));
    } catch (const DocumentsError& e) {
        // Without a writable folder the settings read as defaults and saving reports the failure.
        iniPath = m_documentsRoot + QLatin1Char('/') + QString(DocumentsFolder::SettingsFile);
        qWarning("%s", qPrintable(e.text()));
    }
    m_settings = std::make_unique<Settings>(iniPath);
    m_service = std::make_unique<Ikorvel>();
    m_shell = std::make_unique<Shell>(*m_settings, *m_service);
    m_shell->attachTo(m_engine);
}

Application::~Application() = default;

bool Application::start()
{
    bool failed = false;
    connect(&m_engine, &QQmlApplicationEngine::objectCreationFailed, this, [&failed] { failed = true; });
    // The QML modules live in the resources under their URI paths.
    m_engine.addImportPath(QStringLiteral("qrc:/"));
    m_engine.load(QUrl(QStringLiteral("qrc:/Korvel/App/qml/Main.qml")));
    if (failed || m_engine.rootObjects().isEmpty())
        return false;
    m_window = qobject_cast<QQuickWindow*>(m_engine.rootObjects().constFirst());
    if (!m_window)
        return false;
    m_window->installEventFilter(this);
    connect(m_shell->navigator(), &Navigator::quitRequested, m_window, &QQuickWindow::close);
    m_shell->FormCreate();
    return true;
}

bool Application::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Back || key == Qt::Key_Escape) && !m_shell->navigator()->drawerOpen())
            return m_shell->navigator()->FormKeyDown(key);
    }
    return QObject::eventFilter(watched, event);
}

int Application::takeScreenshot()
{
    if (!m_options.page.isEmpty())
        m_shell->navigator()->showPage(pageFromObjectName(m_options.page));
    m_shell->navigator()->Validar();
    // Let the window lay out and render its current state before grabbing it.
    QEventLoop loop;
    QTimer::singleShot(400, &loop, &QEventLoop::quit);
    loop.exec();
    const QImage image = m_window->grabWindow();
    if (image.isNull() || !image.save(m_options.screenshot, "PNG")) {
        std::fprintf(stderr, "korvel-movil: cannot write %s\n", qPrintable(m_options.screenshot));
        return 1;
    }
    std::printf("%s\n", qPrintable(m_shell->navigator()->pageName()));
    std::fflush(stdout);
    return 0;
}

} // namespace korvel
