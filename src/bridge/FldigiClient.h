#pragma once

#include "bridge/XmlRpc.h"

#include <QNetworkAccessManager>
#include <QUrl>

#include <functional>
#include <optional>

/// fldigi's XML-RPC server, one call at a time or several in flight.
class FldigiClient {
public:
    /// The reply, or nothing when fldigi was not reached (not running, or no answer in time).
    using Done = std::function<void(const std::optional<XmlRpcReply>&)>;

    FldigiClient(const QString& host, quint16 port);
    void call(const QString& method, const QVariantList& params, Done done);
    QString address() const { return m_url.authority(); }

private:
    QNetworkAccessManager m_network;
    QUrl m_url;
};
