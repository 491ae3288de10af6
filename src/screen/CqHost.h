#pragma once

#include <QString>

class Clock;
class KeyState;
struct KeyerState;
struct Settings;
struct TokenSpan;

/// What automatic CQ needs of the operating screen.
class CqHost {
public:
    virtual ~CqHost() = default;

    virtual Settings& settings() = 0;
    virtual KeyerState& state() = 0;
    virtual const KeyState& keys() const = 0;
    virtual Clock& clock() = 0;
    virtual bool remoteWaiting() const = 0;
    virtual bool isRemoteStation() const = 0;
    virtual bool AbortRequested() const = 0;

    virtual bool isCqButtonChecked() const = 0;
    virtual void setCqButtonChecked(bool checked) = 0;
    virtual bool cqBoxHasFocus() const = 0;
    /// Gives the CQ box the focus when it is enabled.
    virtual void focusCqBox() = 0;
    virtual void AdvanceFocus(int controlId) = 0;

    virtual void keyboardKeyingOff() = 0;
    virtual void closeKeyboardLine() = 0;
    /// The fields, buttons and boxes a CQ run takes from the operator.
    virtual void enableOperating(bool enable) = 0;
    /// Clear, the TX buttons and the bank and KEY boxes, around each CQ message.
    virtual void enableButtons(bool enable) = 0;
    /// Puts text into a contact field as if typed there.
    virtual void setFieldText(int field, const QString& text) = 0;

    virtual void showCqProgress(bool show) = 0;
    virtual void setCqProgress(int barId, int value) = 0;
    /// Ranges and positions of the three bars at the start of a run.
    virtual void resetCqProgress() = 0;

    /// Keys the CQ message with PTT around it; the sender's result.
    virtual int sendCqMessage(const QString& text) = 0;
    /// The CQ message did not go out whole: show it with the offending span selected.
    virtual void CqStoppedEarly(const TokenSpan& span) = 0;
};
