// Time from process start to the first frame of the window, offscreen, on a
// clean documents folder: the median of 5 fresh processes.
//
//   bench-startup-time

#include "app/Application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (argc == 3 && QByteArray(argv[1]) == "--once") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        korvel::LaunchOptions options;
        options.documents = QString::fromLocal8Bit(argv[2]);
        korvel::Application korvel(options);
        if (!korvel.start())
            return 1;
        QObject::connect(korvel.window(), &QQuickWindow::frameSwapped, &app, [&] {
            std::printf("%lld\n", static_cast<long long>(sinceStart.elapsed()));
            app.quit();
        });
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    std::vector<long long> times;
    for (int i = 0; i < 5; ++i) {
        QTemporaryDir dir;
        QProcess p;
        QElapsedTimer outside;
        outside.start();
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once"), dir.path()});
        p.waitForFinished(60000);
        const long long wall = outside.elapsed();
        const long long inside = p.readAllStandardOutput().trimmed().toLongLong();
        std::printf("run %d: first frame %lld ms after main() (%lld ms including process start)\n", i + 1, inside, wall);
        times.push_back(inside);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to first frame, offscreen, median of 5: %lld ms\n", times[2]);
    return 0;
}
