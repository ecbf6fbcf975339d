#include "service/Transport.h"

#include "service/ServiceError.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace korvel {
namespace {

HttpReply send(const Transport& t, QNetworkRequest request, const QByteArray* body)
{
    if (!request.url().isValid() || (request.url().scheme() != u"http" && request.url().scheme() != u"https"))
        throw ServiceError(ServiceError::Kind::Transport,
                           QStringLiteral("Invalid address: %1").arg(request.url().toString()));
    QNetworkAccessManager manager;
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("KorvelMovil/2.0.192"));
    QNetworkReply* reply = body ? manager.post(request, *body) : manager.get(request);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    int phaseTimeout = t.connectTimeoutMs();
    // Until the request is on the wire the connect time-out runs; afterwards
    // the receive time-out, restarted by every piece of the answer.
    auto receiving = [&] {
        phaseTimeout = t.receiveTimeoutMs();
        timer.start(phaseTimeout);
    };
    QObject::connect(reply, &QNetworkReply::requestSent, &loop, receiving);
    QObject::connect(reply, &QNetworkReply::uploadProgress, &loop, [&] { timer.start(phaseTimeout); });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, receiving);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(phaseTimeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();

    HttpReply out;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString errorText = reply->errorString();
    const QNetworkReply::NetworkError error = reply->error();
    if (reply->isOpen())
        out.body = reply->readAll();
    out.status = status.isValid() ? status.toInt() : 0;
    out.reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
    reply->deleteLater();

    if (timedOut)
        throw ServiceError(ServiceError::Kind::Transport,
                           QStringLiteral("Timeout: no answer from %1 within %2 ms")
                               .arg(request.url().host())
                               .arg(phaseTimeout));
    // An HTTP answer with an error status is the caller's to read (it may
    // hold a SOAP Fault); an answer cut short or no answer at all is not.
    const bool httpError = (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError
                            && error != QNetworkReply::ContentReSendError)
        || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    if (error != QNetworkReply::NoError && !(out.status > 0 && httpError))
        throw ServiceError(ServiceError::Kind::Transport, errorText);
    return out;
}

} // namespace

HttpReply HttpTransport::get(const QUrl& url)
{
    return send(*this, QNetworkRequest(url), nullptr);
}

HttpReply HttpTransport::post(const QUrl& url, const QByteArray& soapAction, const QByteArray& body)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
    request.setRawHeader("SOAPAction", soapAction);
    return send(*this, request, &body);
}

} // namespace korvel
