#include "bridge/FakeFldigi.h"

#include <QRegularExpression>
#include <QTcpSocket>

namespace {

QByteArray Value(const QByteArray& typed) {
    return "<?xml version=\"1.0\"?>\r\n<methodResponse><params><param><value>" + typed +
           "</value></param></params></methodResponse>\r\n";
}

QByteArray Text(const QString& text) {
    return Value("<string>" + text.toHtmlEscaped().toUtf8() + "</string>");
}

QByteArray Fault(const QString& text) {
    return "<?xml version=\"1.0\"?><methodResponse><fault><value><struct><member><name>faultCode</name><value><int>"
           "-32601</int></value></member><member><name>faultString</name><value><string>" +
           text.toUtf8() + "</string></value></member></struct></value></fault></methodResponse>";
}

} // namespace

bool FakeFldigi::listen(quint16 port) {
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return m_server.listen(QHostAddress::LocalHost, port);
}

void FakeFldigi::close() {
    m_server.close();
    for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>())
        socket->abort();
}

void FakeFldigi::serve(QTcpSocket* socket) {
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    for (;;) {
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            break;
        const QRegularExpression lengthHeader(QStringLiteral("content-length:\\s*(\\d+)"),
                                              QRegularExpression::CaseInsensitiveOption);
        const auto match = lengthHeader.match(QString::fromLatin1(buffer.left(headEnd)));
        const qsizetype length = match.hasMatch() ? match.captured(1).toLongLong() : 0;
        if (buffer.size() < headEnd + 4 + length)
            break;
        const QByteArray body = answer(buffer.mid(headEnd + 4, length));
        buffer.remove(0, headEnd + 4 + length);
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    socket->setProperty("buffer", buffer);
}

QByteArray FakeFldigi::answer(const QByteArray& body) {
    const QString call = QString::fromUtf8(body);
    const QString method = QRegularExpression(QStringLiteral("<methodName>(.*)</methodName>")).match(call).captured(1);
    QStringList params;
    auto values =
        QRegularExpression(QStringLiteral("<value><(?:string|int)>(.*?)</(?:string|int)></value>")).globalMatch(call);
    while (values.hasNext())
        params.append(values.next().captured(1));
    calls.append(method);
    if (method == QLatin1String("main.get_trx_state"))
        return Text(trxState);
    if (method == QLatin1String("text.get_rx_length"))
        return Value("<int>" + QByteArray::number(rx.size()) + "</int>");
    if (method == QLatin1String("text.get_rx"))
        return Value("<base64>" + rx.mid(params.value(0).toInt(), params.value(1).toInt()).toUtf8().toBase64() +
                     "</base64>");
    if (method == QLatin1String("modem.get_carrier"))
        return Value("<int>" + QByteArray::number(carrier) + "</int>");
    if (method == QLatin1String("log.clear")) {
        log.clear();
        return Value("");
    }
    if (method.startsWith(QLatin1String("log.get_")))
        return Text(log.value(method.mid(8)));
    if (method.startsWith(QLatin1String("log.set_"))) {
        log.insert(method.mid(8), params.value(0));
        return Value("");
    }
    return Fault(QStringLiteral("no such method"));
}
