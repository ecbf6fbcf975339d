// korvel-cli: the service from a shell, for administrators and scripts.
//
//   korvel-cli --wsdl URL [--user U] [--pass P] call Operation [Name=value ...]
//   korvel-cli wsdl [--endpoint URL]
//   korvel-cli ops
//
// A call prints one JSON object and exits 0, or prints the error on stderr and
// exits 1. Wrong usage exits 2.

#include "service/Ikorvel.h"
#include "service/ServiceDescription.h"
#include "service/SoapDecoder.h"
#include "tools/CliCall.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

using namespace korvel;

namespace {

void write(FILE* f, const QByteArray& text)
{
    std::fwrite(text.constData(), 1, std::size_t(text.size()), f);
}

int usage(const QString& why)
{
    if (!why.isEmpty())
        write(stderr, "korvel-cli: " + why.toUtf8() + "\n");
    write(stderr,
          "usage: korvel-cli --wsdl URL [--user U] [--pass P] call Operation [Name=value ...]\n"
          "       korvel-cli wsdl [--endpoint URL]\n"
          "       korvel-cli ops\n");
    return 2;
}

struct Options {
    QString wsdl, user, pass, endpoint, command, operation;
    QStringList rest;
};

bool parse(const QStringList& args, Options& o, QString& error)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& target) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            target = args[++i];
            return true;
        };
        if (o.command.isEmpty() && a.startsWith(QLatin1String("--"))) {
            if (a == u"--wsdl") {
                if (!value(o.wsdl))
                    return false;
            } else if (a == u"--user") {
                if (!value(o.user))
                    return false;
            } else if (a == u"--pass") {
                if (!value(o.pass))
                    return false;
            } else {
                error = QStringLiteral("unknown option ") + a;
                return false;
            }
        } else if (o.command.isEmpty()) {
            o.command = a;
        } else if (o.command == u"wsdl" && a == u"--endpoint") {
            if (!value(o.endpoint))
                return false;
        } else if (o.command == u"call" && o.operation.isEmpty()) {
            o.operation = a;
        } else {
            o.rest << a;
        }
    }
    return true;
}

int call(const Options& o)
{
    if (o.wsdl.isEmpty())
        return usage(QStringLiteral("call needs --wsdl URL"));
    if (o.operation.isEmpty())
        return usage(QStringLiteral("call needs an operation name"));
    const QByteArray name = o.operation.toUtf8();
    const OperationInfo* op = findOperation(std::string_view(name.constData(), std::size_t(name.size())));
    if (!op)
        return usage(QStringLiteral("unknown operation ") + o.operation);

    std::unique_ptr<void, void (*)(void*)> request(op->request->create(), op->request->destroy);
    std::unique_ptr<void, void (*)(void*)> response(op->response->create(), op->response->destroy);
    try {
        cli::fillRequest(*op, request.get(), o.user, o.pass, o.rest);
    } catch (const ServiceError& e) {
        return usage(e.message());
    }
    ServiceClient client;
    client.configure(o.wsdl);
    try {
        client.invoke(*op, request.get(), response.get());
    } catch (const ServiceError& e) {
        write(stderr, e.message().toUtf8() + "\n");
        return 1;
    }
    write(stdout, cli::responseJson(*op, response.get()) + "\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options o;
    QString error;
    if (!parse(app.arguments(), o, error))
        return usage(error);
    if (o.command == u"call")
        return call(o);
    if (o.command == u"wsdl") {
        const QString endpoint =
            o.endpoint.isEmpty() ? QStringLiteral("http://localhost:3269/WSKorvel.dll/soap/Ikorvel") : o.endpoint;
        write(stdout, generateServiceDescription(endpoint));
        return 0;
    }
    if (o.command == u"ops") {
        write(stdout, cli::operationList());
        return 0;
    }
    return usage(o.command.isEmpty() ? QString() : QStringLiteral("unknown command ") + o.command);
}
