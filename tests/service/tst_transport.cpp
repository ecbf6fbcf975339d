// The proxy against a local HTTP server that misbehaves on purpose: the
// description is read and its endpoint used, the request carries the exact
// SOAPAction, and every failure (fault, HTTP error, not a description,
// malformed answer, stalled or cut connection) is an error with a clear text.

#include "service/Ikorvel.h"
#include "service/ServiceDescription.h"
#include "service/SoapEncoder.h"

#include <QMutex>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

using namespace korvel;

namespace {

struct Seen {
    QByteArray path;
    QByteArray soapAction;
    QByteArray contentType;
    QByteArray body;
};

// Answers by the path of the request. Lives in its own thread so the
// proxy's blocking call in the test thread is a real client.
class FakeServer : public QTcpServer {
public:
    FakeServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { onData(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    Seen last() const
    {
        QMutexLocker l(&m_mutex);
        return m_last;
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    void setPortNumber(quint16 p) { m_port = p; }

private:
    void onData(QTcpSocket* s)
    {
        QByteArray& buf = m_buffers[s];
        buf += s->readAll();
        const qsizetype headerEnd = buf.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray head = buf.left(headerEnd);
        qsizetype length = 0;
        Seen seen;
        for (const QByteArray& line : head.split('\n')) {
            const QByteArray l = line.trimmed();
            const qsizetype colon = l.indexOf(':');
            const QByteArray name = l.left(colon).toLower();
            const QByteArray value = l.mid(colon + 1).trimmed();
            if (name == "content-length")
                length = value.toLongLong();
            else if (name == "soapaction")
                seen.soapAction = value;
            else if (name == "content-type")
                seen.contentType = value;
        }
        if (buf.size() < headerEnd + 4 + length)
            return;
        seen.path = head.split(' ').value(1);
        seen.body = buf.mid(headerEnd + 4, length);
        m_buffers.remove(s);
        {
            QMutexLocker l(&m_mutex);
            m_last = seen;
        }
        answer(s, seen);
    }

    void reply(QTcpSocket* s, int status, const QByteArray& reason, const QByteArray& type, const QByteArray& body)
    {
        s->write("HTTP/1.1 " + QByteArray::number(status) + " " + reason + "\r\nContent-Type: " + type
                 + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }

    void answer(QTcpSocket* s, const Seen& seen)
    {
        const QByteArray p = seen.path;
        if (p == "/wsdl/ok") {
            reply(s, 200, "OK", "text/xml",
                  generateServiceDescription(QStringLiteral("/WSKorvel.dll/soap/Ikorvel")));
        } else if (p == "/wsdl/html") {
            reply(s, 200, "OK", "text/html", "<html><body><h1>Bienvenido</h1></body></html>");
        } else if (p == "/wsdl/xml") {
            reply(s, 200, "OK", "text/xml", "<?xml version=\"1.0\"?><config><item/></config>");
        } else if (p == "/wsdl/missing") {
            reply(s, 404, "Not Found", "text/plain", "no");
        } else if (p == "/WSKorvel.dll/soap/Ikorvel" || p == "/soap/ok") {
            ops::VersionWS::Response r{20192};
            reply(s, 200, "OK", "text/xml; charset=utf-8", soap::encodeResponse(ops::VersionWS::info(), &r));
        } else if (p == "/soap/fault") {
            reply(s, 500, "Internal Server Error", "text/xml",
                  soap::encodeFault(QStringLiteral("SOAP-ENV:Server"), QStringLiteral("Acceso denegado")));
        } else if (p == "/soap/500") {
            reply(s, 500, "Internal Server Error", "text/html", "<html>Internal Server Error</html>");
        } else if (p == "/soap/garbage") {
            reply(s, 200, "OK", "text/xml", "<SOAP-ENV:Envelope><oops");
        } else if (p == "/soap/stall") {
            // never answers
        } else if (p == "/soap/cut") {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 5000\r\n\r\n<SOAP-ENV:Envelope>");
            s->flush();
            s->abort();
        } else if (p == "/soap/reset") {
            s->abort();
        } else {
            reply(s, 404, "Not Found", "text/plain", "");
        }
    }

    mutable QMutex m_mutex;
    Seen m_last;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    quint16 m_port = 0;
};

} // namespace

class TransportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_thread.start();
        m_server = new FakeServer;
        m_server->moveToThread(&m_thread);
        quint16 port = 0;
        QMetaObject::invokeMethod(
            m_server, [&] { m_server->listen(QHostAddress::LocalHost, 0); port = m_server->serverPort(); },
            Qt::BlockingQueuedConnection);
        QVERIFY(port != 0);
        m_server->setPortNumber(port);
    }

    void cleanupTestCase()
    {
        QMetaObject::invokeMethod(m_server, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    void callThroughTheDescription()
    {
        Ikorvel proxy;
        proxy.configure(m_server->base() + QStringLiteral("/wsdl/ok"));
        QCOMPARE(proxy.VersionWS(), 20192);
        QCOMPARE(proxy.endpoint().toString(), m_server->base() + QStringLiteral("/WSKorvel.dll/soap/Ikorvel"));
        const Seen seen = m_server->last();
        QCOMPARE(seen.path, QByteArray("/WSKorvel.dll/soap/Ikorvel"));
        QCOMPARE(seen.soapAction, QByteArray("urn:korvelIntf-Ikorvel#VersionWS"));
        QCOMPARE(seen.contentType, QByteArray("text/xml; charset=utf-8"));
        QVERIFY(seen.body.contains("<NS1:VersionWS xmlns:NS1=\"urn:korvelIntf-Ikorvel\">"));
        QVERIFY(proxy.lastResponse().contains("VersionWSResponse"));

        // Configuring again reads the description again before the next call.
        proxy.configure(m_server->base() + QStringLiteral("/wsdl/html"));
        QVERIFY(proxy.endpoint().isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fragment");
        const int description = int(ServiceError::Kind::Description);
        const int transport = int(ServiceError::Kind::Transport);
        QTest::newRow("description-is-html") << "/wsdl/html" << "" << description << "Unable to load WSDL";
        QTest::newRow("description-other-xml") << "/wsdl/xml" << "" << description << "not a service description";
        QTest::newRow("description-404") << "/wsdl/missing" << "" << description << "HTTP 404";
        QTest::newRow("unreachable") << "http://127.0.0.1:1/wsdl" << "" << description << "Unable to load WSDL";
        QTest::newRow("unknown-host") << "http://servidor.invalid:3269/WSKorvel.dll/wsdl/Ikorvel" << ""
                                      << description << "Unable to load WSDL";
        QTest::newRow("fault") << "" << "/soap/fault" << int(ServiceError::Kind::Fault) << "Acceso denegado";
        QTest::newRow("http-500") << "" << "/soap/500" << transport << "HTTP 500 Internal Server Error";
        QTest::newRow("malformed") << "" << "/soap/garbage" << int(ServiceError::Kind::Malformed) << "Malformed answer";
        QTest::newRow("stalled") << "" << "/soap/stall" << transport << "Timeout";
        QTest::newRow("cut-mid-answer") << "" << "/soap/cut" << transport << "";
        QTest::newRow("reset") << "" << "/soap/reset" << transport << "";
    }

    void failures()
    {
        QFETCH(QString, description);
        QFETCH(QString, endpoint);
        QFETCH(int, kind);
        QFETCH(QString, fragment);
        Ikorvel proxy;
        proxy.setTimeouts(3000, 400);
        if (!description.isEmpty())
            proxy.configure(description.startsWith(u'/') ? m_server->base() + description : description);
        else
            proxy.setEndpoint(QUrl(m_server->base() + endpoint));
        try {
            proxy.VersionWS();
            QFAIL("the call should fail");
        } catch (const ServiceError& e) {
            QVERIFY2(int(e.kind()) == kind, qPrintable(e.message()));
            QVERIFY2(!e.message().isEmpty(), "an error needs a text");
            QVERIFY2(e.message().contains(fragment), qPrintable(e.message()));
        }
    }

private:
    QThread m_thread;
    FakeServer* m_server = nullptr;
};

QTEST_GUILESS_MAIN(TransportTest)
#include "tst_transport.moc"
