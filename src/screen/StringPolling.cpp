#include "screen/StringPolling.h"

#include "keyer/KeyerState.h"
#include "link/CompanionMessage.h"
#include "link/LinkRequests.h"
#include "link/ValPayloads.h"
#include "platform/Clock.h"
#include "screen/CTarvoFormView.h"
#include "screen/LinkScreen.h"
#include "settings/Settings.h"

namespace {

constexpr int kPollMs = 500;

} // namespace

StringPolling::StringPolling(CTarvoFormView& view, LinkScreen& link)
    : m_view(view), m_link(link), m_timer(view.clock().createTimer([this] { tick(); })) {}

StringPolling::~StringPolling() = default;

void StringPolling::boxToggled(bool checked) {
    if (!checked)
        return stop();
    m_view.AppendMonitorText(QStringLiteral("< recv data >"));
    m_view.AppendMonitorText(QStringLiteral("\r\n"));
    m_live = true;
    m_timer->start(kPollMs);
}

void StringPolling::stop() {
    m_live = false;
    m_timer->stop();
}

void StringPolling::tick() {
    if (m_view.state().sending || !m_live || !m_link.mainWindowVisible() || m_link.viewDialogOpen())
        return;
    m_link.SendLinkRequest(GetStringMessage(m_view.settings().Recv_STRINGS));
}

void StringPolling::step(int direction) {
    int& selected = m_view.settings().Recv_STRINGS;
    selected += direction > 0 ? 1 : -1;
    if (selected > kDecoderStrings)
        selected = 1;
    if (selected < 1)
        selected = kDecoderStrings;
    m_link.SendLinkRequest(GetStringMessage(selected));
}

bool StringPolling::shortcutKey(int key) {
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        step(key == Qt::Key_Up ? 1 : -1);
        return true;
    }
    if (key < Qt::Key_A || key > Qt::Key_Z)
        return false;
    const auto payload = RcvCwKeyPayload(QChar(key), m_view.settings().Recv_STRINGS);
    if (!payload)
        return false;
    m_link.SendLinkRequest(ValMessage(*payload));
    return true;
}
