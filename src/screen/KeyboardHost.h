#pragma once

#include <QString>

class MorseSender;
class QLineEdit;
struct KeyerState;
struct Settings;

/// What keyboard keying needs of the operating screen.
class KeyboardHost {
public:
    virtual ~KeyboardHost() = default;

    virtual Settings& settings() = 0;
    virtual KeyerState& state() = 0;
    virtual MorseSender& sender() = 0;
    virtual bool isRemoteStation() const = 0;

    virtual bool isKeyBoxChecked() const = 0;
    virtual QLineEdit& inputLine() = 0;
    virtual void keyboardKeyingOff() = 0;
    /// Stops automatic CQ, if it runs, without moving the focus.
    virtual void stopCqQuietly() = 0;
    virtual void AdvanceFocus(int controlId) = 0;
    /// Clear, the TX buttons, the CQ and bank boxes and the command bar, around a keying run.
    virtual void enableKeyingButtons(bool enable) = 0;

    /// Text of the transcript's current line still waits for its line end in the log.
    virtual bool hasOpenLine() const = 0;
    virtual void LogText(const QString& text) = 0;
};
