// korvel-movil [--documents DIR] [--screenshot FILE.png [--page OBJECTNAME]]

#include "app/Application.h"

#include <QApplication>
#include <QQuickStyle>

#include <cstdio>

int main(int argc, char** argv)
{
    // Charts need a QApplication, not a QGuiApplication. The Basic style draws
    // the same with and without OpenGL (Material drops its shadowed parts in
    // the software renderer used offscreen).
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel Móvil"));
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    if (qEnvironmentVariableIsEmpty("QT_QUICK_CONTROLS_STYLE"))
        QQuickStyle::setStyle(QStringLiteral("Basic"));

    korvel::LaunchOptions options;
    QString error;
    if (!korvel::Application::parseArguments(app.arguments(), options, error)) {
        std::fprintf(stderr, "korvel-movil: %s\nusage: korvel-movil [--documents DIR] [--screenshot FILE.png [--page OBJECTNAME]]\n",
                     qPrintable(error));
        return 2;
    }
    korvel::Application korvel(options);
    if (!korvel.start())
        return 1;
    if (!options.screenshot.isEmpty())
        return korvel.takeScreenshot();
    return app.exec();
}
