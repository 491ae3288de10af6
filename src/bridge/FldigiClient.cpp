#include "bridge/FldigiClient.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr int kAnswerWithinMs = 2000;

} // namespace

FldigiClient::FldigiClient(const QString& host, quint16 port) {
    // fldigi is on this machine or this network: asking the system for a proxy first can take
    // seconds (a WPAD look-up), and a proxy would only be in the way.
    m_network.setProxy(QNetworkProxy::NoProxy);
    m_url.setScheme(QStringLiteral("http"));
    m_url.setHost(host);
    m_url.setPort(port);
    m_url.setPath(QStringLiteral("/RPC2"));
}

void FldigiClient::call(const QString& method, const QVariantList& params, Done done) {
    QNetworkRequest request(m_url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/xml"));
    request.setTransferTimeout(kAnswerWithinMs);
    QNetworkReply* reply = m_network.post(request, XmlRpcCall(method, params));
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError)
            return done(std::nullopt);
        done(ParseXmlRpcReply(reply->readAll()));
    });
}
