#include "resources/Dialog134.h"

namespace {

constexpr int kRowCommands[VoiceCtl::kRowCount] = {Cmd::TxPress1,     Cmd::TxPress1 + 1, Cmd::TxPress1 + 2,
                                                   Cmd::TxPress1 + 3, Cmd::TxPress5,     Cmd::TxPress6};

QList<Accelerator> build() {
    QList<Accelerator> table;
    for (int row = 0; row < VoiceCtl::kRowCount; ++row)
        table.append({QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_1 + row)), kRowCommands[row]});
    return table;
}

} // namespace

const QList<Accelerator>& Accel129() {
    static const QList<Accelerator> table = build();
    return table;
}
