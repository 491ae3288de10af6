#include "settings/ComDeviceText.h"

#include "platform/ComDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr int kComNumbers = 99;

QString shortPath(const QString& path) {
    const QString home = QDir::homePath() + QLatin1Char('/');
    return path.startsWith(home) ? QStringLiteral("~/") + path.mid(home.size()) : path;
}

QString stateText(const ComDeviceCheck& check) {
    switch (check.state) {
    case ComDeviceCheck::Ready:
        return QStringLiteral("ready.");
    case ComDeviceCheck::Missing:
        return QStringLiteral("not present.");
    case ComDeviceCheck::NotSerial:
        return QStringLiteral("not a serial device.");
    case ComDeviceCheck::NoPort:
        return QStringLiteral("no serial port answers there.");
    case ComDeviceCheck::NoAccess:
        return QStringLiteral("not allowed for you; join the group %1 (sudo usermod -aG %1 $USER, then log in again).")
            .arg(check.group);
    }
    return {};
}

QString deviceLine(int com, const QString& sysClassTty) {
    const ComDevice device = ResolveComDevice(com);
    QString line = QStringLiteral("COM%1 is %2").arg(com).arg(device.shown);
    if (!device.link.isEmpty())
        line += QStringLiteral(" (linked from %1)").arg(shortPath(device.link));
    return line + QStringLiteral(": ") + stateText(CheckComDevice(device, sysClassTty));
}

/// The COM numbers whose links lead to the adapter.
QStringList comsOf(const QString& adapter) {
    const QString target = QFileInfo(adapter).canonicalFilePath();
    QStringList coms;
    for (int n = 1; n <= kComNumbers && !target.isEmpty(); ++n) {
        const ComDevice device = ResolveComDevice(n);
        if (!device.link.isEmpty() && QFileInfo(device.link).canonicalFilePath() == target)
            coms.append(QStringLiteral("COM%1").arg(n));
    }
    return coms;
}

} // namespace

QString ComDeviceText(int com, const QString& devRoot, const QString& sysClassTty) {
    QStringList lines{deviceLine(com, sysClassTty)};
    const QStringList adapters = FindSerialAdapters(devRoot);
    if (adapters.isEmpty()) {
        lines.append(QStringLiteral("No USB serial adapter is plugged in."));
        return lines.join(QLatin1Char('\n'));
    }
    lines.append(QStringLiteral("USB serial adapters plugged in:"));
    const QString chosen = QStringLiteral("COM%1").arg(com);
    bool chosenIsAdapter = false;
    QString suggestion; // an adapter no COM number leads to yet, else the first
    for (const QString& adapter : adapters) {
        const QStringList coms = comsOf(adapter);
        lines.append(coms.isEmpty() ? adapter : QStringLiteral("%1 (%2)").arg(adapter, coms.join(QLatin1String(", "))));
        chosenIsAdapter = chosenIsAdapter || coms.contains(chosen);
        if (coms.isEmpty() && suggestion.isEmpty())
            suggestion = adapter;
    }
    if (!chosenIsAdapter) {
        const QString link = QDir(ComLinkFolder()).filePath(chosen);
        lines.append(QStringLiteral("To key through one as %1: mkdir -p %2 && ln -sf %3 %4")
                         .arg(chosen, shortPath(ComLinkFolder()), suggestion.isEmpty() ? adapters.first() : suggestion,
                              shortPath(link)));
    }
    return lines.join(QLatin1Char('\n'));
}
