#pragma once

#include "link/LinkEnabling.h"
#include "link/LinkHost.h"
#include "link/LinkRequests.h"
#include "screen/LiveLine.h"
#include "screen/RemoteWait.h"
#include "screen/StringPolling.h"

class CTarvoFormView;
class StationLink;

/// The operating screen's side of the link: what arrives is shown here, and the screen's requests
/// leave from here.
class LinkScreen : public LinkHost {
public:
    LinkScreen(CTarvoFormView& view, StationLink& link);
    ~LinkScreen() override;
    LinkScreen(const LinkScreen&) = delete;
    LinkScreen& operator=(const LinkScreen&) = delete;

    /// `StartStopLink`: starts or stops the link, then refreshes the controls and menus it enables.
    void StartStopLink(bool start);
    LinkEnabling enabling() const;
    void SendLinkRequest(const QByteArray& request);
    /// Sends a contact field's text when its send option is on.
    void sendField(ContactField field);
    void sendCommand(LinkCommand command) { SendLinkRequest(CommandMessage(command)); }
    /// "set Save": the fields and "SAVE"; a contact with a call is then reset to the initial values.
    void SaveRequests();
    /// "set Clear" without clearing the screen: the save requests when asked for, then "CLR".
    void ClearRequests();

    RemoteWait& remoteWait() { return m_wait; }
    StringPolling& polling() { return m_polling; }
    const LiveLine& liveLine() const { return m_liveLine; }

    // LinkHost
    bool viewDialogOpen() const override { return false; }
    bool LiveStrings() const override { return m_polling.live(); }
    bool mainWindowVisible() const override;
    bool idleForRemote() const override;
    void setField(ContactField field, const QString& text) override;
    void bringToFront() override;
    void clearContact() override;
    void setRcvCwCaption(const QString& caption) override;
    void LogText(const QString& text) override;
    void updateLiveLine(const QString& text) override;
    // The view dialog, the frequency display and the HAMLOG record take these once they exist.
    void showViewString(int, const QString&, const QString&) override {}
    void setViewItems(const QStringList&) override {}
    void frequencyTaken() override {}
    void logData(const QString&) override {}
    void keyRemoteText(int wpm, const QString& text) override;
    void startRemoteWait() override { m_wait.SetRemoteWait(RemoteWait::Start); }
    void endRemoteWait() override { m_wait.SetRemoteWait(RemoteWait::End); }
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) override;

private:
    /// No window of this program stands in front of the main frame.
    bool frameInFront() const;

    CTarvoFormView& m_view;
    StationLink& m_link;
    RemoteWait m_wait;
    StringPolling m_polling;
    LiveLine m_liveLine;
};
