#include "app/TarvoApp.h"

#include "platform/KeyStateFilter.h"

#include <QLabel>
#include <QMainWindow>

TarvoApp::TarvoApp(int& argc, char** argv) : QApplication(argc, argv), m_keys(new KeyStateFilter(this)) {
    setOrganizationName(QStringLiteral("Zorvik"));
    setApplicationName(QStringLiteral("Tarvo"));
    installEventFilter(m_keys);
}

TarvoApp::~TarvoApp() = default;

bool TarvoApp::start() {
    m_options = ParseCommandLine(JoinCommandLine(arguments()));

    m_window = std::make_unique<QMainWindow>();
    m_window->setWindowTitle(QStringLiteral("Tarvo"));
    auto* label = new QLabel(QStringLiteral("Tarvo v1.00"));
    label->setAlignment(Qt::AlignCenter);
    m_window->setCentralWidget(label);
    m_window->resize(480, 240);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}
