#include "log/LogFileAppend.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>

namespace {

bool readAt(int fd, char* data, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

bool endsWith(int fd, qint64 size, const QByteArray& tail) {
    if (size < tail.size())
        return false;
    QByteArray bytes(tail.size(), '\0');
    return readAt(fd, bytes.data(), bytes.size(), size - bytes.size()) && bytes == tail;
}

// Every value is quoted and every quote inside one is doubled, so an odd count of quotes means the
// file stops inside a value. Read in pieces: this runs only after a cut, on a file of any size.
bool endsInsideQuotes(int fd, qint64 whole, LogEncoding encoding) {
    const QByteArray quote = EncodeLogText(QStringLiteral("\""), encoding);
    QByteArray chunk(64 * 1024, '\0');
    bool inside = false;
    for (qint64 at = 0; at < whole;) {
        const qint64 n = std::min<qint64>(chunk.size(), whole - at);
        if (!readAt(fd, chunk.data(), n, at))
            return false;
        for (qint64 i = 0; i < n; i += quote.size()) {
            if (std::memcmp(chunk.constData() + i, quote.constData(), size_t(quote.size())) == 0)
                inside = !inside;
        }
        at += n;
    }
    return inside;
}

// What puts a cut-off file back at the start of a record: the missing bytes of a UTF-16 unit, a
// quote that closes an open value, and a line end.
QByteArray mendForCutEnd(int fd, qint64 size, LogEncoding encoding) {
    const QByteArray lineEnd = EncodeLogText(QStringLiteral("\r\n"), encoding);
    const int unit = LogUnitSize(encoding);
    const qint64 partial = size % unit;
    if (partial == 0 && endsWith(fd, size, lineEnd))
        return {};
    QByteArray mend(partial == 0 ? 0 : unit - partial, '\0');
    if (endsInsideQuotes(fd, size - partial, encoding))
        mend += EncodeLogText(QStringLiteral("\""), encoding);
    return mend + lineEnd;
}

} // namespace

AppendOutcome AppendToLogFile(const QString& path, LogEncoding encoding, const QString& header,
                              const QString& records) {
    AppendOutcome outcome;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        outcome.openFailed = true;
        return outcome;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        outcome.writeFailed = true;
    } else {
        // An empty file is one created just before a crash: it still needs its header.
        QByteArray data =
            status.st_size == 0 ? EncodeLogText(header, encoding) : mendForCutEnd(fd, status.st_size, encoding);
        data += EncodeLogText(records, encoding);
        if (!writeAll(fd, data)) {
            outcome.writeFailed = true;
            // Should taking back the cut write fail too, the next append mends the end.
            if (S_ISREG(status.st_mode))
                std::ignore = ::ftruncate(fd, status.st_size);
        }
    }
    if (::close(fd) != 0)
        outcome.closeFailed = true;
    return outcome;
}
