#pragma once

#include "link/LinkEnabling.h"

#include <QHash>

#include <functional>

class QAction;
class QMenu;
struct Settings;

/// The "&RcvCW" menu's toggles and the link menu rules, on the actions of menu 128.
class LinkMenus {
public:
    /// actions: the menu's items by command; barItems: the items of the menu bar itself.
    LinkMenus(const QHash<int, QAction*>& actions, const QHash<int, QAction*>& barItems, QMenu& rcvCw, QMenu& channels,
              Settings& settings);

    /// Connects the toggles; switchChanged runs after "ENABLE RECV" or "ENABLE SEND".
    void connectToggles(const std::function<void()>& switchChanged);
    /// Connects the items that are commands of the operating screen.
    void connectCommands(const std::function<void(int command)>& run);
    /// Enables the items by the link's state.
    void apply(const LinkEnabling& on);
    /// Puts the check marks on the toggles and on the selected string.
    void updateCheckMarks();

private:
    const QHash<int, QAction*>& m_actions;
    const QHash<int, QAction*>& m_barItems;
    QMenu& m_rcvCw;
    QMenu& m_channels;
    Settings& m_settings;
};
