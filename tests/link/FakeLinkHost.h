#pragma once

#include "link/LinkHost.h"

#include <QStringList>

#include <functional>

/// Records every call of the link as one line, e.g. "setField(CALL, TRV1ABC)"; carriage returns
/// and line feeds show as \r and \n.
class FakeLinkHost : public LinkHost {
public:
    bool viewOpen = false;
    bool live = false;
    bool visible = true;
    bool idle = true;
    /// Runs inside keyRemoteText, as datagrams handled during the keying do.
    std::function<void()> whileKeying;

    QStringList calls;

    bool viewDialogOpen() const override { return viewOpen; }
    bool LiveStrings() const override { return live; }
    bool mainWindowVisible() const override { return visible; }
    bool idleForRemote() const override { return idle; }

    void setField(ContactField field, const QString& text) override;
    void bringToFront() override { record(QStringLiteral("bringToFront()")); }
    void clearContact() override { record(QStringLiteral("clearContact()")); }
    void setRcvCwCaption(const QString& caption) override;
    void LogText(const QString& text) override;
    void updateLiveLine(const QString& text) override;
    void showViewString(int string, const QString& pitch, const QString& text) override;
    void setViewItems(const QStringList& records) override;
    void frequencyTaken() override { record(QStringLiteral("frequencyTaken()")); }
    void logData(const QString& block) override;
    void keyRemoteText(int wpm, const QString& text) override;
    void startRemoteWait() override { record(QStringLiteral("startRemoteWait()")); }
    void endRemoteWait() override { record(QStringLiteral("endRemoteWait()")); }
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) override;

private:
    void record(const QString& call);
};
