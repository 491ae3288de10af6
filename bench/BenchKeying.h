#pragma once

// What the benchmarks share: the text they key, its timeline on virtual time, and the figures of a
// timeline keyed in real time against it.

#include "keyer/KeyingEngine.h"
#include "platform/Clock.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPlainTextEdit;
class RecordingSerialPort;
class SerialPort;
class SidetoneOutput;

inline const QString kBenchText = QStringLiteral("CQ TEST DE TRV/PC 5NN 599 QTH? R=73, TU. (OK) +/- @ 12 K 0 9");
inline constexpr int kBenchWpm = 50;

using EngineFactory = std::function<std::unique_ptr<KeyingEngine>(SerialPort&, SidetoneOutput&)>;

/// Keys kBenchText at kBenchWpm on clock with a bare sender, echoing into area when there is one;
/// returns the moments the KEY line changed, then the moment the send returned.
std::vector<qint64> KeyOnce(Clock& clock, const EngineFactory& makeEngine, QPlainTextEdit* area,
                            qint64 lineLatencyUs = 0);

/// The moments the KEY line (DTR) changed on port.
std::vector<qint64> KeyMoments(const RecordingSerialPort& port);

struct KeyingFigures {
    size_t periods = 0;
    double medianMs = 0, p99Ms = 0, maxMs = 0, meanSignedMs = 0, cpuPercent = 0;
};

/// How far each period between two moments of real strays from the same period of nominal; no
/// periods when the two differ in their number of moments.
KeyingFigures CompareTimelines(const std::vector<qint64>& real, const std::vector<qint64>& nominal);

/// User and system CPU time of the process so far.
double CpuSeconds();

void PrintKeying(const char* label, const KeyingFigures& f);

/// The machine's own floor: how late a bare real-time thread wakes here, printed.
void PrintWakeFloor(int wakes);
