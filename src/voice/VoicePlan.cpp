#include "voice/VoicePlan.h"

#include <algorithm>

std::optional<VoicePlan> PlanVoiceCq(int durationMs, int onIndex, int offIndex, int cqSec, int cqLimit, bool repeat) {
    const int cuts = (onIndex + offIndex) * 100;
    if (durationMs <= 0 || durationMs <= cuts)
        return std::nullopt;
    VoicePlan plan;
    plan.transmitMs = durationMs - cuts;
    plan.watchMs = std::max(0, (cqSec * 10 - onIndex) * 100);
    plan.count = repeat ? cqLimit : 1;
    plan.transmitText = QString::asprintf("TX ( %d.%03d Sec )", plan.transmitMs / 1000, plan.transmitMs % 1000);
    plan.watchText = QString::asprintf("Watch ( %d - %d.%d Sec )", cqSec, onIndex / 10, onIndex % 10);
    return plan;
}

QString VoiceCountText(int done, int total) {
    return QString::asprintf("Count ( %2d / %-2d Times )", done, total);
}
