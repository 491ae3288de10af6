#pragma once

#include <QRect>
#include <QString>

/// What the sender needs of the operating screen while it keys.
class SenderHost {
public:
    virtual ~SenderHost() = default;

    /// The text area and the log: every keyed character, and the line end after a message.
    virtual void LogText(const QString& text) = 0;
    /// Index of the WPM box selection (speed − 10).
    virtual int wpmBoxIndex() const = 0;
    /// Screen rectangle of the "Esc" button; holding the left button inside it aborts.
    virtual QRect escButtonScreenRect() const = 0;

    virtual bool isCqButtonChecked() const = 0;
    virtual void setCqButtonChecked(bool checked) = 0;
    /// Automatic CQ's toggle, which ends the repeat once the CQ button is unchecked.
    virtual void CqToggle() = 0;
    /// The Clear command of the operating screen.
    virtual void clearContact() = 0;

    virtual void setTxProgressRange(int maximum) = 0;
    virtual void setTxProgress(int value) = 0;
    virtual void stepTxProgress() = 0;
    virtual void setWatchProgress(int value) = 0;
};
