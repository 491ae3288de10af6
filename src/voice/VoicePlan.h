#pragma once

#include <QString>

#include <optional>

/// What one voice CQ will do: its times in milliseconds and the texts over its bars.
struct VoicePlan {
    int transmitMs = 0; ///< T: the file's time less the on and off cuts
    int watchMs = 0;    ///< W: the pause between calls, 0 when the on cut eats it
    int count = 1;      ///< N: calls in all
    QString transmitText;
    QString watchText;
};

/// Nothing when the file has no duration or the cuts (index × 100 ms each) leave nothing to send.
std::optional<VoicePlan> PlanVoiceCq(int durationMs, int onIndex, int offIndex, int cqSec, int cqLimit, bool repeat);

/// "Count ( %2d / %-2d Times )"; with done 0 it is the text shown before the first call.
QString VoiceCountText(int done, int total);
