#include "resources/Accel128.h"

#include "resources/Menu128.h"

namespace {

QKeyCombination ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}
QKeyCombination alt(Qt::Key key) {
    return QKeyCombination(Qt::AltModifier, key);
}
QKeyCombination ctrlShift(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key);
}

QList<Accelerator> build() {
    QList<Accelerator> table = {
        {ctrl(Qt::Key_0), Cmd::ClearContact},
        {ctrl(Qt::Key_1), 32791},
        {ctrl(Qt::Key_2), 32792},
        {ctrl(Qt::Key_3), 32793},
        {ctrl(Qt::Key_4), 32794},
        {ctrl(Qt::Key_5), Cmd::TxPress5},
        {ctrl(Qt::Key_6), Cmd::TxPress6},
        {ctrl(Qt::Key_7), Cmd::TxPress7},
        {ctrl(Qt::Key_8), Cmd::TxPress8},
        {ctrl(Qt::Key_9), Cmd::ToggleBank},
        {ctrl(Qt::Key_Q), Cmd::ToggleCq},
        {ctrl(Qt::Key_K), Cmd::ToggleKey},
        {ctrl(Qt::Key_T), Cmd::SendSelection},
        {ctrl(Qt::Key_A), Cmd::SelectAll},
        {ctrl(Qt::Key_C), Cmd::Copy},
        {ctrl(Qt::Key_X), Cmd::Cut},
        {ctrl(Qt::Key_V), Cmd::Paste},
        {ctrl(Qt::Key_Z), Cmd::Undo},
        {QKeyCombination(Qt::Key_Return), Cmd::Enter},
        {QKeyCombination(Qt::Key_Enter), Cmd::Enter},
        {alt(Qt::Key_Z), Cmd::SetClear},
        {alt(Qt::Key_S), Cmd::SetSave},
        {alt(Qt::Key_T), Cmd::Jst},
        {alt(Qt::Key_U), Cmd::Utc},
        {alt(Qt::Key_W), Cmd::RcvCwFore},
        {ctrlShift(Qt::Key_0), Cmd::RequestAgain},
        {ctrlShift(Qt::Key_R), Cmd::RequestFreq},
        {ctrlShift(Qt::Key_F), Cmd::SetRigFreq},
        {ctrlShift(Qt::Key_V), Cmd::OpenView},
        {ctrlShift(Qt::Key_N), Cmd::StepRangeUp},
        {ctrlShift(Qt::Key_M), Cmd::StepRangeDown},
        {ctrlShift(Qt::Key_Up), Cmd::FreqUp},
        {ctrlShift(Qt::Key_Down), Cmd::FreqDown},
    };
    const Qt::Key picks[] = {Qt::Key_C, Qt::Key_H, Qt::Key_N, Qt::Key_Q, Qt::Key_E, Qt::Key_Y};
    for (int i = 0; i < 6; ++i)
        table.append({alt(picks[i]), Cmd::PickCall + i});
    const Qt::Key channels[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7,
                                Qt::Key_8, Qt::Key_9, Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D};
    for (int i = 0; i < 13; ++i)
        table.append({ctrlShift(channels[i]), Cmd::RequestString1 + i});
    return table;
}

} // namespace

const QList<Accelerator>& Accel128() {
    static const QList<Accelerator> table = build();
    return table;
}
