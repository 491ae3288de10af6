#include "voice/VoiceFileChoice.h"

#include "resources/Dialog134.h"
#include "voice/WaveFile.h"

namespace {

const QString kTitle = QStringLiteral("Selection of voice file");
const QString kOpenError = QStringLiteral("open error");

} // namespace

VoiceFileChoice VoiceFileChoiceFor(const QString& currentPath) {
    VoiceFileChoice choice;
    choice.path = currentPath;
    if (!currentPath.isEmpty())
        choice.info = WaveInfo(currentPath).text;
    FileOpenRequest& r = choice.request;
    r.title = currentPath.isEmpty() || choice.info == kOpenError ? kTitle : kTitle + " (" + choice.info + ")";
    r.nameFilters = NameFiltersOf(QString::fromLatin1(VoiceCtl::kFileFilter));
    r.defaultSuffix = QString::fromLatin1(VoiceCtl::kFileSuffix);
    r.directory = currentPath.left(currentPath.lastIndexOf(QLatin1Char('/')) + 1);
    r.fileName = currentPath;
    return choice;
}

bool ChosenFileResetsCuts(const VoiceFileChoice& before, const QString& chosen) {
    return chosen != before.path || WaveInfo(chosen).text != before.info;
}
