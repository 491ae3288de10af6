#include "app/CMainFrame.h"

#include "app/LinkMenus.h"
#include "app/VersionDialog.h"
#include "keyer/KeyerState.h"
#include "resources/Accel128.h"
#include "resources/ControlIds.h"
#include "resources/Menu128.h"
#include "screen/CTarvoFormView.h"
#include "settings/Settings.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolBar>

CMainFrame::CMainFrame(Settings& settings, KeyerState& state, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_state(state) {
    setWindowTitle(QStringLiteral("Tarvo"));
    buildMenu();
    buildCommandBar();
    connectCommands();
    RebuildCommandBar(TxHidden);
}

// The screen goes first: the focus it gives up on its way out still reaches this frame.
CMainFrame::~CMainFrame() {
    delete m_view;
}

void CMainFrame::buildMenu() {
    const QList<MenuRow>& rows = Menu128();
    QList<QMenu*> open; // the menu at each depth
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const MenuRow& row = rows[i];
        const QString text = QString::fromUtf8(row.text);
        QMenu* parent = row.depth > 0 ? open.value(row.depth - 1) : nullptr;
        if (row.command == -1) {
            parent->addSeparator();
            continue;
        }
        const bool popup = row.command == 0 && i + 1 < rows.size() && rows[i + 1].depth > row.depth;
        if (popup) {
            QMenu* menu = parent ? parent->addMenu(text) : menuBar()->addMenu(text);
            m_menus.insert(text, menu);
            open.resize(row.depth);
            open.append(menu);
            continue;
        }
        QAction* action = parent ? parent->addAction(text) : menuBar()->addAction(text);
        // Commands of parts the program does not carry yet stay visible but disabled.
        action->setEnabled(false);
        // "set Save" and "&Save" are one command; the bar's item is kept apart.
        if (row.command > 0 && row.depth == 0)
            m_barItems.insert(row.command, action);
        else if (row.command > 0 && !m_actions.contains(row.command))
            m_actions.insert(row.command, action);
    }
}

QActionGroup* CMainFrame::checkGroup(int first, int count) {
    auto* group = new QActionGroup(this);
    for (int i = 0; i < count; ++i) {
        QAction* a = m_actions.value(first + i);
        a->setCheckable(true);
        a->setEnabled(true);
        group->addAction(a);
    }
    return group;
}

void CMainFrame::buildCommandBar() {
    m_bar = addToolBar(QStringLiteral("Command bar"));
    m_bar->setObjectName(QStringLiteral("commandBar"));
    m_bar->setMovable(false);
    m_bar->setFloatable(false);
    m_bar->toggleViewAction()->setEnabled(false);

    m_wpm = new QComboBox(m_bar);
    m_wpm->setObjectName(QStringLiteral("wpmBox"));
    for (int wpm = 10; wpm <= 50; ++wpm)
        m_wpm->addItem(QStringLiteral(" %1 WPM").arg(wpm, 2));
    m_wpm->setMinimumWidth(84);
    connect(m_wpm, &QComboBox::activated, this, [this] {
        if (m_view)
            m_view->applyWpmBox();
    });
    m_bar->addWidget(m_wpm);
    m_bar->addSeparator();

    auto* greetings = new QActionGroup(this);
    const char* const names[] = {"GM", "GA", "GE"};
    for (int i = 0; i < 3; ++i) {
        m_greetings[i] = m_bar->addAction(QString::fromLatin1(names[i]));
        m_greetings[i]->setCheckable(true);
        m_greetings[i]->setObjectName(QString::fromLatin1(names[i]));
        greetings->addAction(m_greetings[i]);
        connect(m_greetings[i], &QAction::triggered, this, [this, i] { m_settings.GoodMAE = i; });
    }
    m_bar->addSeparator();
    m_tx = m_bar->addAction(QStringLiteral("TX"));
    m_tx->setObjectName(QStringLiteral("TX"));
    m_tx->setCheckable(true);
    connect(m_tx, &QAction::triggered, this, [this] {
        if (m_view)
            m_view->SendSelection();
    });
    auto* spacer = new QWidget(m_bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_bar->addWidget(spacer);
    QAction* closeBox = m_bar->addAction(QStringLiteral("\u00D7"));
    closeBox->setObjectName(QStringLiteral("closeBox"));
    closeBox->setToolTip(QStringLiteral("Close"));
    connect(closeBox, &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::connectCommands() {
    QActionGroup* ratios = checkGroup(Cmd::RatioFirst, 10);
    QActionGroup* wordSpaces = checkGroup(Cmd::Ratio2First, 10);
    connect(ratios, &QActionGroup::triggered, this, [this](QAction* a) {
        const int ratio = m_actions.key(a) - Cmd::RatioFirst;
        if (ratio == m_settings.RATIO)
            return;
        m_settings.RATIO = ratio;
        // The dash tone is built one dash long: a new dash length needs a new tone.
        if (m_view)
            m_view->rebuildSidetone();
    });
    connect(wordSpaces, &QActionGroup::triggered, this,
            [this](QAction* a) { m_settings.RATIO2 = m_actions.key(a) - Cmd::Ratio2First; });
    QAction* logging = m_actions.value(Cmd::Logging);
    QAction* utf16 = m_actions.value(Cmd::Utf16);
    QAction* ansi = m_actions.value(Cmd::Ansi);
    for (QAction* a : {logging, utf16, ansi}) {
        a->setCheckable(true);
        a->setEnabled(true);
    }
    connect(logging, &QAction::triggered, this, [this] { m_settings.Logging = m_settings.Logging ? 0 : 1; });
    connect(utf16, &QAction::triggered, this, [this] { m_settings.Ansi = 0; });
    connect(ansi, &QAction::triggered, this, [this] { m_settings.Ansi = 1; });
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCheckMarks);
    QAction* boot = m_actions.value(Cmd::BootVoice);
    boot->setCheckable(true);
    boot->setEnabled(true);
    connect(boot, &QAction::triggered, this, [this] { m_settings.Boot = m_settings.Boot ? 0 : 1; });
    QAction* voice = m_actions.value(Cmd::VoiceCq);
    voice->setEnabled(true);
    connect(voice, &QAction::triggered, this, [this] {
        if (m_view)
            m_view->onCommand(Cmd::VoiceCq);
    });
    QAction* exit = m_actions.value(Cmd::Exit);
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    for (const Accelerator& accelerator : Accel128()) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), this);
        const int command = accelerator.command;
        const auto run = [this, command] {
            if (m_view)
                m_view->onCommand(command);
        };
        connect(shortcut, &QShortcut::activated, this, run);
        // Alt+S, T and U are also the mnemonics of "&Save", "js&T" and "&Utc": the key still runs
        // the accelerator's command, which is the item's own.
        connect(shortcut, &QShortcut::activatedAmbiguously, this, run);
    }
    m_linkMenus = std::make_unique<LinkMenus>(
        m_actions, m_barItems, *m_menus.value(QStringLiteral("&RcvCW")),
        *m_menus.value(QStringLiteral("req Strings Sel\t( CTRL+SHIFT+1toD, V, R )")), m_settings);
    m_linkMenus->connectToggles([this] {
        if (m_view)
            m_view->refreshLinkControls();
    });
    m_linkMenus->connectCommands([this](int command) {
        if (m_view)
            m_view->onCommand(command);
    });
    applyLinkMenuRules();
    // Ctrl+Plus and Ctrl+Minus scale the form's font; Ctrl+0 stays Clear.
    const std::pair<QKeySequence, int> zooms[] = {
        {QKeySequence::ZoomIn, +1}, {QKeySequence(Qt::CTRL | Qt::Key_Equal), +1}, {QKeySequence::ZoomOut, -1}};
    for (const auto& [keys, direction] : zooms) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, direction = direction] {
            if (m_view)
                m_view->setZoom(m_view->zoom() + direction * CTarvoFormView::kZoomStep);
        });
    }
    QAction* version = m_actions.value(Cmd::Version);
    version->setEnabled(true);
    connect(version, &QAction::triggered, this, &CMainFrame::showVersion);
}

void CMainFrame::updateCheckMarks() {
    m_actions.value(Cmd::RatioFirst + m_settings.RATIO)->setChecked(true);
    m_actions.value(Cmd::Ratio2First + m_settings.RATIO2)->setChecked(true);
    m_actions.value(Cmd::Logging)->setChecked(m_settings.Logging != 0);
    m_actions.value(Cmd::Ansi)->setChecked(m_settings.Ansi != 0);
    m_actions.value(Cmd::Utf16)->setChecked(m_settings.Ansi == 0);
    m_actions.value(Cmd::BootVoice)->setChecked(m_settings.Boot != 0);
    m_linkMenus->updateCheckMarks();
    applyLinkMenuRules();
}

void CMainFrame::applyLinkMenuRules() {
    m_linkMenus->apply(m_view ? m_view->linkEnabling() : LinkEnabling{});
}

void CMainFrame::mousePressEvent(QMouseEvent* event) {
    QMainWindow::mousePressEvent(event);
    if (m_view && event->button() == Qt::LeftButton && m_view->AbortRequested())
        QMetaObject::invokeMethod(
            m_view, [view = m_view] { view->onCommand(Ctl::Esc); }, Qt::QueuedConnection);
}

void CMainFrame::showVersion() {
    VersionDialog dialog(this);
    dialog.exec();
}

void CMainFrame::setView(CTarvoFormView* view) {
    m_view = view;
    setCentralWidget(view);
    view->OnInitialUpdate();
}

void CMainFrame::setConfigCommand(std::function<void()> run) {
    QAction* config = m_actions.value(Cmd::Config);
    config->setEnabled(true);
    connect(config, &QAction::triggered, this, std::move(run));
}

int CMainFrame::wpmBoxIndex() const {
    return m_wpm->currentIndex();
}

void CMainFrame::RebuildCommandBar(int txIndicator) {
    m_wpm->setCurrentIndex(m_settings.WPM - 10);
    for (int i = 0; i < 3; ++i)
        m_greetings[i]->setChecked(m_settings.GoodMAE == i);
    m_tx->setVisible(txIndicator != TxHidden);
    m_tx->setChecked(txIndicator == TxPressed);
}

void CMainFrame::setCommandBarEnabled(bool enabled) {
    m_bar->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const bool remote = m_settings.Remote_USE && !m_settings.Remote_HOST && m_settings.Remote_PORT != 0 &&
                        !m_settings.Remote_IP.isEmpty();
    if (remote)
        m_state.sending = false;
    // Between the PTT lead and the message, or between typed characters, the sending flag is down
    // but the transmitter is keyed: closing then would leave the keying with no window to stop it.
    if (m_state.onAir())
        return event->ignore();
    if (m_view)
        m_view->Shutdown();
    if (m_state.onAir())
        return event->ignore();
    m_settings.cqRunning = m_state.cqRepeat;
    if (m_closeHook)
        m_closeHook(wpmBoxIndex() + 10);
    event->accept();
}
