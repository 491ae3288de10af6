#include "app/TarvoApp.h"

#include "app/CMainFrame.h"
#include "app/StationWindow.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/ThreadKeyingEngine.h"
#include "platform/KeyStateFilter.h"
#include "screen/CTarvoFormView.h"
#include "settings/SettingsFile.h"
#include "voice/VoicePlayer.h"

TarvoApp::TarvoApp(int& argc, char** argv)
    : QApplication(argc, argv), m_keys(new KeyStateFilter(this)), m_file(SettingsFilePath()) {
    setOrganizationName(QStringLiteral("Zorvik"));
    setApplicationName(QStringLiteral("Tarvo"));
    installEventFilter(m_keys);
}

TarvoApp::~TarvoApp() {
    m_window.reset();
    m_voice.reset();
    m_engine.reset();
    if (m_sidetone)
        m_sidetone->CloseSidetone();
}

bool TarvoApp::start() {
    m_options = ParseCommandLine(JoinCommandLine(arguments()));
    m_settings.viewFocusFreq = m_options.viewFocusFreq;
    const ToneShape shape{m_options.sampleRate, m_options.toneHz, m_options.gain};
    m_sidetone = std::make_unique<SidetoneGenerator>(m_audio, m_settings, shape, m_options.waveDevice);
    m_engine = std::make_unique<ThreadKeyingEngine>(m_clock, m_port, *m_sidetone);
    m_voice = std::make_unique<VoicePlayer>(m_voiceAudio, m_options.waveDevice);
    m_window =
        std::make_unique<StationWindow>(m_settings, m_state, m_file,
                                        CTarvoFormView::Devices{m_clock, *m_keys, m_lines, *m_engine, *m_sidetone,
                                                                m_tokens, m_link, m_boxes, m_log, *m_voice, m_files});
    m_window->open();
    m_boxes.setParent(&m_window->frame());
    m_files.setParent(&m_window->frame());
    return true;
}
