#include "platform/ComDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

QString groupOf(gid_t gid) {
    const group* g = ::getgrgid(gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(gid);
}

// The 8250 driver makes ttyS0..3 whether or not a UART answers; "type" 0 says none does.
bool uartMissing(const QString& name, const QString& sysClassTty) {
    QFile type(QDir(sysClassTty).filePath(name + QStringLiteral("/type")));
    if (!type.open(QIODevice::ReadOnly))
        return false;
    return type.readAll().trimmed() == "0";
}

} // namespace

ComDeviceCheck CheckComDevice(const ComDevice& device, const QString& sysClassTty) {
    const QByteArray path = QFile::encodeName(device.path);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return {ComDeviceCheck::Missing, {}};
    if (!S_ISCHR(st.st_mode))
        return {ComDeviceCheck::NotSerial, {}};
    const QString name = QFileInfo(QFileInfo(device.path).canonicalFilePath()).fileName();
    if (name.startsWith(QLatin1String("ttyS")) && uartMissing(name, sysClassTty))
        return {ComDeviceCheck::NoPort, {}};
    // With the effective ids, as the open will be made.
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0)
        return {ComDeviceCheck::NoAccess, groupOf(st.st_gid)};
    return {ComDeviceCheck::Ready, {}};
}

QStringList FindSerialAdapters(const QString& devRoot) {
    const QDir byId(QDir(devRoot).filePath(QStringLiteral("serial/by-id")));
    QStringList found;
    for (const QFileInfo& entry : byId.entryInfoList(QDir::System | QDir::Files, QDir::Name))
        found.append(entry.absoluteFilePath());
    if (!found.isEmpty())
        return found;
    const QDir dev(devRoot);
    for (const QFileInfo& entry : dev.entryInfoList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                                    QDir::System | QDir::Files, QDir::Name))
        found.append(entry.absoluteFilePath());
    return found;
}
