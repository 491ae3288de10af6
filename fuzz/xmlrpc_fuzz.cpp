#include "FuzzCheck.h"
#include "bridge/XmlRpc.h"

#include <cstdint>

// Any body as fldigi's answer: a reply is either a value or a fault with its text. With the first
// byte 0 the rest is a text sent as a string value, which must come back as it went.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] == 0) {
        const QString text = QString::fromUtf8(rest);
        // XML 1.0 has no place for most control characters; fldigi never sends them in a value.
        for (const QChar c : text) {
            if ((c < u' ' && c != u'\t' && c != u'\n') || c.isSurrogate() || c == QChar(0xFFFE) || c == QChar(0xFFFF))
                return 0;
        }
        const QByteArray body = "<methodResponse><params><param><value><string>" + text.toHtmlEscaped().toUtf8() +
                                "</string></value></param></params></methodResponse>";
        const XmlRpcReply reply = ParseXmlRpcReply(body);
        Require(reply.ok && reply.value.toString() == text);
        return 0;
    }
    const XmlRpcReply reply = ParseXmlRpcReply(rest);
    Require(reply.ok != !reply.fault.isEmpty());
    return 0;
}
