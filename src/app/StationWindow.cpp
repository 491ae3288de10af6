#include "app/StationWindow.h"

#include "app/CMainFrame.h"
#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "platform/MessageBoxes.h"
#include "platform/RegistryFile.h"
#include "screen/LinkScreen.h"
#include "settings/ConfigDialog.h"
#include "settings/LineRules.h"
#include "settings/PageDialog.h"
#include "settings/PageSettings.h"
#include "settings/SettingsStore.h"

#include <QDir>

StationWindow::StationWindow(Settings& settings, KeyerState& state, RegistryFileStore& file,
                             const CTarvoFormView::Devices& devices)
    : m_settings(settings), m_state(state), m_file(file), m_devices(devices) {}

StationWindow::~StationWindow() = default;

void StationWindow::open() {
    m_file.load();
    SettingsStore store(m_file.data());
    LoadContents(m_settings, store);
    LoadDesktop(m_settings, store);
    PageDialog dialog(LoadDialog146(), PageDialogDataOf(m_settings));
    dialog.exec();
    TakePageDialogData(m_settings, dialog.data());
    UseChosenPage(m_settings, store);

    m_frame = std::make_unique<CMainFrame>(m_settings, m_state);
    m_frame->setCloseHook([this](int wpm) { closeDown(wpm); });
    m_frame->setConfigCommand([this] { configure(); });
    m_frame->setView(new CTarvoFormView(m_settings, m_state, *m_frame, m_devices, m_frame.get()));
    m_frame->view()->setZoom(m_settings.desktopZoom);
    // Within the screen's limits: the form never gets smaller than at its zoom.
    if (m_settings.desktopWidth > 0 && m_settings.desktopHeight > 0)
        m_frame->resize(m_settings.desktopWidth, m_settings.desktopHeight);
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
}

void StationWindow::configure() {
    // The menu is off during a transmission; the tones and the port are the keying's then.
    if (m_state.onAir())
        return;
    m_devices.sidetone.CloseSidetone();
    const int comBefore = m_settings.COM;
    const int closeBefore = m_settings.chk_CLOSE;
    ConfigDialog dialog(m_settings, m_frame.get());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    CTarvoFormView* view = m_frame->view();
    if (accepted) {
        view->link().StartStopLink(false);
        view->link().StartStopLink(true);
    }
    if (PortMustClose(comBefore, closeBefore, m_settings))
        m_devices.lines.ClosePort();
    m_devices.sidetone.BuildSidetone();
    view->refreshLinkControls();
}

void StationWindow::closeDown(int wpm) {
    PageDialog dialog(SaveDialog145(), PageDialogDataOf(m_settings), m_frame.get());
    dialog.exec();
    TakePageDialogData(m_settings, dialog.data());
    SettingsStore store(m_file.data());
    StoreChosenPage(m_settings, store, wpm);
    // The window's size is the desktop's, kept whatever page the settings went to.
    m_settings.desktopWidth = m_frame->width();
    m_settings.desktopHeight = m_frame->height();
    m_settings.desktopZoom = m_frame->view()->zoom();
    SaveDesktop(m_settings, store);
    // The old file is still there whole; what this run changed would be lost without a word.
    if (!m_file.save())
        m_devices.boxes.error(QStringLiteral("Settings write error        \n%1 could not be written; the settings "
                                             "of this run are not kept.")
                                  .arg(QDir::toNativeSeparators(m_file.path())));
    m_devices.lines.ClosePort();
}
