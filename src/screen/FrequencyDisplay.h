#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class CTarvoFormView;
class LinkScreen;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWheelEvent;
class QWidget;

/// The rig's frequency and mode at the end of the bottom line: filled by "LOGDT", stepped here
/// and sent as "FSET", whose answer puts the caret under the digit that moved.
class FrequencyDisplay {
public:
    FrequencyDisplay(CTarvoFormView& view, LinkScreen& link);

    /// The view dialog's own frequency edit while it is open, and how it refreshes its title.
    void attachDialog(QLineEdit* edit, std::function<void()> refreshTitle);
    void detachDialog();

    /// Lines 7/17 and 8/18 of a "LOGDT" block; the first frequency makes the display appear.
    void showFrequency(const QString& line);
    void showMode(const QString& line);
    /// "LOGDT" ends any wait for an "FSET" answer.
    void clearPending();
    /// The "FSET" answer.
    void frequencyTaken();

    /// `StepFrequency`: shows the stepped frequency and sends it with the mode.
    void StepFrequency(const QString& frequency, const QString& step, bool up);
    /// "set RIG Freq && Mode": the shown frequency and mode again.
    void resend();
    /// Enter in a frequency edit or the mode list.
    void enterPressed();
    /// Ctrl+Shift+Up/Down: a step of `STEP`.
    void fixedStep(bool up);
    /// Up/Down (or the wheel) in a frequency edit: the digit left of its caret; false when the
    /// caret lies beyond the twelfth place and the key is the edit's.
    bool digitStep(QLineEdit& edit, bool up);
    /// The wheel on the screen's frequency edit or the mode list; true when taken.
    bool wheel(QWidget* focused, const QWheelEvent& event);

    bool shown() const;
    double pendingStep() const { return m_pending; }
    /// The caret is hidden while an "FSET" answer is awaited.
    bool caretHidden() const { return m_caretHidden; }

private:
    bool usable() const;
    QLineEdit& edit() const;
    QComboBox& modes() const;
    /// The edit that shows the caret: the dialog's while it is open.
    QLineEdit& caretEdit() const;
    void setCaretHidden(bool hidden);

    CTarvoFormView& m_view;
    LinkScreen& m_link;
    QPointer<QLineEdit> m_dialogEdit;
    std::function<void()> m_refreshDialogTitle;
    double m_pending = 0; ///< `PendingFreqStep`
    bool m_caretHidden = false;
};
