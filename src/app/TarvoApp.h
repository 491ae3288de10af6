#pragma once

#include "app/CommandLine.h"

#include <QApplication>

#include <memory>

class QMainWindow;
class KeyStateFilter;

/// The application object: the command-line options, the key state and the window.
class TarvoApp : public QApplication {
    Q_OBJECT
public:
    TarvoApp(int& argc, char** argv);
    ~TarvoApp() override;

    /// Reads the options and shows the window; false when the program must end at once.
    bool start();
    const AudioOptions& audioOptions() const { return m_options; }

private:
    AudioOptions m_options;
    KeyStateFilter* m_keys;
    std::unique_ptr<QMainWindow> m_window;
};
