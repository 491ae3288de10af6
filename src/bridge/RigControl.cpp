#include "bridge/RigControl.h"

#include <cmath>

QString FrequencyText(qint64 hz) {
    return QString::asprintf("%.5f", double(hz) / 1e6);
}

std::optional<qint64> FrequencyHz(const QString& megahertz) {
    bool ok = false;
    const double mhz = megahertz.trimmed().toDouble(&ok);
    // Above 1 THz no rig is tuned, and the hertz would leave the range of qint64 long before.
    if (!ok || !(mhz > 0) || mhz > 1e6)
        return std::nullopt;
    return qint64(std::llround(mhz * 1e6));
}
