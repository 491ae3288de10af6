#include "app/CommandLine.h"

#include <limits>

namespace {

/// Reads a decimal number like the C library's atoi, but saturating instead of overflowing.
int readNumber(QStringView text) {
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + text[i].digitValue();
        if (value > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return int(negative ? -value : value);
}

/// Stores the number after option into target when accept() takes it.
template <typename Accept> void readOption(const QString& lower, QLatin1String option, int& target, Accept accept) {
    const qsizetype at = lower.indexOf(option);
    if (at < 0)
        return;
    const int value = readNumber(QStringView(lower).mid(at + option.size()));
    if (accept(value))
        target = value;
}

} // namespace

AudioOptions ParseCommandLine(const QString& commandLine) {
    AudioOptions options;
    if (commandLine.isEmpty())
        return options;
    const QString lower = commandLine.toLower();
    options.viewFocusFreq = lower.contains(QLatin1String("/viewfocusfreq"));
    readOption(lower, QLatin1String("/wavedevice="), options.waveDevice, [](int v) { return v >= 0; });
    readOption(lower, QLatin1String("/tonehz="), options.toneHz, [](int v) { return v >= 200 && v <= 3000; });
    readOption(lower, QLatin1String("/srate="), options.sampleRate,
               [](int v) { return v == 8000 || v == 11025 || v == 22050 || v == 44100; });
    readOption(lower, QLatin1String("/gain="), options.gain, [](int v) { return v >= 1 && v <= 100; });
    return options;
}

QString JoinCommandLine(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}
