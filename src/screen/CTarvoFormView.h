#pragma once

#include "keyer/KeyerState.h"
#include "keyer/MorseSender.h"
#include "keyer/SenderHost.h"
#include "link/LinkEnabling.h"
#include "resources/ControlIds.h"
#include "screen/AutomaticCq.h"
#include "screen/CqHost.h"
#include "screen/FocusDestinations.h"
#include "screen/FormGeometry.h"
#include "screen/KeyboardHost.h"
#include "screen/KeyboardKeyer.h"

#include <QHash>
#include <QWidget>

#include <memory>

class Clock;
class CsvLog;
class FileDialogs;
class FrameHost;
class KeyState;
class KeyingEngine;
class KeyingLines;
class LinkScreen;
class MessageBoxes;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWheelEvent;
class QKeyEvent;
class QResizeEvent;
class SidetoneGenerator;
class StationLink;
class TemplateExpander;
class VoicePlayer;
struct Settings;

/// The operating screen: the contact fields, the eight TX buttons with their message edits, the
/// bank, CQ and KEY boxes and the text area. It starts every transmission.
class CTarvoFormView : public QWidget, public SenderHost, public CqHost, public KeyboardHost {
    Q_OBJECT
public:
    struct Devices {
        Clock& clock;
        KeyState& keys;
        KeyingLines& lines;
        KeyingEngine& engine;
        SidetoneGenerator& sidetone;
        TemplateExpander& expander;
        StationLink& link;
        MessageBoxes& boxes;
        CsvLog& log;
        VoicePlayer& voice;
        FileDialogs& files;
    };
    enum class Scope { WholeView, Operating, FrameAndView, Buttons };

    CTarvoFormView(Settings& settings, KeyerState& state, FrameHost& frame, const Devices& devices,
                   QWidget* parent = nullptr);
    ~CTarvoFormView() override;

    void OnInitialUpdate();
    QWidget* control(int id) const { return m_controls.value(id); }
    /// The identifier of one of the form's controls, 0 for anything else.
    int controlId(const QWidget* widget) const { return m_controls.key(const_cast<QWidget*>(widget), 0); }
    MessageBoxes& messageBoxes() { return m_dev.boxes; }

    /// The action of TX position 1..8.
    void SendPreparedMessage(int position);
    /// The Clear command of button 1070.
    void ClearCommand();
    void ClearContact();
    /// Keys the selected text of the focused edit (command "TX").
    void SendSelection();
    /// Keys the selected text of edit, one of the sixteen whose selection can be keyed.
    void sendSelectionOf(QWidget* edit);
    /// Sets a field as the program does, which is no operator edit.
    void putField(int field, const QString& text);
    QPlainTextEdit* textArea() const;
    FrameHost& frame() { return m_frame; }
    LinkScreen& link() { return *m_link; }
    /// The link controls follow the link and its two switches; the frame's menus follow too.
    void refreshLinkControls();
    LinkEnabling linkEnabling() const;
    bool cqTimerActive() const;
    /// Keyboard keying holds the operating controls.
    bool keyboardLocked() const;
    void EnableOperatingControls(bool enable, Scope scope);
    /// Moves the focus to the destination the focus table names for control.
    void AdvanceFocus(int controlId) override;
    /// Called by the main frame as it closes.
    void Shutdown();
    /// Places the controls for the screen's size: the text area takes the extra height.
    void relayout();
    /// The form's font in percent of the application's (50 .. 300, steps of 10); the form grows with it.
    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    static constexpr int kZoomStep = 10;
    /// "Voice CQ (&V)": the voice memory dialog, with the sidetone and the screen put aside while it is open.
    void OpenVoiceDialog();
    /// Automatic CQ did not finish its message: show the message with the offending span selected.
    void CqStoppedEarly(const TokenSpan& span) override;

    /// Runs a command of the accelerator table.
    void onCommand(int command);
    /// The Enter key (command 32821).
    void EnterHandler();
    /// Takes the speed the WPM box shows, rebuilding the tones when it changed.
    void applyWpmBox();
    /// Builds the tones afresh after a change of their shape (the dash ratio).
    void rebuildSidetone();
    /// Shows the TX indicator while an edit holds a selection that Ctrl+T would key.
    void RefreshCommandBarSelection();
    /// Toggles the bank box and switches the bank, as Ctrl+9 does.
    void toggleBank();

    bool contactChanged() const;
    int shownBank() const { return m_bank; }
    /// Appends to the text area, trimming it coarsely so it never grows without bound.
    void AppendMonitorText(const QString& text);
    /// Takes the word at the text area's caret (or its selection) into a field by the field's rule.
    void PickIntoField(int pickField, bool fromSavedSelection = false);
    /// The "..." buttons: find a call or an exchange code near the end of the transcript.
    void ExtractCallIntoField();
    void ExtractCodeIntoField();

    // SenderHost, and what automatic CQ and keyboard keying also need of it
    void LogText(const QString& text) override;
    int wpmBoxIndex() const override;
    QRect escButtonScreenRect() const override;
    bool isCqButtonChecked() const override;
    void setCqButtonChecked(bool checked) override;
    void CqToggle() override;
    void clearContact() override { ClearCommand(); }
    void setTxProgressRange(int maximum) override;
    void setTxProgress(int value) override;
    void stepTxProgress() override;
    void setWatchProgress(int value) override;

    // CqHost and KeyboardHost
    Settings& settings() override { return m_settings; }
    KeyerState& state() override { return m_state; }
    const KeyState& keys() const override { return m_dev.keys; }
    Clock& clock() override { return m_dev.clock; }
    MorseSender& sender() override { return m_sender; }
    bool remoteWaiting() const override;
    bool isRemoteStation() const override;
    bool AbortRequested() const override { return m_sender.AbortRequested(); }
    bool cqBoxHasFocus() const override;
    void focusCqBox() override;
    void keyboardKeyingOff() override;
    void closeKeyboardLine() override { m_keyboard.closeLine(); }
    void enableOperating(bool enable) override { EnableOperatingControls(enable, Scope::Operating); }
    void enableButtons(bool enable) override { EnableOperatingControls(enable, Scope::Buttons); }
    void setFieldText(int field, const QString& text) override;
    void showCqProgress(bool show) override;
    void setCqProgress(int barId, int value) override;
    void resetCqProgress() override;
    int sendCqMessage(const QString& text) override;
    bool isKeyBoxChecked() const override;
    QLineEdit& inputLine() override { return *edit(Ctl::InputLine); }
    void stopCqQuietly() override;
    void enableKeyingButtons(bool enable) override;
    bool hasOpenLine() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    /// A wheel over the form between its controls: Ctrl+Shift turned back still opens the view dialog.
    void wheelEvent(QWheelEvent* event) override;

private:
    /// Keys text as a button transmission with PTT and its lead time around it; true when it went
    /// to the host station instead.
    bool sendWithPtt(const QString& text, int mode, int& result);
    /// Gives a control the focus, switching the bank first when the focus-table row needs it.
    void reachDestination(int entry);
    void clearDefaultLook();
    void connectControls();
    void showBank(int bank);
    void switchBank(bool advanceFocus = true);
    void fieldEdited(int field, const QString& text);
    void setChildrenEnabled(bool enable);
    /// The RcvCW, V, mode, frequency and R controls: only with the link up and both switches on.
    void setLinkControlsEnabled(bool enable);
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Enter on a selected starred token jumps to where its text is kept.
    bool jumpToToken(const QString& selected);
    void focusAndSelect(int id);
    void prePick(int position);
    void textAreaLostFocus();
    /// What a click on the bank, CQ or KEY box does.
    void boxCommand(int id);

    /// The control that has the keyboard focus, when the focus is inside the form.
    QWidget* focusedControl() const;
    QPushButton* button(int id) const;
    QLineEdit* edit(int id) const;
    QCheckBox* box(int id) const;
    /// A key on the RcvCW controls or a key that gives up a remote wait; true when it was taken.
    bool linkKey(QKeyEvent* event);
    bool linkWheel(QWheelEvent* event);
    /// Up and Down on the frequency edit, and the accelerator chords kept from the mode list.
    bool frequencyKey(QObject* watched, QEvent* event);
    /// Runs a command of the link's menu and keys; any other command does nothing.
    void linkCommand(int command);
    /// Sends the field when id is a contact field.
    void sendFieldOf(int id);

    Settings& m_settings;
    KeyerState& m_state;
    FrameHost& m_frame;
    Devices m_dev;
    MorseSender m_sender;
    QHash<int, QWidget*> m_controls;
    int m_bank = 0;
    bool m_suppressAdvance = false;
    int m_selectionEdit = 0; ///< the edit whose selection the command bar last offered to key
    QString m_savedSelection;
    AutomaticCq m_cq{*this};
    KeyboardKeyer m_keyboard{*this};
    FocusDestinations m_destinations{*this, m_frame};
    std::unique_ptr<LinkScreen> m_link; // made once the controls exist
    FormGeometry m_geometry;
    QFont m_baseFont;
    int m_zoom = 100;
};
