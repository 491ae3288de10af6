#pragma once

#include "link/LinkEnabling.h"
#include "link/LinkHost.h"
#include "link/LinkRequests.h"
#include "link/ViewHost.h"
#include "screen/FrequencyDisplay.h"
#include "screen/LiveLine.h"
#include "screen/RemoteWait.h"
#include "screen/StringPolling.h"

class CTarvoFormView;
class StationLink;
class ViewDialog;

/// The operating screen's side of the link: what arrives is shown here, and the screen's requests
/// leave from here.
class LinkScreen : public LinkHost, public ViewHost {
public:
    LinkScreen(CTarvoFormView& view, StationLink& link);
    ~LinkScreen() override;
    LinkScreen(const LinkScreen&) = delete;
    LinkScreen& operator=(const LinkScreen&) = delete;

    /// `StartStopLink`: starts or stops the link, then refreshes the controls and menus it enables.
    void StartStopLink(bool start);
    LinkEnabling enabling() const;
    void SendLinkRequest(const QByteArray& request) override;
    /// The V button, Ctrl+Shift+V, its menu item and the wheel: the view dialog, modal.
    void openView();
    ViewDialog* viewDialog() const { return m_viewDialog; }
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
    FrequencyDisplay& frequency() { return m_frequency; }
    /// `HamlogRecord`: the record of the last "LOGDT".
    const QString& hamlogRecord() const { return m_hamlogRecord; }

    // LinkHost
    bool viewDialogOpen() const override { return m_viewDialog != nullptr; }
    bool LiveStrings() const override { return m_polling.live(); }
    bool mainWindowVisible() const override;
    bool idleForRemote() const override;
    void setField(ContactField field, const QString& text) override;
    void bringToFront() override;
    void clearContact() override;
    void setRcvCwCaption(const QString& caption) override;
    void LogText(const QString& text) override;
    void updateLiveLine(const QString& text) override;
    void showViewString(int string, const QString& pitch, const QString& text) override;
    void setViewItems(const QStringList& records) override;
    void frequencyTaken() override { m_frequency.frequencyTaken(); }
    void logData(const QString& block) override;
    void keyRemoteText(int wpm, const QString& text) override;
    void startRemoteWait() override { m_wait.SetRemoteWait(RemoteWait::Start); }
    void endRemoteWait() override { m_wait.SetRemoteWait(RemoteWait::End); }
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) override;

    // ViewHost
    Settings& viewSettings() override;
    bool frequencyShown() const override { return m_frequency.shown(); }
    QString frequencyText() const override;
    std::pair<int, int> frequencySelection() const override;
    void attachFrequency(QLineEdit* edit, std::function<void()> refreshTitle) override {
        m_frequency.attachDialog(edit, std::move(refreshTitle));
    }
    void detachFrequency() override { m_frequency.detachDialog(); }
    bool stepFrequencyDigit(QLineEdit& edit, bool up) override { return m_frequency.digitStep(edit, up); }
    void takeFrequency(const QString& text) override;
    bool bankSwitched() const override;
    void pickedIntoField(ContactField field, const QString& text) override;
    void screenCommand(int command) override;
    bool remoteWaiting() const override { return m_wait.waiting(); }
    bool sending() const override;
    void sendRemoteEscape() override { m_wait.SendRemoteEscape(); }

private:
    /// No window of this program stands in front of the main frame.
    bool frameInFront() const;

    CTarvoFormView& m_view;
    StationLink& m_link;
    RemoteWait m_wait;
    StringPolling m_polling;
    LiveLine m_liveLine;
    FrequencyDisplay m_frequency{m_view, *this};
    QString m_hamlogRecord;
    ViewDialog* m_viewDialog = nullptr; ///< `ViewDialog`, while it is open
};
