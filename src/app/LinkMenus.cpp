#include "app/LinkMenus.h"

#include "resources/Accel128.h"
#include "resources/Menu128.h"
#include "settings/Settings.h"

#include <QAction>
#include <QMenu>

namespace {

struct Toggle {
    int command;
    int Settings::*flag;
};

constexpr int kEnableRecv = 61276;
constexpr int kEnableSend = 61275;
constexpr int kSendRmk1 = 61273;
constexpr int kSendCode = 61293;
constexpr int kSaveAndClear = 61342;

constexpr Toggle kToggles[] = {
    {kEnableRecv, &Settings::Recv_ENABLEALL},
    {kEnableSend, &Settings::Send_ENABLEALL},
    {61253, &Settings::Recv_CALL},
    {61259, &Settings::Recv_RST},
    {61258, &Settings::Recv_NAME},
    {61261, &Settings::Recv_QTH},
    {61262, &Settings::Recv_RMK1},
    {61254, &Settings::Recv_CODE},
    {61260, &Settings::Recv_MYRST},
    {61297, &Settings::Recv_CLR},
    {61296, &Settings::Recv_FORE},
    {61264, &Settings::Send_CALL},
    {61270, &Settings::Send_RST},
    {61269, &Settings::Send_NAME},
    {61272, &Settings::Send_QTH},
    {61271, &Settings::Send_MYRST},
    {kSendRmk1, &Settings::Send_RMK1},
    {kSendCode, &Settings::Send_RMK1b},
    {61318, &Settings::Send_CLSYNC},
    {kSaveAndClear, &Settings::Send_SAVECL},
};

// The "set Etc." requests, which only send.
constexpr int kSendItems[] = {Cmd::Jst, Cmd::Utc, Cmd::RcvCwFore, Cmd::SetClear, Cmd::SetSave};

bool isExchangeItem(int command) {
    return command == Cmd::RequestAgain || command == Cmd::RequestFreq || command == Cmd::OpenView ||
           command == Cmd::StepRangeUp || command == Cmd::StepRangeDown ||
           (command >= Cmd::RequestString1 && command < Cmd::RequestString1 + 13) ||
           (command >= Cmd::FreqWidth7 && command < Cmd::FreqStep10 + 5);
}

constexpr int kFrequencyItems[] = {Cmd::SetRigFreq, Cmd::FreqUp, Cmd::FreqDown};
constexpr int kStepsHz[] = {10, 100, 1000, 10000, 20000};
constexpr int kFirstWidth = 7;
constexpr int kWidths = 6;

} // namespace

LinkMenus::LinkMenus(const QHash<int, QAction*>& actions, const QHash<int, QAction*>& barItems, QMenu& rcvCw,
                     QMenu& channels, Settings& settings)
    : m_actions(actions), m_barItems(barItems), m_rcvCw(rcvCw), m_channels(channels), m_settings(settings) {}

void LinkMenus::connectToggles(const std::function<void()>& switchChanged) {
    for (const Toggle& toggle : kToggles) {
        QAction* action = m_actions.value(toggle.command);
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, action, [this, toggle, switchChanged] {
            int& flag = m_settings.*toggle.flag;
            flag = flag ? 0 : 1;
            // M1 goes as RMK1 or as CODE, never both.
            if (flag && toggle.command == kSendRmk1)
                m_settings.Send_RMK1b = 0;
            if (flag && toggle.command == kSendCode)
                m_settings.Send_RMK1 = 0;
            if (toggle.command == kEnableRecv || toggle.command == kEnableSend)
                switchChanged();
        });
    }
}

void LinkMenus::connectCommands(const std::function<void(int)>& run) {
    QList<int> commands(std::begin(kSendItems), std::end(kSendItems));
    commands << Cmd::RequestAgain << Cmd::RequestFreq << Cmd::OpenView << Cmd::StepRangeUp << Cmd::StepRangeDown;
    for (int command : kFrequencyItems)
        commands << command;
    for (int i = 0; i < 13; ++i)
        commands << Cmd::RequestString1 + i;
    QList<QAction*> items;
    for (int command : commands)
        items << m_actions.value(command);
    for (int command : {Cmd::Utc, Cmd::Jst, Cmd::Save})
        items << m_barItems.value(command);
    for (QAction* item : items) {
        const int command = m_actions.key(item, m_barItems.key(item));
        QObject::connect(item, &QAction::triggered, item, [run, command] { run(command); });
    }
    for (int i = 0; i < 13; ++i)
        m_actions.value(Cmd::RequestString1 + i)->setCheckable(true);
    // Width and step are settings of their own; the next step uses them.
    for (int i = 0; i < kWidths; ++i) {
        QAction* width = m_actions.value(Cmd::FreqWidth7 + i);
        width->setCheckable(true);
        QObject::connect(width, &QAction::triggered, width, [this, i] { m_settings.DIGITS = kFirstWidth + i; });
    }
    for (int i = 0; i < 5; ++i) {
        QAction* step = m_actions.value(Cmd::FreqStep10 + i);
        step->setCheckable(true);
        QObject::connect(step, &QAction::triggered, step, [this, i] { m_settings.STEP = kStepsHz[i]; });
    }
}

void LinkMenus::apply(const LinkEnabling& on) {
    m_rcvCw.setEnabled(on.up);
    m_channels.setEnabled(on.exchange);
    for (const Toggle& toggle : kToggles)
        m_actions.value(toggle.command)->setEnabled(toggle.command == kSaveAndClear ? on.exchange : on.up);
    for (int command : kSendItems)
        m_actions.value(command)->setEnabled(on.send);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (isExchangeItem(it.key()))
            it.value()->setEnabled(on.exchange);
    }
    for (QAction* item : m_barItems)
        item->setEnabled(on.exchange);
    for (int command : kFrequencyItems)
        m_actions.value(command)->setEnabled(on.frequency);
}

void LinkMenus::updateCheckMarks() {
    for (const Toggle& toggle : kToggles)
        m_actions.value(toggle.command)->setChecked(m_settings.*toggle.flag != 0);
    for (int i = 0; i < 13; ++i)
        m_actions.value(Cmd::RequestString1 + i)->setChecked(m_settings.Recv_STRINGS == i + 1);
    for (int i = 0; i < kWidths; ++i)
        m_actions.value(Cmd::FreqWidth7 + i)->setChecked(m_settings.DIGITS == kFirstWidth + i);
    for (int i = 0; i < 5; ++i)
        m_actions.value(Cmd::FreqStep10 + i)->setChecked(m_settings.STEP == kStepsHz[i]);
}
