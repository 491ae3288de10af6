#include "screen/RemoteWait.h"

#include "link/LinkRoles.h"
#include "link/RemoteMessages.h"
#include "link/StationLink.h"
#include "screen/CTarvoFormView.h"

bool RemoteWait::SetRemoteWait(Mode mode) {
    if (!m_link.isRemoteStation()) {
        // A station whose role changed keeps no wait.
        if (m_waiting)
            m_view.state().sending = false;
        m_waiting = false;
        return false;
    }
    if (mode == Start)
        start();
    else if (mode == End)
        end();
    return m_waiting;
}

void RemoteWait::start() {
    m_escape = false;
    m_focusAfter = 0;
    m_view.LogText(QStringLiteral("[Remote] "));
    m_waiting = true;
    if (m_view.state().cqRepeat)
        m_view.EnableOperatingControls(false, CTarvoFormView::Scope::Buttons);
}

void RemoteWait::end() {
    if (m_waiting)
        m_view.state().sending = false;
    m_waiting = false;
    restoreControls();
    m_focusAfter = 0;
    m_escape = false;
}

void RemoteWait::restoreControls() {
    using Scope = CTarvoFormView::Scope;
    if (m_focusAfter != 0) {
        m_view.EnableOperatingControls(true, Scope::WholeView);
        if (!m_escape)
            m_view.AdvanceFocus(m_focusAfter);
        return;
    }
    if (m_view.state().cqRepeat && !m_escape) {
        m_view.EnableOperatingControls(true, Scope::Buttons);
        return; // CQ goes on
    }
    m_view.EnableOperatingControls(true, Scope::Operating);
    // Escape ends the CQ run too, as it ends a local one.
    if (m_view.state().cqRepeat)
        m_view.stopCqQuietly();
}

void RemoteWait::SendRemoteEscape() {
    if (!SetRemoteWait(Ask))
        return;
    m_escape = true;
    SetRemoteWait(End);
    m_view.LogText(QStringLiteral("<escape>"));
    m_link.sendToPeer(LinkPeer::RemoteHost, EscapeMessage());
}
