// korvel-sandbox [--port N] [--db FILE] [--reset] [--build N] [--single-company]
//
// The sandbox back office: the Ikorvel service on 127.0.0.1 over demo data
// in SQLite. Its first line on stdout names the service description address.

#include "server/SandboxServer.h"

#include <QCoreApplication>

#include <cstdio>

using namespace korvel::sandbox;

namespace {

int usage(const char* why)
{
    std::fprintf(stderr, "korvel-sandbox: %s\nusage: korvel-sandbox [--port N] [--db FILE] [--reset] [--build N] [--single-company]\n", why);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SandboxOptions options;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&](QString& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        QString value;
        bool ok = true;
        if (a == u"--port") {
            ok = next(value);
            const int port = value.toInt(&ok);
            ok = ok && port >= 0 && port <= 65535;
            options.port = quint16(port);
        } else if (a == u"--db") {
            ok = next(options.database);
        } else if (a == u"--reset") {
            options.reset = true;
        } else if (a == u"--build") {
            ok = next(value);
            options.build = value.toInt(&ok);
        } else if (a == u"--single-company") {
            options.singleCompany = true;
        } else {
            return usage(qPrintable(QStringLiteral("unknown argument ") + a));
        }
        if (!ok)
            return usage(qPrintable(QStringLiteral("bad value for ") + a));
    }
    SandboxServer server(options);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "korvel-sandbox: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("listening on %s\n", qPrintable(server.descriptionUrl()));
    std::fflush(stdout);
    return app.exec();
}
