#pragma once

#include <QList>
#include <QString>

/// One item of the focus-destination menu: the label and its command.
struct FocusMenuItem {
    QString label;
    int command;
};

inline constexpr int kFocusAllResetCommand = 32890;

/// Popup menu 139, "focus": the 62 entries of the focus table, then "All reset".
const QList<FocusMenuItem>& Menu139();
