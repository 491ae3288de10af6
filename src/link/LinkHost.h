#pragma once

#include "link/LinkRoles.h"
#include "settings/Settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// What the link needs of the operating screen around it.
class LinkHost {
public:
    virtual ~LinkHost() = default;

    /// The view dialog is open (and takes the decoder strings and the item list).
    virtual bool viewDialogOpen() const = 0;
    /// `LiveStrings`: the RcvCW check box is checked.
    virtual bool LiveStrings() const = 0;
    virtual bool mainWindowVisible() const = 0;
    /// A host station may key a text from the remote station now.
    virtual bool idleForRemote() const = 0;

    /// Sets a contact field's text as the program does, not as typed.
    virtual void setField(ContactField field, const QString& text) = 0;
    /// Brings the main frame to the foreground.
    virtual void bringToFront() = 0;
    /// The Clear button's action.
    virtual void clearContact() = 0;
    virtual void setRcvCwCaption(const QString& caption) = 0;
    /// The text area and the log.
    virtual void LogText(const QString& text) = 0;
    /// Replaces the live line of the selected decoder string in the text area, or appends it.
    virtual void updateLiveLine(const QString& text) = 0;

    /// A decoder string for the view dialog: its number, pitch and text without line breaks.
    virtual void showViewString(int string, const QString& pitch, const QString& text) = 0;
    /// The companion's item list for the view dialog, one 37-character record per item.
    virtual void setViewItems(const QStringList& records) = 0;
    /// "FSET": the rig has taken the frequency.
    virtual void frequencyTaken() = 0;
    /// "LOGDT": the lines of a finished contact.
    virtual void logData(const QString& block) = 0;

    /// Keys text from the remote station at wpm as a TX command, with `RemoteKeying` set; returns
    /// when it is sent or cut short.
    virtual void keyRemoteText(int wpm, const QString& text) = 0;
    /// This remote station has handed a text to the host: `SetRemoteWait` (1).
    virtual void startRemoteWait() = 0;
    /// The host's answer has arrived: `SetRemoteWait` (0).
    virtual void endRemoteWait() = 0;

    /// One datagram to a peer; dropped when the link has no socket or the peer no address.
    virtual void sendToPeer(LinkPeer peer, const QByteArray& datagram) = 0;
};
