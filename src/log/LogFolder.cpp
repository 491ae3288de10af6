#include "log/LogFolder.h"

#include <QDir>
#include <QStandardPaths>

QString LogFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = QDir(data).filePath(QStringLiteral("Zorvik/Tarvo"));
    // A folder that cannot be made shows up as an open error at the first line end.
    QDir().mkpath(folder);
    return folder;
}
