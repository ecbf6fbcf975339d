#pragma once
// HTTP for the service proxy. Calls are synchronous: they run on the calling
// (worker) thread with their own event loop, so the user interface never waits.

#include <QByteArray>
#include <QUrl>

namespace korvel {

struct HttpReply {
    int status = 0;
    QByteArray reason;
    QByteArray body;
};

class Transport {
public:
    virtual ~Transport() = default;
    // Both throw ServiceError(Kind::Transport) when no HTTP answer arrives;
    // an answer with an error status is returned, not thrown.
    virtual HttpReply get(const QUrl& url) = 0;
    virtual HttpReply post(const QUrl& url, const QByteArray& soapAction, const QByteArray& body) = 0;

    void setTimeouts(int connectMs, int receiveMs)
    {
        m_connectTimeoutMs = connectMs;
        m_receiveTimeoutMs = receiveMs;
    }
    int connectTimeoutMs() const { return m_connectTimeoutMs; }
    int receiveTimeoutMs() const { return m_receiveTimeoutMs; }

private:
    int m_connectTimeoutMs = 500000;
    int m_receiveTimeoutMs = 500000;
};

class HttpTransport : public Transport {
public:
    HttpReply get(const QUrl& url) override;
    HttpReply post(const QUrl& url, const QByteArray& soapAction, const QByteArray& body) override;
};

} // namespace korvel
