#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>

/// A stand-in for fldigi's XML-RPC server on 127.0.0.1: the RX pane, the carrier, the TX state and
/// the log fields, over HTTP as fldigi serves them.
class FakeFldigi : public QObject {
    Q_OBJECT
public:
    /// Listens on port, any free one for 0; false when it cannot.
    bool listen(quint16 port = 0);
    /// Stops listening and drops every connection, as fldigi does when it quits.
    void close();
    quint16 port() const { return m_server.serverPort(); }

    QString rx; ///< the RX pane
    QString trxState = QStringLiteral("RX");
    int carrier = 700;
    QHash<QString, QString> log; ///< "call", "name", "qth", "rst_in", "rst_out"
    QStringList calls;           ///< every method called, in order

private:
    void serve(class QTcpSocket* socket);
    QByteArray answer(const QByteArray& body);

    QTcpServer m_server;
};
