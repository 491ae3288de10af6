#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

/// An XML-RPC methodCall; parameters are strings, whole numbers or doubles.
QByteArray XmlRpcCall(const QString& method, const QVariantList& params = {});

/// What a methodResponse holds: a value, or the fault the server reported.
struct XmlRpcReply {
    bool ok = false;
    QVariant value; ///< QString (base64 is decoded as UTF-8 text), qint64, double, bool, QVariantList,
                    ///< QVariantMap, or nothing for nil and for a response without a value
    QString fault;  ///< the fault's text, or what was wrong with the response
};

/// Reads a methodResponse. Anything else, or values nested deeper than a few levels, is a fault.
XmlRpcReply ParseXmlRpcReply(const QByteArray& body);
