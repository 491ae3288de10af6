#pragma once

#include "settings/Settings.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <utility>

class QLineEdit;

/// What the view dialog needs of the operating screen.
class ViewHost {
public:
    virtual ~ViewHost() = default;

    virtual Settings& viewSettings() = 0;
    virtual void SendLinkRequest(const QByteArray& request) = 0;

    virtual bool frequencyShown() const = 0;
    virtual QString frequencyText() const = 0;
    /// The screen's frequency edit's selection as start and length.
    virtual std::pair<int, int> frequencySelection() const = 0;
    /// While the dialog is open its own frequency edit follows every step.
    virtual void attachFrequency(QLineEdit* edit, std::function<void()> refreshTitle) = 0;
    virtual void detachFrequency() = 0;
    /// Up/Down in the dialog's frequency edit; false when the key stays the edit's.
    virtual bool stepFrequencyDigit(QLineEdit& edit, bool up) = 0;
    /// Enter in the dialog's frequency edit: the screen takes its text and sends it.
    virtual void takeFrequency(const QString& text) = 0;

    /// The TX bank switch ("9-") is on.
    virtual bool bankSwitched() const = 0;
    virtual void setRcvCwCaption(const QString& caption) = 0;
    /// A picked word goes into the field and, when its send option is on, to the companion.
    virtual void pickedIntoField(ContactField field, const QString& text) = 0;
    /// A command of the operating screen: its accelerators, the frequency steps and the companion
    /// commands.
    virtual void screenCommand(int command) = 0;

    virtual bool remoteWaiting() const = 0;
    /// The sender is sending (or a remote text waits for the host).
    virtual bool sending() const = 0;
    virtual void sendRemoteEscape() = 0;
};
