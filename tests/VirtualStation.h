#pragma once

#include "keyer/KeyerState.h"
#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/VirtualKeyingEngine.h"
#include "link/StationLink.h"
#include "log/CsvLog.h"
#include "platform/KeyStateFilter.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingAudioOut.h"
#include "platform/RecordingSerialPort.h"
#include "platform/UdpSocket.h"
#include "platform/VirtualClock.h"
#include "screen/CTarvoFormView.h"
#include "settings/Settings.h"
#include "templates/TemplateTokens.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>

/// Everything the operating screen works with, on virtual devices: a clock that advances at once,
/// a recording serial port and audio output, recorded message boxes, a log in a temporary folder,
/// the real key state fed by the application's events, and a link that binds to 127.0.0.1 only.
struct VirtualStation {
    VirtualStation() { qApp->installEventFilter(&keys); }
    ~VirtualStation() { qApp->removeEventFilter(&keys); }

    CTarvoFormView::Devices devices() { return {clock, keys, lines, engine, sidetone, tokens, link, boxes, log}; }

    /// The KEY line as alternating periods between its changes: "+60" down 60 ms, "-180" up 180 ms.
    QStringList keyPeriods() const {
        QStringList out;
        bool level = false;
        qint64 since = -1;
        for (const auto& c : port.changes()) {
            if (c.line != RecordingSerialPort::Line::Dtr || c.on == level)
                continue;
            if (since >= 0)
                out.append(QStringLiteral("%1%2").arg(level ? '+' : '-').arg((c.atUs - since) / 1000));
            level = c.on;
            since = c.atUs;
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
};
