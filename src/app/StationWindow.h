#pragma once

#include "screen/CTarvoFormView.h"

#include <memory>

class CMainFrame;
class RegistryFileStore;
struct KeyerState;
struct Settings;

/// The main window and what stands around it: the load dialog of the parameter pages before it
/// opens, the configuration command while it runs, the save dialog as it closes.
class StationWindow {
public:
    StationWindow(Settings& settings, KeyerState& state, RegistryFileStore& file,
                  const CTarvoFormView::Devices& devices);
    ~StationWindow();

    /// Reads the settings file, asks for the page to load and shows the window on it.
    void open();
    CMainFrame& frame() { return *m_frame; }

private:
    void configure();
    /// The save dialog, the file, and the port released.
    void closeDown(int wpm);

    Settings& m_settings;
    KeyerState& m_state;
    RegistryFileStore& m_file;
    CTarvoFormView::Devices m_devices;
    std::unique_ptr<CMainFrame> m_frame;
};
