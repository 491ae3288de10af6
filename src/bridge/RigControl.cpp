#include "bridge/RigControl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHighestHz = 1e12;

} // namespace

std::optional<RigReading> RigReadingOf(double hz, const char* mode) {
    // A garbled answer may be any double; converting one out of range would be undefined.
    if (!(hz >= 0.5) || hz > kHighestHz)
        return std::nullopt;
    QString name = QString::fromLatin1(mode);
    // A line end would move the lines of the "LOGDT" block the mode goes into.
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
        name.clear();
    return RigReading{std::llround(hz), name};
}

QString FrequencyText(qint64 hz) {
    return QString::asprintf("%.5f", double(hz) / 1e6);
}

std::optional<qint64> FrequencyHz(const QString& megahertz) {
    bool ok = false;
    const double hz = megahertz.trimmed().toDouble(&ok) * 1e6;
    // Above 1 THz no rig is tuned, and the hertz would leave the range of qint64 long before.
    if (!ok || !(hz >= 0.5) || hz > kHighestHz)
        return std::nullopt;
    return qint64(std::llround(hz));
}
