#pragma once

#include <QString>

#include <optional>

/// What the rig is tuned to.
struct RigReading {
    qint64 hz = 0;
    QString mode; ///< Hamlib's name of it: "CW", "USB", …
    bool operator==(const RigReading&) const = default;
};

/// The rig, opened when it is first needed and again after it stopped answering.
class RigControl {
public:
    virtual ~RigControl() = default;
    /// Nothing when the rig does not answer.
    virtual std::optional<RigReading> read() = 0;
    /// Tunes the rig, and sets the mode when it is one the rig control knows; false when the rig did
    /// not take the frequency.
    virtual bool tune(qint64 hz, const QString& mode) = 0;
};

/// What Hamlib read from the rig, in hertz and its mode's name: nothing when the frequency does not
/// round to a hertz or more, up to 1 THz. A name holding control characters counts as no mode.
std::optional<RigReading> RigReadingOf(double hz, const char* mode);

/// The frequency as Tarvo's display writes it: MHz with five decimals.
QString FrequencyText(qint64 hz);
/// "7.02501" in Hz, rounded to the hertz; nothing when that is not between 1 Hz and 1 THz.
std::optional<qint64> FrequencyHz(const QString& megahertz);
