#include "bridge/BridgeItems.h"

#include "peer/PeerMessages.h"

namespace {

enum Item { PollPeriod = 0, PassTxText = 1 };
constexpr int kPollMinMs = 100;
constexpr int kPollMaxMs = 1000;
constexpr int kPollStepMs = 50;

} // namespace

QStringList BridgeItems::records() const {
    // A list's scale is ten times its step.
    const CompanionItem items[] = {
        {QStringLiteral("Poll period ms"), QString::number(m_pollMs), ItemKind::List, kPollMinMs, kPollMaxMs,
         kPollStepMs * 10},
        {QStringLiteral("Pass TX text"), m_passTxText ? QStringLiteral("1") : QStringLiteral("0"), ItemKind::OnOff, 0,
         1, 0},
    };
    QStringList out;
    for (const CompanionItem& item : items)
        out.append(ItemRecord(item));
    return out;
}

bool BridgeItems::apply(const QString& payload) {
    const QStringList parts = payload.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool itemOk = false;
    bool valueOk = false;
    const int item = parts.value(0).toInt(&itemOk);
    const int value = parts.value(1).toInt(&valueOk);
    if (parts.size() != 2 || !itemOk || !valueOk)
        return false;
    if (item == PollPeriod) {
        // Checked before it is multiplied: a huge position would overflow.
        if (value < 0 || value > (kPollMaxMs - kPollMinMs) / kPollStepMs)
            return false;
        m_pollMs = kPollMinMs + value * kPollStepMs;
        return true;
    }
    if (item == PassTxText && (value == 0 || value == 1)) {
        m_passTxText = value == 1;
        return true;
    }
    return false;
}
