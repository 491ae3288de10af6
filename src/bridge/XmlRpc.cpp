#include "bridge/XmlRpc.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

namespace {

// fldigi answers flat values; a little nesting covers faults and lists.
constexpr int kMostDepth = 8;

void writeValue(QXmlStreamWriter& xml, const QVariant& value) {
    xml.writeStartElement(QStringLiteral("value"));
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        xml.writeTextElement(QStringLiteral("int"), QString::number(value.toLongLong()));
        break;
    case QMetaType::Double:
        xml.writeTextElement(QStringLiteral("double"), QString::number(value.toDouble(), 'g', 17));
        break;
    default:
        xml.writeTextElement(QStringLiteral("string"), value.toString());
        break;
    }
    xml.writeEndElement();
}

class ReplyReader {
public:
    explicit ReplyReader(const QByteArray& body) : m_xml(body) {}

    XmlRpcReply read() {
        XmlRpcReply reply;
        if (!nextStart() || m_xml.name() != QLatin1String("methodResponse"))
            return failed(QStringLiteral("not a methodResponse"));
        if (!nextStart())
            return failed(QStringLiteral("an empty methodResponse"));
        const bool fault = m_xml.name() == QLatin1String("fault");
        if (!fault && m_xml.name() != QLatin1String("params"))
            return failed(QStringLiteral("neither params nor fault"));
        std::optional<QVariant> value;
        if (nextStart()) {
            if (!fault && m_xml.name() == QLatin1String("param") && !nextStart())
                return failed(QStringLiteral("a param without a value"));
            if (m_xml.name() != QLatin1String("value"))
                return failed(QStringLiteral("no value"));
            value = readValue(0);
            if (!value)
                return failed(m_error);
        }
        if (fault) {
            const QVariantMap map = value.value_or(QVariant()).toMap();
            reply.fault = map.value(QStringLiteral("faultString")).toString();
            if (reply.fault.isEmpty())
                reply.fault = QStringLiteral("a fault");
            return reply;
        }
        reply.ok = true;
        reply.value = value.value_or(QVariant());
        return reply;
    }

private:
    XmlRpcReply failed(const QString& why) {
        XmlRpcReply reply;
        reply.fault = m_xml.hasError() ? m_xml.errorString() : why;
        return reply;
    }

    /// Moves to the next start element, false at an end element of the one around or the end.
    bool nextStart() {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement)
                return true;
            if (token == QXmlStreamReader::EndElement)
                return false;
        }
        return false;
    }

    /// At the start of a <value>: its content, up to and with its end.
    std::optional<QVariant> readValue(int depth) {
        if (depth > kMostDepth)
            return fail(QStringLiteral("values nested too deep"));
        QString text;
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::Characters)
                text += m_xml.text();
            else if (token == QXmlStreamReader::EndElement)
                return QVariant(text); // a value without a type is a string
            else if (token == QXmlStreamReader::StartElement) {
                std::optional<QVariant> typed = readTyped(depth);
                if (typed && nextStart())
                    return fail(QStringLiteral("a value of two types"));
                return typed;
            }
        }
        return fail(QStringLiteral("a value that does not end"));
    }

    /// At the start of the value's type element: its content; leaves the reader at that element's end.
    std::optional<QVariant> readTyped(int depth) {
        const QString type = m_xml.name().toString();
        if (type == QLatin1String("array"))
            return readArray(depth);
        if (type == QLatin1String("struct"))
            return readStruct(depth);
        if (type == QLatin1String("nil")) {
            m_xml.skipCurrentElement();
            return QVariant();
        }
        const QString text = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (m_xml.hasError())
            return fail(m_xml.errorString());
        bool ok = true;
        QVariant value;
        if (type == QLatin1String("string"))
            value = text;
        else if (type == QLatin1String("base64"))
            value = QString::fromUtf8(QByteArray::fromBase64(text.toLatin1()));
        else if (type == QLatin1String("int") || type == QLatin1String("i4") || type == QLatin1String("i8"))
            value = text.trimmed().toLongLong(&ok);
        else if (type == QLatin1String("double"))
            value = text.trimmed().toDouble(&ok);
        else if (type == QLatin1String("boolean"))
            value = text.trimmed() == QLatin1String("1");
        else
            return fail(QStringLiteral("an unknown type %1").arg(type));
        if (!ok)
            return fail(QStringLiteral("%1 is no %2").arg(text, type));
        return value;
    }

    std::optional<QVariant> readArray(int depth) {
        QVariantList list;
        if (!nextStart() || m_xml.name() != QLatin1String("data"))
            return fail(QStringLiteral("an array without data"));
        while (nextStart()) {
            if (m_xml.name() != QLatin1String("value"))
                return fail(QStringLiteral("an array entry that is no value"));
            std::optional<QVariant> entry = readValue(depth + 1);
            if (!entry)
                return entry;
            list.append(*entry);
        }
        nextStart(); // the end of the array
        return QVariant(list);
    }

    std::optional<QVariant> readStruct(int depth) {
        QVariantMap map;
        while (nextStart()) {
            if (m_xml.name() != QLatin1String("member"))
                return fail(QStringLiteral("a struct entry that is no member"));
            QString name;
            std::optional<QVariant> value;
            while (nextStart()) {
                if (m_xml.name() == QLatin1String("name"))
                    name = m_xml.readElementText();
                else if (m_xml.name() == QLatin1String("value") && !(value = readValue(depth + 1)))
                    return value;
                else if (m_xml.name() != QLatin1String("value"))
                    m_xml.skipCurrentElement();
            }
            map.insert(name, value.value_or(QVariant()));
        }
        return QVariant(map);
    }

    std::optional<QVariant> fail(const QString& why) {
        m_error = why;
        return std::nullopt;
    }

    QXmlStreamReader m_xml;
    QString m_error;
};

} // namespace

QByteArray XmlRpcCall(const QString& method, const QVariantList& params) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("methodCall"));
    xml.writeTextElement(QStringLiteral("methodName"), method);
    xml.writeStartElement(QStringLiteral("params"));
    for (const QVariant& param : params) {
        xml.writeStartElement(QStringLiteral("param"));
        writeValue(xml, param);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

XmlRpcReply ParseXmlRpcReply(const QByteArray& body) {
    return ReplyReader(body).read();
}
