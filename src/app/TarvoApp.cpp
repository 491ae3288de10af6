#include "app/TarvoApp.h"

#include "app/CMainFrame.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/ThreadKeyingEngine.h"
#include "platform/KeyStateFilter.h"
#include "screen/CTarvoFormView.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"

TarvoApp::TarvoApp(int& argc, char** argv)
    : QApplication(argc, argv), m_keys(new KeyStateFilter(this)), m_file(SettingsFilePath()) {
    setOrganizationName(QStringLiteral("Zorvik"));
    setApplicationName(QStringLiteral("Tarvo"));
    installEventFilter(m_keys);
}

TarvoApp::~TarvoApp() {
    m_frame.reset();
    m_engine.reset();
    if (m_sidetone)
        m_sidetone->CloseSidetone();
}

bool TarvoApp::start() {
    m_options = ParseCommandLine(JoinCommandLine(arguments()));
    loadSettings();
    const ToneShape shape{m_options.sampleRate, m_options.toneHz, m_options.gain};
    m_sidetone = std::make_unique<SidetoneGenerator>(m_audio, m_settings, shape, m_options.waveDevice);
    m_engine = std::make_unique<ThreadKeyingEngine>(m_clock, m_port, *m_sidetone);

    m_frame = std::make_unique<CMainFrame>(m_settings, m_state);
    m_boxes.setParent(m_frame.get());
    m_frame->setCloseHook([this](int wpm) {
        saveSettings(wpm);
        m_lines.ClosePort();
    });
    auto* view = new CTarvoFormView(
        m_settings, m_state, *m_frame,
        {m_clock, *m_keys, m_lines, *m_engine, *m_sidetone, m_tokens, m_link, m_boxes, m_log}, m_frame.get());
    m_frame->setView(view);
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
    return true;
}

// Until the page dialogs exist, the stored page is used and the close saves back to it.
void TarvoApp::loadSettings() {
    m_file.load();
    SettingsStore store(m_file.data());
    LoadContents(m_settings, store);
    m_settings.page = m_settings.Select >= 1 && m_settings.Select <= kDefaultPage ? m_settings.Select : 1;
    m_settings.Select = m_settings.page;
    m_settings.currentTitle = m_settings.Title[m_settings.page - 1];
    m_settings.currentMYCALL = m_settings.MYCALL[m_settings.page - 1];
    m_settings.currentMYQTH = m_settings.MYQTH[m_settings.page - 1];
    if (m_settings.page != kDefaultPage)
        LoadPageSettings(m_settings, store);
}

void TarvoApp::saveSettings(int wpm) {
    SettingsStore store(m_file.data());
    SaveContents(m_settings, store);
    if (m_settings.page != kDefaultPage)
        SavePageSettings(m_settings, store, wpm);
    m_file.save();
}
