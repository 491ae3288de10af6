#pragma once

#include "screen/FrameHost.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class CTarvoFormView;
class LinkMenus;
class QAction;
class QActionGroup;
class QComboBox;
class QToolBar;
struct KeyerState;
struct Settings;

/// The top-level window: menu 128, the command bar (WPM box, greeting buttons, TX indicator) and
/// the operating screen in its client area.
class CMainFrame : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    /// What the close sequence does once the screen has shut down: save the settings with the
    /// speed of the WPM box, release the port.
    using SaveHook = std::function<void(int wpm)>;

    CMainFrame(Settings& settings, KeyerState& state, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// Puts the operating screen into the client area and runs its initial update.
    void setView(CTarvoFormView* view);
    CTarvoFormView* view() const { return m_view; }
    void setCloseHook(SaveHook hook) { m_closeHook = std::move(hook); }
    /// What "Config  (&C)" runs; the item stays disabled until there is one.
    void setConfigCommand(std::function<void()> run);
    QAction* action(int command) const { return m_actions.value(command); }
    QComboBox* wpmBox() const { return m_wpm; }

    int wpmBoxIndex() const override;
    void RebuildCommandBar(int txIndicator) override;
    void setCommandBarEnabled(bool enabled) override;
    void applyLinkMenuRules() override;
    /// An item of the menu bar itself ("&Utc", "js&T", "&Save").
    QAction* barItem(int command) const { return m_barItems.value(command); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildMenu();
    void buildCommandBar();
    void connectCommands();
    void showVersion();
    /// Check marks follow the settings each time a menu opens.
    void updateCheckMarks();
    QActionGroup* checkGroup(int first, int count);

    Settings& m_settings;
    KeyerState& m_state;
    CTarvoFormView* m_view = nullptr;
    QHash<int, QAction*> m_actions; ///< the first item of each command
    QHash<int, QAction*> m_barItems;
    QHash<QString, QMenu*> m_menus;
    std::unique_ptr<LinkMenus> m_linkMenus;
    QToolBar* m_bar = nullptr;
    QComboBox* m_wpm = nullptr;
    QAction* m_greetings[3] = {};
    QAction* m_tx = nullptr;
    SaveHook m_closeHook;
};
