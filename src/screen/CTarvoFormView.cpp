#include "screen/CTarvoFormView.h"

#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "link/StationLink.h"
#include "log/CsvLog.h"
#include "platform/Clock.h"
#include "resources/Accel128.h"
#include "resources/ControlIds.h"
#include "resources/Form130.h"
#include "resources/Menu128.h"
#include "screen/EditContextMenu.h"
#include "screen/FocusTable.h"
#include "screen/FormBuilder.h"
#include "screen/FrameHost.h"
#include "screen/LinkScreen.h"
#include "screen/Picking.h"
#include "screen/TxBank.h"
#include "settings/Settings.h"
#include "templates/TemplateTokens.h"
#include "templates/TokenTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>

namespace {

constexpr int kLinkControls[] = {Ctl::RcvCw, Ctl::View, Ctl::Mode, Ctl::Freq, Ctl::Request};
constexpr int kProgressBars[] = {Ctl::TxProgress, Ctl::CountProgress, Ctl::WatchProgress};

/// The sixteen edits whose selection can be keyed.
bool isSendableEdit(int id) {
    return (id >= Ctl::Call && id <= Ctl::Msg4) || id == Ctl::TextArea || id == Ctl::Msg6 || id == Ctl::Msg7 ||
           id == Ctl::Msg5 || id == Ctl::Msg8 || id == Ctl::InputLine;
}

// Pick numbers of the contact fields CALL, RST, NAME, QTH, M1, M2, and the other way round.
constexpr int kPickOfField[kContactFields] = {PickCall, PickRst, PickName, PickQth, PickM1, PickM2};
constexpr int kFieldOfPick[kContactFields] = {FieldCALL, FieldRST, FieldM2, FieldM1, FieldNAME, FieldQTH};
constexpr int kTextAreaLines = 500;
constexpr int kTextAreaChars = 40000;
constexpr int kChannelRest = 7;

/// The seventeen edits with the operating screen's own context menu.
bool isContextEdit(int id) {
    return isSendableEdit(id) || id == Ctl::Freq;
}

/// Return or Enter, as a key press or as the question whether a shortcut may take it.
bool isLineBreakKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CTarvoFormView::CTarvoFormView(Settings& settings, KeyerState& state, FrameHost& frame, const Devices& devices,
                               QWidget* parent)
    : QWidget(parent), m_settings(settings), m_state(state), m_frame(frame), m_dev(devices),
      m_sender(settings, state, *this,
               {devices.clock, devices.keys, devices.lines, devices.engine, devices.expander, devices.link}),
      m_geometry(Form130(), Ctl::TextArea) {
    setObjectName(QStringLiteral("CTarvoFormView"));
    // The form was laid out for narrow button margins; captions such as "{TX01}[1]" need them.
    setStyleSheet(QStringLiteral("QPushButton { padding: 0px 1px; }"));
    m_controls = BuildForm(Form130(), this);
    m_baseFont = font();
    relayout();
    m_link = std::make_unique<LinkScreen>(*this, m_dev.link);
    connectControls();
}

CTarvoFormView::~CTarvoFormView() {
    // The link's handler and the poll timer act on the controls: both go before them.
    m_link->polling().stop();
    m_dev.link.stop();
}

bool CTarvoFormView::remoteWaiting() const {
    return m_link->remoteWait().waiting();
}

bool CTarvoFormView::cqTimerActive() const {
    return m_cq.timerActive();
}

bool CTarvoFormView::keyboardLocked() const {
    return m_keyboard.controlsDisabled();
}

QWidget* CTarvoFormView::focusedControl() const {
    // The view's own focusWidget() remembers its last focused child even while the focus is in the
    // command bar, where Enter or Ctrl+T must not act on that child.
    QWidget* focused = QApplication::focusWidget();
    return focused && isAncestorOf(focused) ? focused : nullptr;
}

QPushButton* CTarvoFormView::button(int id) const {
    return static_cast<QPushButton*>(m_controls.value(id));
}

QLineEdit* CTarvoFormView::edit(int id) const {
    return static_cast<QLineEdit*>(m_controls.value(id));
}

QCheckBox* CTarvoFormView::box(int id) const {
    return static_cast<QCheckBox*>(m_controls.value(id));
}

QPlainTextEdit* CTarvoFormView::textArea() const {
    return static_cast<QPlainTextEdit*>(m_controls.value(Ctl::TextArea));
}

void CTarvoFormView::connectControls() {
    for (int position = 1; position <= 8; ++position) {
        connect(button(Ctl::kTxButtons[position - 1]), &QPushButton::clicked, this,
                [this, position] { SendPreparedMessage(position); });
        connect(edit(Ctl::kTxEdits[position - 1]), &QLineEdit::textEdited, this,
                [this, position](const QString& t) { m_settings.TX[MessageIndex(m_bank, position)] = t; });
    }
    for (int field = 0; field < kContactFields; ++field) {
        connect(edit(Ctl::kFields[field]), &QLineEdit::textEdited, this,
                [this, field](const QString& t) { fieldEdited(field, t); });
    }
    connect(button(Ctl::Clear), &QPushButton::clicked, this, &CTarvoFormView::ClearCommand);
    connect(box(Ctl::Bank), &QCheckBox::clicked, this, [this] { switchBank(); });
    connect(button(Ctl::CallExtractor), &QPushButton::clicked, this, &CTarvoFormView::ExtractCallIntoField);
    connect(button(Ctl::CodeExtractor), &QPushButton::clicked, this, &CTarvoFormView::ExtractCodeIntoField);
    textArea()->setUndoRedoEnabled(false);
    for (int id : {Ctl::Cq, Ctl::Key})
        connect(box(id), &QCheckBox::clicked, this, [this, id] { boxCommand(id); });
    connect(edit(Ctl::InputLine), &QLineEdit::textEdited, this, [this](const QString& t) {
        m_settings.KEY_DATA = t;
        m_keyboard.inputChanged();
    });
    connect(box(Ctl::RcvCw), &QCheckBox::clicked, this,
            [this](bool checked) { m_link->polling().boxToggled(checked); });
    auto* channel = static_cast<QSpinBox*>(control(Ctl::StringChannel));
    connect(channel, &QSpinBox::valueChanged, this, [this, channel](int value) {
        // Held in the middle, so that it always steps both ways.
        const QSignalBlocker hold(channel);
        channel->setValue(kChannelRest);
        if (box(Ctl::RcvCw)->isChecked())
            m_link->polling().step(value - kChannelRest);
    });
    connect(button(Ctl::Request), &QPushButton::clicked, this, [this] { linkCommand(Cmd::RequestFreq); });
    connect(button(Ctl::View), &QPushButton::clicked, this, [this] { linkCommand(Cmd::OpenView); });
    connect(button(Ctl::Esc), &QPushButton::clicked, this, [this] { onCommand(Ctl::Esc); });
    for (QWidget* widget : std::as_const(m_controls))
        widget->installEventFilter(this);
    // Mouse events of the text area, its right button among them, arrive at its viewport.
    textArea()->viewport()->installEventFilter(this);
    textArea()->setTabChangesFocus(true);
}

void CTarvoFormView::OnInitialUpdate() {
    auto* channel = static_cast<QSpinBox*>(control(Ctl::StringChannel));
    {
        const QSignalBlocker quiet(channel);
        channel->setRange(0, 13);
        channel->setValue(kChannelRest);
    }
    auto* mode = static_cast<QComboBox*>(control(Ctl::Mode));
    for (const QString& name : m_settings.Mode)
        mode->addItem(name);
    // Enter sends the mode to the rig; it never adds to the list.
    mode->setInsertPolicy(QComboBox::NoInsert);
    m_frame.RebuildCommandBar(TxHidden);

    for (int field = 0; field < kContactFields; ++field)
        edit(Ctl::kFields[field])->setText(m_settings.his[field]);
    box(Ctl::Bank)->setChecked(m_settings.to9 == 1);
    showBank(m_settings.to9);
    m_settings.KEY = 0;
    box(Ctl::Key)->setChecked(false);
    edit(Ctl::InputLine)->setText(m_settings.KEY_DATA);

    for (int id : Ctl::kFields)
        edit(id)->setMaxLength(kTextLimit);
    for (int id : Ctl::kTxEdits)
        edit(id)->setMaxLength(kTextLimit);
    edit(Ctl::InputLine)->setMaxLength(kTextLimit);
    edit(Ctl::Freq)->setMaxLength(13);
    edit(Ctl::FreqSmall)->setMaxLength(4);
    mode->lineEdit()->setMaxLength(4);

    textArea()->setPlainText(QStringLiteral(" TX monitor area ( No.%1 \"%2\" \"%3\" \"%4\" )\n")
                                 .arg(m_settings.Select)
                                 .arg(m_settings.currentTitle, m_settings.currentMYCALL, m_settings.currentMYQTH));
    m_link->remoteWait().SetRemoteWait(RemoteWait::End);
    m_link->StartStopLink(true);
    m_dev.sidetone.BuildSidetone();
    EnableOperatingControls(true, Scope::Buttons);

    if (button(Ctl::Clear)->isEnabled())
        button(Ctl::Clear)->setFocus();
    button(Ctl::Clear)->setDefault(true);
    if (m_settings.Boot != 0)
        QMetaObject::invokeMethod(
            this, [this] { onCommand(Cmd::VoiceCq); }, Qt::QueuedConnection);
}

void CTarvoFormView::showBank(int bank) {
    m_bank = bank;
    for (int position = 1; position <= 8; ++position) {
        button(Ctl::kTxButtons[position - 1])->setText(TxCaption(bank, position));
        edit(Ctl::kTxEdits[position - 1])->setText(m_settings.TX[MessageIndex(bank, position)]);
    }
}

void CTarvoFormView::switchBank(bool advanceFocus) {
    // Stopped the whole way, so the controls that CQ took come back and its timer ends.
    stopCqQuietly();
    const int newBank = box(Ctl::Bank)->isChecked() ? 1 : 0;
    m_settings.to9 = newBank;
    for (int position = 1; position <= 8; ++position)
        m_settings.TX[MessageIndex(m_bank, position)] = edit(Ctl::kTxEdits[position - 1])->text();
    showBank(newBank);
    if (advanceFocus)
        AdvanceFocus(Ctl::Bank);
}

void CTarvoFormView::fieldEdited(int field, const QString& text) {
    m_dev.log.setContactChanged();
    stopCqQuietly();
    m_settings.his[field] = text;
}

void CTarvoFormView::stopCqQuietly() {
    if (!m_state.cqRepeat)
        return;
    m_suppressAdvance = true;
    setCqButtonChecked(false);
    CqToggle();
    m_suppressAdvance = false;
}

void CTarvoFormView::setFieldText(int field, const QString& text) {
    m_dev.log.setContactChanged();
    edit(Ctl::kFields[field])->setText(text);
    m_settings.his[field] = text;
}

void CTarvoFormView::keyboardKeyingOff() {
    m_settings.KEY = 0;
    box(Ctl::Key)->setChecked(false);
}

void CTarvoFormView::SendPreparedMessage(int position) {
    applyWpmBox();
    prePick(position);
    const int buttonId = Ctl::kTxButtons[position - 1];
    QPushButton* pressed = button(buttonId);
    QLineEdit* message = edit(Ctl::kTxEdits[position - 1]);
    if (pressed->isEnabled())
        pressed->setFocus();
    clearDefaultLook();
    pressed->setDefault(true);
    stopCqQuietly();
    if (m_state.KeyLinePending)
        closeKeyboardLine();
    // Not only while a message is keyed: inside another's PTT lead or a keyboard run, a second
    // transmission would drop the PTT the first one still keys under.
    if (m_state.onAir())
        return;

    const QString text = message->text();
    EnableOperatingControls(false, Scope::WholeView);
    int result = 0;
    const bool remote = sendWithPtt(text, SendButton, result);
    if (!remote) {
        EnableOperatingControls(true, Scope::WholeView);
        if (result == 0) {
            AdvanceFocus(buttonId);
            return;
        }
    } else if (result == 0) {
        if (remoteWaiting())
            m_link->remoteWait().focusAfterAnswer(buttonId); // the focus moves on at the host's answer
        else
            EnableOperatingControls(true, Scope::WholeView); // nothing went to the host
        return;
    } else {
        EnableOperatingControls(true, Scope::WholeView);
    }
    const TokenSpan span = m_state.tokenSpan;
    if (span.isEmpty()) {
        if (pressed->isEnabled())
            pressed->setFocus();
        return;
    }
    message->setFocus();
    message->setSelection(span.start, span.end - span.start);
}

bool CTarvoFormView::sendWithPtt(const QString& text, int mode, int& result) {
    if (m_dev.link.isRemoteStation()) {
        result = m_sender.SendMorse(text, mode);
        return true;
    }
    const TransmissionScope onAir(m_state);
    const bool ptt = !text.isEmpty() && m_sender.RaisePtt();
    result = m_sender.SendMorse(text, mode);
    if (ptt)
        m_sender.DropPtt();
    return false;
}

void CTarvoFormView::ClearCommand() {
    if (m_settings.Send_CLSYNC)
        m_link->ClearRequests();
    ClearContact();
}

void CTarvoFormView::ClearContact() {
    QPushButton* clear = button(Ctl::Clear);
    if (clear->isEnabled())
        clear->setFocus();
    clearDefaultLook();
    clear->setDefault(true);
    if (m_state.cqRepeat) {
        setCqButtonChecked(false);
        CqToggle();
    }
    for (int field = 0; field < kContactFields; ++field) {
        if (m_settings.chk[field] != 1)
            continue;
        m_settings.his[field] = m_settings.init[field];
        edit(Ctl::kFields[field])->setText(m_settings.init[field]);
    }
    AdvanceFocus(Ctl::Clear);
}

void CTarvoFormView::SendSelection() {
    sendSelectionOf(focusedControl());
}

void CTarvoFormView::sendSelectionOf(QWidget* focused) {
    const int id = controlId(focused);
    if (!isSendableEdit(id)) {
        RefreshCommandBarSelection();
        return;
    }
    const QString selected = id == Ctl::TextArea ? textArea()->textCursor().selectedText() : edit(id)->selectedText();
    const QString text = SendableSelection(selected);
    if (!text.isEmpty()) {
        closeKeyboardLine();
        if (!m_state.onAir()) {
            m_frame.RebuildCommandBar(TxPressed);
            EnableOperatingControls(false, Scope::WholeView);
            int result = 0;
            sendWithPtt(text, SendButton, result);
            EnableOperatingControls(true, Scope::WholeView);
            m_frame.RebuildCommandBar(TxShown);
            if (focused->isEnabled())
                focused->setFocus();
        }
    }
    RefreshCommandBarSelection();
}

void CTarvoFormView::setChildrenEnabled(bool enable) {
    // Disabling the focused control would send the focus hopping through the others in the order
    // they happen to be disabled, each hop running its focus handlers: hand it over once, first.
    QWidget* focused = window()->focusWidget();
    if (!enable && focused && isAncestorOf(focused)) {
        if (control(Ctl::Esc)->isVisible())
            control(Ctl::Esc)->setFocus();
        else
            focused->clearFocus();
    }
    // The Esc button stays live: it is how the operator stops a transmission with the mouse.
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        if (it.key() != Ctl::Esc)
            it.value()->setEnabled(enable);
    }
}

void CTarvoFormView::EnableOperatingControls(bool enable, Scope scope) {
    if (!remoteWaiting())
        control(Ctl::Esc)->setVisible(!enable);
    switch (scope) {
    case Scope::WholeView:
    case Scope::FrameAndView:
        m_frame.setCommandBarEnabled(enable);
        setChildrenEnabled(enable);
        break;
    case Scope::Operating:
        if (m_state.sending)
            break;
        if (enable && m_settings.CQ_Progress != 0) {
            for (int id : kProgressBars)
                control(id)->hide();
        }
        m_frame.setCommandBarEnabled(enable);
        for (int id : Ctl::kFields)
            control(id)->setEnabled(enable);
        for (int id : Ctl::kTxEdits)
            control(id)->setEnabled(enable);
        [[fallthrough]];
    case Scope::Buttons:
        for (int id : Ctl::kTxButtons)
            control(id)->setEnabled(enable);
        for (int id : {Ctl::Clear, Ctl::Bank, Ctl::Key})
            control(id)->setEnabled(enable);
        if (scope == Scope::Operating && !enable) {
            m_settings.KEY = 0;
            box(Ctl::Key)->setChecked(false);
        }
        break;
    }
    setLinkControlsEnabled(enable);
    if (m_dev.link.isRemoteStation()) {
        m_settings.KEY = 0;
        box(Ctl::Key)->setChecked(false);
        control(Ctl::Key)->setEnabled(false);
    }
}

void CTarvoFormView::clearDefaultLook() {
    for (const FocusEntry& row : FocusRows()) {
        if (row.kind == FocusEntry::Button)
            button(row.control)->setDefault(false);
    }
}

void CTarvoFormView::AdvanceFocus(int controlId) {
    if (m_suppressAdvance)
        return;
    clearDefaultLook();
    auto* checkBox = qobject_cast<QCheckBox*>(control(controlId));
    const int entry = MatchFocusEntry(controlId, checkBox && checkBox->isChecked(), m_bank);
    if (entry < 0)
        return;
    reachDestination(m_settings.focusTarget[entry]);
}

void CTarvoFormView::reachDestination(int entry) {
    const FocusEntry& row = FocusRows()[entry];
    if ((row.bank == 1 && m_bank == 1) || (row.bank == 2 && m_bank == 0)) {
        box(Ctl::Bank)->setChecked(row.bank == 2);
        // The destination takes the focus next. The bank box's own move would only lead elsewhere,
        // and round and round where two bank destinations point into each other's bank.
        switchBank(false);
    }
    QWidget* target = control(row.control);
    if (!target->isEnabled())
        return;
    target->setFocus();
    if (row.kind == FocusEntry::Button)
        button(row.control)->setDefault(true);
    if (row.kind != FocusEntry::Edit)
        return;
    // A character typed ahead while CQ ran must not be replaced by the next one.
    if (m_cq.typeAhead())
        edit(row.control)->end(false);
    else if (!edit(row.control)->text().isEmpty())
        edit(row.control)->selectAll();
    RefreshCommandBarSelection();
}

void CTarvoFormView::Shutdown() {
    m_cq.kill();
    m_link->polling().stop();
    m_dev.lines.SetLine(0, false);
    closeKeyboardLine();
    m_link->StartStopLink(false);
    m_dev.sidetone.CloseSidetone();
}

void CTarvoFormView::setLinkControlsEnabled(bool enable) {
    const bool linkOn = enable && m_link->enabling().exchange;
    for (int id : kLinkControls)
        control(id)->setEnabled(linkOn);
}

void CTarvoFormView::refreshLinkControls() {
    setLinkControlsEnabled(!m_state.onAir() && !remoteWaiting());
    m_frame.applyLinkMenuRules();
}

LinkEnabling CTarvoFormView::linkEnabling() const {
    return m_link->enabling();
}

void CTarvoFormView::sendFieldOf(int id) {
    for (int field = 0; field < kContactFields; ++field) {
        if (Ctl::kFields[field] == id)
            m_link->sendField(ContactField(field));
    }
}

void CTarvoFormView::CqStoppedEarly(const TokenSpan& span) {
    setCqButtonChecked(false);
    CqToggle();
    if (m_settings.CQ_Progress != 0) {
        for (int id : kProgressBars)
            control(id)->hide();
    }
    const int cqBank = m_settings.CQ_Sel > 8 ? 1 : 0;
    if (cqBank != m_bank) {
        box(Ctl::Bank)->setChecked(cqBank == 1);
        switchBank();
    }
    m_cq.holdFocus();
    QLineEdit* message = edit(Ctl::kTxEdits[(m_settings.CQ_Sel - 1) % 8]);
    if (!message->isEnabled())
        return;
    message->setFocus();
    message->setSelection(span.start, span.end - span.start);
}

void CTarvoFormView::LogText(const QString& text) {
    AppendMonitorText(text);
    m_dev.log.LogText(text);
}

bool CTarvoFormView::hasOpenLine() const {
    return m_dev.log.hasOpenLine();
}

bool CTarvoFormView::contactChanged() const {
    return m_dev.log.contactChanged();
}

void CTarvoFormView::AppendMonitorText(const QString& text) {
    QPlainTextEdit* area = textArea();
    QTextDocument* document = area->document();
    if (document->blockCount() >= kTextAreaLines)
        document->clear();
    const int length = document->characterCount() - 1;
    if (length > kTextAreaChars) {
        QTextCursor head(document);
        head.setPosition(length / 2, QTextCursor::KeepAnchor);
        head.removeSelectedText();
    }
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    area->setTextCursor(end);
    area->ensureCursorVisible();
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    end.insertText(plain);
    if (text == QLatin1String("\r\n")) {
        // Keep the finished line, not the new empty one, as the last line in view.
        end.movePosition(QTextCursor::PreviousCharacter);
        area->setTextCursor(end);
        area->ensureCursorVisible();
    } else {
        area->setTextCursor(end);
        area->ensureCursorVisible();
    }
    area->viewport()->repaint();
}

void CTarvoFormView::putField(int field, const QString& text) {
    edit(Ctl::kFields[field])->setText(text);
    m_settings.his[field] = text;
}

void CTarvoFormView::textAreaLostFocus() {
    m_savedSelection.clear();
    const QTextCursor cursor = textArea()->textCursor();
    const int now = controlId(QApplication::focusWidget());
    const bool toTxButton =
        std::find(std::begin(Ctl::kTxButtons), std::end(Ctl::kTxButtons), now) != std::end(Ctl::kTxButtons);
    if (m_selectionEdit == Ctl::TextArea && toTxButton && cursor.hasSelection())
        m_savedSelection = cursor.selectedText();
    m_selectionEdit = 0;
    m_frame.RebuildCommandBar(TxHidden);
}

void CTarvoFormView::prePick(int position) {
    if (m_savedSelection.isEmpty())
        return;
    const QString message = edit(Ctl::kTxEdits[position - 1])->text();
    for (ContactField field : FieldsToPrePick(message))
        PickIntoField(kPickOfField[field], true);
    m_savedSelection.clear();
}

void CTarvoFormView::PickIntoField(int pickField, bool fromSavedSelection) {
    const int field = kFieldOfPick[pickField];
    const int fieldId = Ctl::kFields[field];
    QString word = m_savedSelection;
    if (!fromSavedSelection) {
        if (focusedControl() != textArea())
            return focusAndSelect(fieldId);
        const QTextCursor cursor = textArea()->textCursor();
        word = cursor.selectedText();
        if (word.isEmpty()) {
            const QString all = textArea()->toPlainText();
            const WordSpan span = WordAround(all, cursor.position());
            if (span.isEmpty())
                return focusAndSelect(fieldId);
            word = all.mid(span.start, span.end - span.start);
        }
    }
    const QString result = CleanPick(PickField(pickField), word);
    if (result.isEmpty())
        return;
    putField(field, result);
    m_link->sendField(ContactField(field));
    if (!fromSavedSelection)
        AdvanceFocus(fieldId);
}

void CTarvoFormView::ExtractCallIntoField() {
    putField(FieldCALL, QString());
    const QString call = ExtractCall(textArea()->toPlainText(), m_settings.currentMYCALL);
    if (call.isEmpty())
        return;
    putField(FieldCALL, call);
    QLineEdit* field = edit(Ctl::Call);
    field->setFocus();
    const CallSelection selection = SelectionForCall(call);
    if (selection.length > 0)
        field->setSelection(selection.start, selection.length);
    else
        field->end(false);
    m_link->sendField(FieldCALL);
}

void CTarvoFormView::ExtractCodeIntoField() {
    putField(FieldM1, QString());
    const QString code = ExtractCode(textArea()->toPlainText());
    if (code.isEmpty())
        return;
    putField(FieldM1, code);
    edit(Ctl::M1)->setFocus();
    edit(Ctl::M1)->end(false);
    m_link->sendField(FieldM1);
}

int CTarvoFormView::wpmBoxIndex() const {
    return m_frame.wpmBoxIndex();
}

QRect CTarvoFormView::escButtonScreenRect() const {
    const QWidget* esc = control(Ctl::Esc);
    return QRect(esc->mapToGlobal(QPoint(0, 0)), esc->size());
}

bool CTarvoFormView::isCqButtonChecked() const {
    return box(Ctl::Cq)->isChecked();
}

void CTarvoFormView::setCqButtonChecked(bool checked) {
    box(Ctl::Cq)->setChecked(checked);
}

void CTarvoFormView::CqToggle() {
    m_cq.CqToggle();
}

bool CTarvoFormView::isRemoteStation() const {
    return m_dev.link.isRemoteStation();
}

bool CTarvoFormView::cqBoxHasFocus() const {
    return QApplication::focusWidget() == control(Ctl::Cq);
}

void CTarvoFormView::focusCqBox() {
    if (control(Ctl::Cq)->isEnabled())
        control(Ctl::Cq)->setFocus();
}

int CTarvoFormView::sendCqMessage(const QString& text) {
    int result = 0;
    sendWithPtt(text, SendCqRepeat, result);
    return result;
}

bool CTarvoFormView::isKeyBoxChecked() const {
    return box(Ctl::Key)->isChecked();
}

void CTarvoFormView::enableKeyingButtons(bool enable) {
    for (int id : Ctl::kTxButtons)
        control(id)->setEnabled(enable);
    for (int id : {Ctl::Clear, Ctl::Cq, Ctl::Bank})
        control(id)->setEnabled(enable);
    m_frame.setCommandBarEnabled(enable);
}

void CTarvoFormView::setTxProgressRange(int maximum) {
    static_cast<QProgressBar*>(control(Ctl::TxProgress))->setRange(0, maximum);
}

void CTarvoFormView::setTxProgress(int value) {
    static_cast<QProgressBar*>(control(Ctl::TxProgress))->setValue(value);
}

void CTarvoFormView::stepTxProgress() {
    auto* bar = static_cast<QProgressBar*>(control(Ctl::TxProgress));
    bar->setValue(bar->value() + 1);
}

void CTarvoFormView::setWatchProgress(int value) {
    static_cast<QProgressBar*>(control(Ctl::WatchProgress))->setValue(value);
}

void CTarvoFormView::showCqProgress(bool show) {
    for (int id : kProgressBars)
        control(id)->setVisible(show);
}

void CTarvoFormView::setCqProgress(int barId, int value) {
    static_cast<QProgressBar*>(control(barId))->setValue(value);
}

void CTarvoFormView::resetCqProgress() {
    static_cast<QProgressBar*>(control(Ctl::TxProgress))->setRange(0, 100);
    static_cast<QProgressBar*>(control(Ctl::CountProgress))->setRange(0, m_settings.CQ_Limit);
    static_cast<QProgressBar*>(control(Ctl::WatchProgress))->setRange(0, m_settings.CQ_Sec * 1000);
    for (int id : kProgressBars)
        setCqProgress(id, 0);
    showCqProgress(true);
}

void CTarvoFormView::boxCommand(int id) {
    if (id == Ctl::Bank)
        switchBank();
    else if (id == Ctl::Cq)
        CqToggle();
    else if (id == Ctl::Key)
        m_keyboard.KeyHandler();
}

void CTarvoFormView::toggleBank() {
    box(Ctl::Bank)->toggle();
    switchBank();
}

void CTarvoFormView::onCommand(int command) {
    switch (command) {
    case Cmd::ClearContact:
        return ClearCommand();
    case Cmd::TxPress1:
    case Cmd::TxPress1 + 1:
    case Cmd::TxPress1 + 2:
    case Cmd::TxPress1 + 3:
        return SendPreparedMessage(command - Cmd::TxPress1 + 1);
    case Cmd::TxPress5:
        return SendPreparedMessage(5);
    case Cmd::TxPress6:
        return SendPreparedMessage(6);
    case Cmd::TxPress7:
        return SendPreparedMessage(7);
    case Cmd::TxPress8:
        return SendPreparedMessage(8);
    case Cmd::ToggleBank:
        return toggleBank();
    case Cmd::ToggleCq:
        box(Ctl::Cq)->toggle();
        return boxCommand(Ctl::Cq);
    case Cmd::ToggleKey:
        box(Ctl::Key)->toggle();
        return boxCommand(Ctl::Key);
    case Cmd::SendSelection:
        if (!m_state.cqRepeat)
            SendSelection();
        return;
    case Cmd::Enter:
        return EnterHandler();
    case Cmd::PickCall:
    case Cmd::PickCall + 1:
    case Cmd::PickCall + 2:
    case Cmd::PickCall + 3:
    case Cmd::PickCall + 4:
    case Cmd::PickCall + 5: {
        // Alt+C, H, N, Q, E, Y name CALL, RST, NAME, QTH, M1, M2 in screen order.
        return PickIntoField(kPickOfField[command - Cmd::PickCall]);
    }
    case Ctl::Esc:
        return m_link->remoteWait().SendRemoteEscape();
    case Cmd::VoiceCq:
        return OpenVoiceDialog();
    default:
        return linkCommand(command);
    }
}

void CTarvoFormView::EnterHandler() {
    QWidget* focused = focusedControl();
    const int id = controlId(focused);
    if (id == Ctl::Freq || (focused && control(Ctl::Mode)->isAncestorOf(focused)) || id == Ctl::Mode)
        return m_link->frequency().enterPressed();
    if (m_settings.KEY == 1 && id == Ctl::InputLine && edit(id)->text().isEmpty())
        LogText(QStringLiteral("\r\n"));
    clearDefaultLook();
    auto* checkBox = qobject_cast<QCheckBox*>(focused);
    const int entry = MatchFocusEntry(id, checkBox && checkBox->isChecked(), m_bank);
    if (entry < 0)
        return;
    const FocusEntry& row = FocusRows()[entry];
    if (row.kind == FocusEntry::Button) {
        QMetaObject::invokeMethod(button(id), &QPushButton::click, Qt::QueuedConnection);
        return;
    }
    if (row.kind == FocusEntry::CheckBox) {
        checkBox->toggle();
        QMetaObject::invokeMethod(
            this, [this, id] { boxCommand(id); }, Qt::QueuedConnection);
        return;
    }
    sendFieldOf(id);
    if (m_suppressAdvance || jumpToToken(edit(id)->selectedText()))
        return;
    const int destination = m_settings.focusTarget[entry];
    if (FocusRows()[destination].control == id)
        return; // the same edit keeps its focus and selection
    reachDestination(destination);
}

bool CTarvoFormView::jumpToToken(const QString& selected) {
    const auto match = MatchToken(selected, 0);
    if (!match || match->length != selected.size() || match->stars == 0)
        return false;
    if (match->row < kContactFields) {
        focusAndSelect(Ctl::kFields[match->row]);
        return true;
    }
    if (match->row < 8)
        return true; // own call and QTH have no field to jump to
    const int message = match->row - 8;
    if (message / 8 != m_bank)
        toggleBank();
    focusAndSelect(Ctl::kTxEdits[message % 8]);
    return true;
}

void CTarvoFormView::focusAndSelect(int id) {
    QLineEdit* target = edit(id);
    if (!target->isEnabled())
        return;
    target->setFocus();
    if (!target->text().isEmpty())
        target->selectAll();
}

void CTarvoFormView::rebuildSidetone() {
    // The tones are the keying engine's while a transmission is on the air.
    if (!m_state.onAir())
        m_dev.sidetone.BuildSidetone();
}

void CTarvoFormView::applyWpmBox() {
    if (m_frame.wpmBoxIndex() + 10 == m_settings.WPM || m_state.onAir())
        return;
    m_dev.sidetone.CloseSidetone();
    m_settings.WPM = m_frame.wpmBoxIndex() + 10;
    m_dev.sidetone.BuildSidetone();
}

void CTarvoFormView::RefreshCommandBarSelection() {
    if (m_keyboard.controlsDisabled())
        return;
    if (m_state.cqRepeat)
        return;
    applyWpmBox();
    const int id = controlId(focusedControl());
    bool selection = false;
    if (id == Ctl::TextArea)
        selection = textArea()->textCursor().hasSelection();
    else if (isSendableEdit(id))
        selection = edit(id)->hasSelectedText();
    m_selectionEdit = selection ? id : 0;
    m_frame.RebuildCommandBar(selection ? TxShown : TxHidden);
}

bool CTarvoFormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && linkKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (frequencyKey(watched, event))
        return true;
    if (event->type() == QEvent::Wheel && linkWheel(static_cast<QWheelEvent*>(event)))
        return true;
    if (watched == control(Ctl::InputLine) && event->type() == QEvent::FocusOut)
        closeKeyboardLine();
    if (watched == control(Ctl::TextArea) && event->type() == QEvent::FocusOut)
        textAreaLostFocus();
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool moves = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Left ||
                           key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
        if (moves) {
            clearDefaultLook();
            if (auto* pushButton = qobject_cast<QPushButton*>(focusedControl()))
                pushButton->setDefault(true);
        }
        if (moves || key == Qt::Key_Control || key == Qt::Key_Shift)
            RefreshCommandBarSelection();
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const int id = controlId(static_cast<QWidget*>(watched));
        if (id >= Ctl::LabelCall && id <= Ctl::LabelM2)
            PickIntoField(kPickOfField[id - Ctl::LabelCall]);
        auto* mouse = static_cast<QMouseEvent*>(event);
        const auto mods = mouse->modifiers();
        if (mouse->button() == Qt::LeftButton && mods.testFlag(Qt::ControlModifier) &&
            mods.testFlag(Qt::ShiftModifier) && !m_state.cqRepeat)
            return m_destinations.edit(mouse->globalPosition().toPoint());
    }
    if (watched == control(Ctl::TextArea) && isLineBreakKey(event))
        return true; // to the accelerators: typing never breaks a line of the transcript
    if (event->type() == QEvent::ContextMenu) {
        QWidget* target = watched == textArea()->viewport() ? textArea() : static_cast<QWidget*>(watched);
        if (!isContextEdit(controlId(target)))
            return false;
        // Handed on, the event would open Qt's own menu of the edit straight after this one.
        ShowEditContextMenu(target, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
