#include "platform/RegistryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

const QString kHeader5 = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kHeader4 = QStringLiteral("REGEDIT4");

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless).decode(bytes.mid(2));
    QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(body);
    // Old exports are in a single-byte code page; read them byte for byte rather than lose them.
    return utf8.hasError() ? QString::fromLatin1(body) : text;
}

/// Reads a quoted text starting at text[pos] == '"'; returns the position after the closing quote,
/// or -1 when it is not closed.
qsizetype readQuoted(const QString& text, qsizetype pos, QString& out) {
    out.clear();
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            return i + 1;
        if (c == QLatin1Char('\\')) {
            if (++i >= text.size())
                return -1;
            out += text[i];
            continue;
        }
        out += c;
    }
    return -1;
}

std::optional<QByteArray> hexBytes(const QString& list) {
    QByteArray bytes;
    const QString trimmed = list.trimmed();
    if (trimmed.isEmpty())
        return bytes;
    for (const QString& part : trimmed.split(QLatin1Char(','))) {
        bool ok = false;
        const uint b = part.trimmed().toUInt(&ok, 16);
        if (!ok || b > 0xFF)
            return std::nullopt;
        bytes.append(char(b));
    }
    return bytes;
}

/// A value's data after "=": dword, quoted text, or the hex forms of a text or a dword.
std::optional<RegistryData::Value> parseData(const QString& data) {
    if (data.startsWith(QLatin1String("dword:"))) {
        const QString digits = data.mid(6);
        bool ok = false;
        const quint32 v = digits.toUInt(&ok, 16);
        if (!ok || digits.size() != 8)
            return std::nullopt;
        return v;
    }
    if (data.startsWith(QLatin1Char('"'))) {
        QString text;
        if (readQuoted(data, 0, text) != data.size())
            return std::nullopt;
        return text;
    }
    if (data.startsWith(QLatin1String("hex(1):"))) {
        const auto bytes = hexBytes(data.mid(7));
        if (!bytes || bytes->size() % 2)
            return std::nullopt;
        // The UTF-16LE units as they stand (a leading U+FEFF is a character here, not a byte-order
        // mark); the text ends at its first NUL, as a REG_SZ does.
        const auto* b = reinterpret_cast<const uchar*>(bytes->constData());
        QString text;
        for (qsizetype i = 0; i + 1 < bytes->size(); i += 2) {
            const QChar c(char16_t(b[i] | b[i + 1] << 8));
            if (c.isNull())
                break;
            text.append(c);
        }
        return text;
    }
    if (data.startsWith(QLatin1String("hex(4):"))) {
        const auto bytes = hexBytes(data.mid(7));
        if (!bytes || bytes->size() != 4)
            return std::nullopt;
        const auto* b = reinterpret_cast<const uchar*>(bytes->constData());
        return quint32(b[0] | b[1] << 8 | b[2] << 16 | quint32(b[3]) << 24);
    }
    return std::nullopt;
}

QString escaped(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return out;
}

bool hasControlCharacters(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

/// A text with line breaks cannot stand between quotes; it is written as the UTF-16 bytes of REG_SZ.
QString hexText(const QString& text) {
    QStringList parts;
    for (QChar c : text + QChar(0)) {
        parts << QStringLiteral("%1").arg(c.unicode() & 0xFF, 2, 16, QLatin1Char('0'))
              << QStringLiteral("%1").arg(c.unicode() >> 8, 2, 16, QLatin1Char('0'));
    }
    return QStringLiteral("hex(1):") + parts.join(QLatin1Char(','));
}

/// A key path a registry can hold: at most 512 levels of names of at most 255 characters. Deeper or
/// longer ones come only from a damaged file, and creating their every level would take long.
bool fitsRegistry(const QString& path) {
    constexpr qsizetype kMostLevels = 512;
    constexpr qsizetype kLongestName = 255;
    qsizetype levels = 0;
    for (const QStringView name : QStringView(path).tokenize(QLatin1Char('\\'))) {
        if (++levels > kMostLevels || name.size() > kLongestName)
            return false;
    }
    return true;
}

} // namespace

namespace RegistryFile {

Parsed parse(const QByteArray& bytes) {
    Parsed parsed;
    const QStringList lines = decode(bytes).split(QLatin1Char('\n'));
    QString key;
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // Hex data may run over several lines, each but the last ending in a backslash. Appended in
        // place: a file of many such lines must not take quadratic time.
        if (line.contains(QLatin1String("=hex"))) {
            while (line.endsWith(QLatin1Char('\\')) && i + 1 < lines.size()) {
                line.chop(1);
                line += QStringView(lines[++i]).trimmed();
            }
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
            continue;
        if (!headerSeen && (trimmed == kHeader5 || trimmed == kHeader4)) {
            headerSeen = true;
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('['))) {
            const bool good = trimmed.endsWith(QLatin1Char(']')) && trimmed.size() > 2 &&
                              trimmed[1] != QLatin1Char('-') && fitsRegistry(trimmed.mid(1, trimmed.size() - 2));
            key = good ? trimmed.mid(1, trimmed.size() - 2) : QString();
            if (good)
                parsed.data.createKey(key);
            else
                parsed.badLines.append(lineNo);
            continue;
        }
        QString name;
        const qsizetype afterName = trimmed.startsWith(QLatin1Char('"')) ? readQuoted(trimmed, 0, name) : -1;
        const bool hasEquals = afterName > 0 && afterName < trimmed.size() && trimmed[afterName] == QLatin1Char('=');
        const auto value = hasEquals ? parseData(trimmed.mid(afterName + 1)) : std::nullopt;
        if (key.isEmpty() || !value) {
            parsed.badLines.append(lineNo);
            continue;
        }
        parsed.data.setValue(key, name, *value);
    }
    return parsed;
}

QByteArray serialize(const RegistryData& data) {
    QString out = kHeader5 + QStringLiteral("\r\n\r\n");
    for (const auto& key : data.keys()) {
        out += QLatin1Char('[') + key.path + QStringLiteral("]\r\n");
        for (const auto& entry : key.entries) {
            out += QLatin1Char('"') + escaped(entry.name) + QStringLiteral("\"=");
            if (const auto* number = std::get_if<quint32>(&entry.value))
                out += QStringLiteral("dword:%1").arg(*number, 8, 16, QLatin1Char('0'));
            // A stored text ends at its first NUL, as a REG_SZ does when it is read.
            else if (const QString text = std::get<QString>(entry.value).section(QChar(0), 0, 0);
                     hasControlCharacters(text))
                out += hexText(text);
            else
                out += QLatin1Char('"') + escaped(text) + QLatin1Char('"');
            out += QStringLiteral("\r\n");
        }
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace RegistryFile

RegistryFileStore::RegistryFileStore(const QString& path) : m_path(path) {}

void RegistryFileStore::load() {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_data = {};
        m_needsBackup = file.exists();
        return;
    }
    auto parsed = RegistryFile::parse(file.readAll());
    m_data = std::move(parsed.data);
    m_needsBackup = !parsed.badLines.isEmpty();
}

bool RegistryFileStore::save() {
    if (m_needsBackup && QFile::exists(m_path)) {
        const QString backup = m_path + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::copy(m_path, backup))
            return false;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    // Unbuffered, so that a write cut short (a full disk) shows in its count: QSaveFile's own
    // buffered flush lets it pass and would put a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = RegistryFile::serialize(m_data);
    if (file.write(bytes) != bytes.size())
        file.cancelWriting();
    if (!file.commit())
        return false;
    m_needsBackup = false;
    return true;
}
