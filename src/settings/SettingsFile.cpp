#include "settings/SettingsFile.h"

#include <QDir>
#include <QStandardPaths>

QString SettingsFilePath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Zorvik/Tarvo.reg"));
}
