#include "platform/ComDevice.h"

#include <QDir>
#include <QFileInfo>

QString ComLinkFolder() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(config).filePath(QStringLiteral("Zorvik/Tarvo"));
}

ComDevice ResolveComDevice(int com) {
    const QString link = QDir(ComLinkFolder()).filePath(QStringLiteral("COM%1").arg(com));
    const QFileInfo info(link);
    if (!info.isSymLink()) {
        const QString tty = QStringLiteral("/dev/ttyS%1").arg(com - 1);
        return {tty, tty, {}};
    }
    // A link whose device is unplugged still names where it should lead.
    const QString target = info.canonicalFilePath();
    return {link, target.isEmpty() ? info.symLinkTarget() : target, link};
}
