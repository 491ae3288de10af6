#pragma once

#include "app/CommandLine.h"
#include "keyer/KeyerState.h"
#include "keyer/KeyingLines.h"
#include "link/StationLink.h"
#include "log/CsvLog.h"
#include "log/LogFolder.h"
#include "platform/EventLoopClock.h"
#include "platform/PortAudioOut.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBoxes.h"
#include "platform/RegistryFile.h"
#include "platform/TtySerialPort.h"
#include "settings/Settings.h"
#include "templates/TemplateTokens.h"

#include <QApplication>

#include <memory>

class KeyStateFilter;
class SidetoneGenerator;
class StationWindow;
class ThreadKeyingEngine;
class VoicePlayer;

/// The application object: the command-line options, the settings, the devices and the window.
class TarvoApp : public QApplication {
    Q_OBJECT
public:
    TarvoApp(int& argc, char** argv);
    ~TarvoApp() override;

    /// Reads the options, asks for the page and shows the window; false when the program must end.
    bool start();

private:
    AudioOptions m_options;
    KeyStateFilter* m_keys;
    Settings m_settings;
    KeyerState m_state;
    RegistryFileStore m_file;
    EventLoopClock m_clock;
    TtySerialPort m_port;
    QtMessageBoxes m_boxes;
    KeyingLines m_lines{m_port, m_settings, m_boxes};
    PortAudioOut m_audio;
    PortAudioOut m_voiceAudio;
    QtFileDialogs m_files;
    std::unique_ptr<SidetoneGenerator> m_sidetone;
    std::unique_ptr<VoicePlayer> m_voice;
    std::unique_ptr<ThreadKeyingEngine> m_engine;
    TemplateTokens m_tokens{m_settings};
    StationLink m_link{m_settings, m_state};
    CsvLog m_log{m_settings, m_boxes, LogFolder()};
    std::unique_ptr<StationWindow> m_window;
};
