#include "link/ViewDialog.h"

#include "link/LinkRequests.h"
#include "link/ValPayloads.h"
#include "link/ViewHost.h"
#include "link/ViewItems.h"
#include "resources/Accel128.h"
#include "resources/Dialog147.h"
#include "resources/Menu128.h"
#include "screen/Picking.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int kStrings = 13;
constexpr ContactField kFieldOfPick[6] = {FieldCALL, FieldRST, FieldM2, FieldM1, FieldNAME, FieldQTH};
constexpr int kCommandOf[5] = {Cmd::Jst, Cmd::Utc, Cmd::SetClear, Cmd::SetSave, Cmd::RcvCwFore};
constexpr int kClearCommand = 2;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

QKeySequence ctrlShift(Qt::Key key) {
    return QKeySequence(QKeyCombination(kCtrlShift, key));
}

/// Ctrl+Shift with Up, Down, N, M or F: the frequency chords.
bool isFrequencyChord(const QKeyEvent& key) {
    const int k = key.key();
    const bool chordKey = k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_N || k == Qt::Key_M || k == Qt::Key_F;
    return chordKey && (key.modifiers() & (kCtrlShift | Qt::AltModifier)) == kCtrlShift;
}

} // namespace

ViewDialog::ViewDialog(ViewHost& host, Clock& clock, bool focusFrequency, QWidget* parent)
    : QDialog(parent), m_host(host),
      m_reading(clock, {[this](int string) { m_host.SendLinkRequest(GetStringMessage(string)); },
                        [this](bool enabled) {
                            control(ViewCtl::Get)->setEnabled(enabled);
                        }}),
      m_focusFrequency(focusFrequency) {
    setWindowTitle(QString::fromLatin1(ViewCtl::kTemplateTitle));
    const Settings& s = m_host.viewSettings();
    m_selectedString = s.Recv_STRINGS >= 1 && s.Recv_STRINGS <= kStrings ? s.Recv_STRINGS : 1;
    m_selectedItem = s.SELECT;
    build();
    m_loop->setChecked(s.LOOP == 1);
    m_reading.openWithLoop(s.LOOP == 1);
    m_actionExit->setChecked(s.SELEXIT == 1);
    m_hamlog->setChecked(s.HAMLOG == 1);
    m_frequency->setMaxLength(13);
    m_frequency->setText(m_host.frequencyText());
    m_frequency->setVisible(m_host.frequencyShown());
    m_host.attachFrequency(m_frequency, [this] { refreshTitle(); });
    refreshTitle();
    chooseString(m_selectedString, false);
    m_host.SendLinkRequest(CommandMessage(LinkCommand::SPEC));
    QMetaObject::invokeMethod(this, &ViewDialog::startUpFocus, Qt::QueuedConnection);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const int id = m_controls.key(now, 0);
        const bool keeps =
            std::find(std::begin(ViewCtl::kPicks), std::end(ViewCtl::kPicks), id) != std::end(ViewCtl::kPicks) ||
            std::find(std::begin(ViewCtl::kCommands), std::end(ViewCtl::kCommands), id) != std::end(ViewCtl::kCommands);
        if (std::find(std::begin(ViewCtl::kStringEdits), std::end(ViewCtl::kStringEdits), id) !=
            std::end(ViewCtl::kStringEdits))
            m_source = static_cast<QLineEdit*>(now);
        else if (now && !keeps)
            m_source = nullptr;
    });
}

ViewDialog::~ViewDialog() {
    // The children give up the focus as they go, after the members they would be looked up in.
    disconnect(m_focusWatch);
    m_host.detachFrequency();
}

std::optional<ContactField> ViewDialog::exitField() const {
    if (m_exitAction < 0)
        return std::nullopt;
    return kFieldOfPick[m_exitAction];
}

QLineEdit* ViewDialog::stringEdit(int string) const {
    return static_cast<QLineEdit*>(control(ViewCtl::kStringEdits[string - 1]));
}

void ViewDialog::build() {
    auto* layout = new QVBoxLayout(this);
    auto* strings = new QGridLayout;
    m_strings = new QButtonGroup(this);
    for (int n = 1; n <= kStrings; ++n) {
        const int row = n <= ViewCtl::kLeftColumn ? n - 1 : n - 1 - ViewCtl::kLeftColumn;
        const int column = n <= ViewCtl::kLeftColumn ? 0 : 3;
        auto* radio = new QRadioButton(QString::fromLatin1(ViewCtl::kUnknownPitch), this);
        auto* edit = new QLineEdit(this);
        edit->setTextMargins(2, 0, 2, 0);
        m_strings->addButton(radio, n);
        m_controls.insert(ViewCtl::FirstString + n - 1, radio);
        m_controls.insert(ViewCtl::kStringEdits[n - 1], edit);
        strings->addWidget(new QLabel(QString::fromLatin1(ViewCtl::kStringLabels[n - 1]), this), row, column);
        strings->addWidget(radio, row, column + 1);
        strings->addWidget(edit, row, column + 2);
    }
    strings->setColumnStretch(2, 1);
    strings->setColumnStretch(5, 1);
    connect(m_strings, &QButtonGroup::idClicked, this, [this](int n) { chooseString(n, true); });
    layout->addLayout(strings);
    buildItems();
    buildButtons();
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        it.value()->setObjectName(QStringLiteral("c%1").arg(it.key()));
        // The frequency chords belong to the dialog whichever control has the focus: a radio
        // button would take Up and Down for itself.
        it.value()->installEventFilter(this);
    }
    addShortcuts();
}

void ViewDialog::buildItems() {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Items"), this));
    m_items = new QComboBox(this);
    m_select = new QPushButton(QStringLiteral("Select"), this);
    m_check = new QCheckBox(QStringLiteral("Check"), this);
    m_valueEdit = new QLineEdit(this);
    m_valueEdit->setTextMargins(2, 0, 2, 0);
    m_valueList = new QComboBox(this);
    m_frequency = new QLineEdit(this);
    m_frequency->setTextMargins(2, 0, 2, 0);
    m_controls.insert(ViewCtl::Items, m_items);
    m_controls.insert(ViewCtl::Select, m_select);
    m_controls.insert(ViewCtl::Check, m_check);
    m_controls.insert(ViewCtl::ValueEdit, m_valueEdit);
    m_controls.insert(ViewCtl::ValueList, m_valueList);
    m_controls.insert(ViewCtl::Freq, m_frequency);
    for (QWidget* w : {static_cast<QWidget*>(m_items), static_cast<QWidget*>(m_select), static_cast<QWidget*>(m_check),
                       static_cast<QWidget*>(m_valueEdit), static_cast<QWidget*>(m_valueList)})
        row->addWidget(w);
    row->addStretch(1);
    row->addWidget(m_frequency);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    for (QWidget* value : {static_cast<QWidget*>(m_select), static_cast<QWidget*>(m_check),
                           static_cast<QWidget*>(m_valueEdit), static_cast<QWidget*>(m_valueList)})
        value->hide();

    connect(m_items, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_selectedItem = index;
        showValueControl();
    });
    // Only the operator's changes go to the companion: these signals are not raised by the program.
    connect(m_valueList, &QComboBox::activated, this, [this](int index) {
        const ValueList list = ValueListOf(ParseViewItem(m_records.value(m_selectedItem)));
        if (index >= 0 && index < list.values.size())
            sendValue(ValChoicePayload(m_selectedItem, index), QString::asprintf("%-4d", list.values[index]));
    });
    connect(m_check, &QCheckBox::clicked, this, [this](bool on) {
        sendValue(ValChoicePayload(m_selectedItem, on ? 1 : 0), on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(m_valueEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { sendValue(ValTextPayload(m_selectedItem, text), text); });
    connect(m_select, &QPushButton::clicked, this, [this] {
        m_host.SendLinkRequest(ValMessage(ValChoicePayload(m_selectedItem, 1)));
        PressAction(m_records, m_selectedItem);
    });
}

void ViewDialog::buildButtons() {
    auto* row = new QHBoxLayout;
    auto* get = new QPushButton(QStringLiteral("Get"), this);
    get->setAutoDefault(false);
    m_loop = new QCheckBox(QStringLiteral("Loop"), this);
    m_actionExit = new QCheckBox(QStringLiteral("&Action && Exit"), this);
    m_hamlog = new QCheckBox(QStringLiteral("&Hamlog"), this);
    m_controls.insert(ViewCtl::Get, get);
    m_controls.insert(ViewCtl::Loop, m_loop);
    m_controls.insert(ViewCtl::ActionExit, m_actionExit);
    m_controls.insert(ViewCtl::Hamlog, m_hamlog);
    connect(get, &QPushButton::clicked, this, [this] { m_reading.start(); });
    connect(m_loop, &QCheckBox::clicked, this, [this](bool on) { m_reading.setLoop(on); });
    for (QWidget* w : {static_cast<QWidget*>(get), static_cast<QWidget*>(m_loop), static_cast<QWidget*>(m_actionExit),
                       static_cast<QWidget*>(m_hamlog)})
        row->addWidget(w);
    row->addSpacing(12);
    // In the order the operator reads them: Call, His, Name, mY, codE, QTH.
    for (int pickField : {0, 1, 4, 2, 3, 5}) {
        auto* button = new QPushButton(QString::fromLatin1(ViewCtl::kPickCaptions[pickField]), this);
        button->setAutoDefault(false);
        m_controls.insert(ViewCtl::kPicks[pickField], button);
        connect(button, &QPushButton::clicked, this, [this, pickField] { pick(pickField); });
        row->addWidget(button);
    }
    row->addSpacing(12);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(ViewCtl::kCommandCaptions[i]), this);
        button->setAutoDefault(false);
        m_controls.insert(ViewCtl::kCommands[i], button);
        connect(button, &QPushButton::clicked, this, [this, i] { command(kCommandOf[i], i == kClearCommand); });
        row->addWidget(button);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void ViewDialog::addShortcuts() {
    const auto on = [this](const QKeySequence& keys, auto action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    const Qt::Key stringKeys[kStrings] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7,
                                          Qt::Key_8, Qt::Key_9, Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D};
    for (int n = 1; n <= kStrings; ++n)
        on(ctrlShift(stringKeys[n - 1]), [this, n] { chooseString(n, true); });
    on(ctrlShift(Qt::Key_G), [this] {
        if (control(ViewCtl::Get)->isEnabled())
            m_reading.start();
    });
    on(ctrlShift(Qt::Key_I), [this] { m_items->setFocus(); });
    on(ctrlShift(Qt::Key_L), [this] { m_loop->click(); });
    on(ctrlShift(Qt::Key_S), [this] { focusValueControl(); });
    on(ctrlShift(Qt::Key_R), [this] { m_host.SendLinkRequest(CommandMessage(LinkCommand::FREQ)); });
    on(ctrlShift(Qt::Key_V), [this] { done(Rejected); });
    on(QKeySequence(Qt::ControlModifier | Qt::Key_K), [this] { done(Rejected); });
    on(QKeySequence(Qt::ControlModifier | Qt::Key_0), [this] { m_host.screenCommand(Cmd::ClearContact); });
    const int txCommands[8] = {Cmd::TxPress1, Cmd::TxPress1 + 1, Cmd::TxPress1 + 2, Cmd::TxPress1 + 3,
                               Cmd::TxPress5, Cmd::TxPress6,     Cmd::TxPress7,     Cmd::TxPress8};
    const Qt::Key txKeys[8] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8};
    for (int i = 0; i < 8; ++i)
        on(QKeySequence(QKeyCombination(Qt::ControlModifier, txKeys[i])),
           [this, command = txCommands[i]] { m_host.screenCommand(command); });
    on(QKeySequence(Qt::ControlModifier | Qt::Key_9), [this] {
        m_host.screenCommand(Cmd::ToggleBank);
        refreshTitle();
    });
    on(QKeySequence(Qt::ControlModifier | Qt::Key_Q), [this] { m_host.screenCommand(Cmd::ToggleCq); });
    on(ctrlShift(Qt::Key_Up), [this] {
        m_host.screenCommand(Cmd::FreqUp);
        refreshTitle();
    });
    on(ctrlShift(Qt::Key_Down), [this] {
        m_host.screenCommand(Cmd::FreqDown);
        refreshTitle();
    });
    on(ctrlShift(Qt::Key_N), [this] { m_host.screenCommand(Cmd::StepRangeUp); });
    on(ctrlShift(Qt::Key_M), [this] { m_host.screenCommand(Cmd::StepRangeDown); });
    on(ctrlShift(Qt::Key_F), [this] { m_host.screenCommand(Cmd::SetRigFreq); });
}

void ViewDialog::refreshTitle() {
    const QString bank = m_host.bankSwitched() ? QStringLiteral(" TX9-16") : QStringLiteral(" TX1-8");
    const QString base = QString::fromLatin1(ViewCtl::kBaseTitle);
    if (m_host.frequencyShown()) {
        const QString frequency = m_host.frequencyText();
        setWindowTitle(base + QStringLiteral("  ") + frequency + bank);
        m_frequency->setEnabled(true);
        m_frequency->setText(frequency);
    } else {
        setWindowTitle(base + bank);
        m_frequency->setEnabled(false);
    }
}

void ViewDialog::chooseString(int string, bool byOperator) {
    m_selectedString = string;
    QAbstractButton* radio = m_strings->button(string);
    radio->setChecked(true);
    if (radio->isEnabled())
        radio->setFocus();
    if (radio->text() != QLatin1String(ViewCtl::kUnknownPitch))
        m_host.setRcvCwCaption(QString::asprintf("%X ", string) + radio->text() + QStringLiteral("Hz"));
    if (byOperator && m_actionExit->isChecked())
        done(Accepted);
}

void ViewDialog::showString(int string, const QString& pitch, const QString& text) {
    if (m_closing || string < 1 || string > kStrings)
        return;
    QLineEdit* edit = stringEdit(string);
    const bool mouseInside = QApplication::mouseButtons().testFlag(Qt::LeftButton) &&
                             edit->rect().contains(edit->mapFromGlobal(QCursor::pos()));
    // The operator may be choosing a word there.
    const bool busy = edit->hasFocus() && (edit->hasSelectedText() || mouseInside);
    if (!busy && edit->text() != text) {
        edit->setText(text);
        edit->end(false);
    }
    m_strings->button(string)->setText(pitch);
    QMetaObject::invokeMethod(
        this, [this, string] { m_reading.answered(string); }, Qt::QueuedConnection);
}

void ViewDialog::setItems(const QStringList& records) {
    QMetaObject::invokeMethod(
        this,
        [this, records] {
            if (m_closing)
                return;
            m_records = records;
            const int selected = m_selectedItem;
            {
                const QSignalBlocker quiet(m_items);
                m_items->clear();
                for (const QString& record : records)
                    m_items->addItem(record.left(16));
            }
            m_items->setCurrentIndex(selected < m_items->count() ? selected : -1);
            m_selectedItem = selected;
            showValueControl();
            m_reading.start();
        },
        Qt::QueuedConnection);
}

void ViewDialog::showValueControl() {
    for (QWidget* value : {static_cast<QWidget*>(m_select), static_cast<QWidget*>(m_check),
                           static_cast<QWidget*>(m_valueEdit), static_cast<QWidget*>(m_valueList)})
        value->hide();
    const int index = m_items->currentIndex();
    if (index < 0 || index >= m_records.size())
        return;
    const ViewItem item = ParseViewItem(m_records[index]);
    switch (item.type) {
    case ViewItem::Action:
        m_select->show();
        break;
    case ViewItem::OnOff:
        m_check->setChecked(item.value.trimmed().toInt() == 1);
        m_check->show();
        break;
    case ViewItem::List: {
        const ValueList list = ValueListOf(item);
        m_valueList->clear();
        m_valueList->addItems(list.entries);
        m_valueList->setCurrentIndex(list.selected);
        m_valueList->show();
        break;
    }
    case ViewItem::Text: {
        QString value = item.value;
        while (value.endsWith(QLatin1Char(' ')))
            value.chop(1);
        m_valueEdit->setMaxLength(item.maximum > 0 ? item.maximum : 32767);
        m_valueEdit->setText(value);
        m_valueEdit->show();
        break;
    }
    case ViewItem::Unknown:
        break;
    }
}

void ViewDialog::sendValue(const QString& payload, const QString& field) {
    m_host.SendLinkRequest(ValMessage(payload));
    SetItemValue(m_records, m_selectedItem, field);
}

void ViewDialog::focusValueControl() {
    for (QWidget* value : {static_cast<QWidget*>(m_select), static_cast<QWidget*>(m_check),
                           static_cast<QWidget*>(m_valueEdit), static_cast<QWidget*>(m_valueList)}) {
        if (!value->isHidden()) {
            value->setFocus();
            return;
        }
    }
}

void ViewDialog::pick(int pickField) {
    QLineEdit* source = m_source;
    if (!source)
        return;
    if (m_loop->isChecked() && !source->hasSelectedText())
        return; // the text moves under the caret while reading
    QString word = source->selectedText();
    if (word.isEmpty()) {
        const WordSpan span = WordAround(source->text(), source->cursorPosition());
        word = source->text().mid(span.start, span.end - span.start);
    }
    const QString result = CleanPick(PickField(pickField), word);
    if (result.isEmpty())
        return;
    m_host.pickedIntoField(kFieldOfPick[pickField], result);
    m_exitAction = pickField;
    source->setFocus();
    if (m_actionExit->isChecked())
        done(Accepted);
}

void ViewDialog::command(int command, bool clears) {
    QLineEdit* source = m_source;
    const bool hadSelection = source && source->hasSelectedText();
    m_host.screenCommand(command);
    if (clears)
        m_exitAction = -1;
    if (m_actionExit->isChecked())
        done(Accepted);
    else if (hadSelection)
        source->setFocus();
}

void ViewDialog::startUpFocus() {
    if (!m_focusFrequency || !m_frequency->isEnabled() || m_frequency->isHidden())
        return;
    m_frequency->setFocus();
    const auto [start, length] = m_host.frequencySelection();
    m_frequency->setSelection(start, length);
}

bool ViewDialog::frequencyKey(QKeyEvent* key) {
    if (key->modifiers() & (kCtrlShift | Qt::AltModifier))
        return false;
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
        return m_host.stepFrequencyDigit(*m_frequency, key->key() == Qt::Key_Up);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        m_host.takeFrequency(m_frequency->text());
        return true;
    }
    return false;
}

bool ViewDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (isFrequencyChord(*key)) {
        // For the dialog's accelerators, never the edit's.
        event->ignore();
        return event->type() == QEvent::KeyPress;
    }
    if (watched == m_frequency && event->type() == QEvent::KeyPress)
        return frequencyKey(key);
    return false;
}

void ViewDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return QDialog::keyPressEvent(event);
    // While a remote text waits for the host, Escape gives the wait up and leaves the dialog open.
    const bool waiting = m_host.remoteWaiting();
    const bool busy = waiting && m_host.sending();
    if (waiting)
        m_host.sendRemoteEscape();
    if (!busy)
        done(Rejected);
}

void ViewDialog::closeEvent(QCloseEvent* event) {
    if (m_host.sending() && m_host.remoteWaiting())
        return event->ignore();
    QDialog::closeEvent(event);
}

void ViewDialog::done(int result) {
    if (!m_closing) {
        m_closing = true;
        m_reading.stop();
        Settings& s = m_host.viewSettings();
        s.Recv_STRINGS = m_selectedString;
        s.HAMLOG = m_hamlog->isChecked() ? 1 : 0;
        s.LOOP = m_loop->isChecked() ? 1 : 0;
        s.SELEXIT = m_actionExit->isChecked() ? 1 : 0;
        s.SELECT = m_selectedItem;
        m_host.detachFrequency();
    }
    QDialog::done(result);
}
