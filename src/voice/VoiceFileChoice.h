#pragma once

#include "platform/FileDialogs.h"

/// The file selection of a voice row: the dialog's request, titled with what the row's file holds.
struct VoiceFileChoice {
    QString path; ///< the row's file before the choice
    QString info; ///< WaveInfo's text of it; empty without a path
    FileOpenRequest request;
};

VoiceFileChoice VoiceFileChoiceFor(const QString& currentPath);

/// A chosen file resets the row's cut lists when it is another file, or the same file holding
/// something else now: cuts made for one recording mean nothing for another.
bool ChosenFileResetsCuts(const VoiceFileChoice& before, const QString& chosen);
