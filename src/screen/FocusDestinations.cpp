#include "screen/FocusDestinations.h"

#include "platform/MessageBoxes.h"
#include "resources/Menu139.h"
#include "screen/CTarvoFormView.h"
#include "screen/FocusTable.h"
#include "screen/FrameHost.h"
#include "settings/Settings.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

bool FocusDestinations::edit(QPoint globalPos) {
    QWidget* focused = QApplication::focusWidget();
    const int id = m_view.controlId(focused);
    auto* lineEdit = qobject_cast<QLineEdit*>(focused);
    if (lineEdit && lineEdit->hasSelectedText())
        return false;
    auto* button = qobject_cast<QAbstractButton*>(focused);
    const int entry = MatchFocusEntry(id, button && button->isChecked(), m_view.shownBank());
    if (entry < 0)
        return false;

    Settings& settings = m_view.settings();
    QMenu menu(&m_view);
    menu.setObjectName(QStringLiteral("focusMenu"));
    auto* group = new QActionGroup(&menu);
    const QList<FocusMenuItem>& items = Menu139();
    for (int i = 0; i < items.size(); ++i) {
        QAction* action = menu.addAction(items[i].label);
        action->setData(i);
        if (i < kFocusRows) {
            action->setCheckable(true);
            action->setChecked(settings.focusTarget[entry] == i);
            group->addAction(action);
        }
    }
    QLabel title(QStringLiteral(" %1: destination of next focus ( Edit: After 'Enter' is pushed, it moves. )")
                     .arg(entry + 1, 2, 10, QLatin1Char('0')),
                 &m_view, Qt::ToolTip);
    title.setObjectName(QStringLiteral("focusTitle"));
    title.move(m_view.mapToGlobal(QPoint(0, 0)));
    title.show();
    m_frame.setCommandBarEnabled(false);
    QAction* chosen = nullptr;
    QObject::connect(&menu, &QMenu::triggered, &menu, [&chosen](QAction* action) { chosen = action; });
    menu.exec(globalPos);
    title.hide();
    m_frame.setCommandBarEnabled(true);
    if (!chosen)
        return true;
    const int row = chosen->data().toInt();
    if (row < kFocusRows)
        settings.focusTarget[entry] = row;
    else
        resetAll();
    return true;
}

void FocusDestinations::resetAll() {
    if (m_view.messageBoxes().show(QStringLiteral("    All default ?"), MessageBoxes::Icon::Question,
                                   MessageBoxes::Buttons::YesNoDefaultNo) != MessageBoxes::Answer::Yes)
        return;
    for (int entry = 0; entry < kFocusRows; ++entry)
        m_view.settings().focusTarget[entry] = DefaultFocusTarget(entry);
}
