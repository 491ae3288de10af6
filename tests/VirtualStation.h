#pragma once

#include "keyer/KeyerState.h"
#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/VirtualKeyingEngine.h"
#include "link/StationLink.h"
#include "log/CsvLog.h"
#include "platform/FileDialogs.h"
#include "platform/KeyStateFilter.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingAudioOut.h"
#include "platform/RecordingSerialPort.h"
#include "platform/UdpSocket.h"
#include "platform/VirtualClock.h"
#include "screen/CTarvoFormView.h"
#include "settings/Settings.h"
#include "templates/TemplateTokens.h"
#include "voice/VoicePlayer.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>

/// Everything the operating screen works with, on virtual devices: a clock that advances at once,
/// a recording serial port and audio outputs, recorded message and file dialogs, a log in a temporary folder,
/// the real key state fed by the application's events, and a link that binds to 127.0.0.1 only.
struct VirtualStation {
    VirtualStation() { qApp->installEventFilter(&keys); }
    ~VirtualStation() { qApp->removeEventFilter(&keys); }

    CTarvoFormView::Devices devices() {
        return {clock, keys, lines, engine, sidetone, tokens, link, boxes, log, voice, files};
    }

    /// A line as alternating periods between its changes: "+60" up 60 ms, "-180" down 180 ms.
    QStringList linePeriods(RecordingSerialPort::Line line) const {
        QStringList out;
        bool level = false;
        qint64 since = -1;
        for (const auto& c : port.changes()) {
            if (c.line != line || c.on == level)
                continue;
            if (since >= 0)
                out.append(QStringLiteral("%1%2").arg(level ? '+' : '-').arg((c.atUs - since) / 1000));
            level = c.on;
            since = c.atUs;
        }
        return out;
    }
    /// The KEY line (DTR) as alternating periods.
    QStringList keyPeriods() const { return linePeriods(RecordingSerialPort::Line::Dtr); }
    /// Moments (ms after fromUs) at which a line went up.
    QList<qint64> lineRises(RecordingSerialPort::Line line, qint64 fromUs) const {
        QList<qint64> out;
        bool level = false;
        for (const auto& c : port.changes()) {
            if (c.line != line || c.on == level)
                continue;
            level = c.on;
            if (c.on)
                out.append((c.atUs - fromUs) / 1000);
        }
        return out;
    }

    Settings settings;
    KeyerState state;
    VirtualClock clock;
    KeyStateFilter keys;
    RecordingSerialPort port{clock};
    RecordingMessageBoxes boxes;
    KeyingLines lines{port, settings, boxes};
    RecordingAudioOut audio;
    SidetoneGenerator sidetone{audio, settings, ToneShape{}, -1};
    VirtualKeyingEngine engine{clock, port, sidetone};
    TemplateTokens tokens{settings};
    StationLink link{settings, state, kLoopbackIpv4};
    QTemporaryDir logDir;
    CsvLog log{settings, boxes, logDir.path()};
    /// Voice plays on an output of its own, so that its buffers stand apart from the sidetone's.
    RecordingAudioOut voiceAudio;
    VoicePlayer voice{voiceAudio, -1};
    RecordingFileDialogs files;
};
