#include "voice/VoiceDialog.h"

#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "resources/Dialog134.h"
#include "settings/Settings.h"
#include "voice/VoiceFileChoice.h"
#include "voice/VoicePlayer.h"
#include "voice/WaveFile.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

using VoiceCtl::kRows;

constexpr int kDoneWatchMs = 20;
constexpr int kOnce = 0;
constexpr int kRepeat = 1;

/// The text over each bar and the bar, in the order of VoiceCqHost::Bar.
struct BarControls {
    int text;
    int bar;
    const char* initialText;
};
constexpr BarControls kBars[] = {
    {VoiceCtl::CountText, VoiceCtl::CountBar, VoiceCtl::kCountText},
    {VoiceCtl::TxText, VoiceCtl::TxBar, VoiceCtl::kTxText},
    {VoiceCtl::WatchText, VoiceCtl::WatchBar, VoiceCtl::kWatchText},
};

/// A stored list index, or the first entry when it is none of the list's.
int cutIndex(int stored) {
    return stored >= 0 && stored < VoiceCtl::kCutEntries ? stored : 0;
}

} // namespace

VoiceDialog::VoiceDialog(Settings& settings, const Devices& devices, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_dev(devices), m_cq(settings, *this, devices.cq),
      m_doneWatch(devices.cq.clock.createTimer([this] {
          m_dev.cq.player.poll();
          if (!m_dev.cq.player.playing())
              m_doneWatch->stop();
      })) {
    setWindowTitle(QString::fromLatin1(VoiceCtl::kCaption));
    build();
    fill();
}

VoiceDialog::~VoiceDialog() = default;

void VoiceDialog::build() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const int headingColumns[] = {1, 3, 4, 5, 6, 8};
    const int headingSpans[] = {2, 1, 1, 1, 2, 1};
    for (size_t i = 0; i < std::size(headingColumns); ++i)
        grid->addWidget(new QLabel(QString::fromLatin1(VoiceCtl::kHeadings[i]), this), 0, headingColumns[i], 1,
                        headingSpans[i]);
    for (int row = 0; row < VoiceCtl::kRowCount; ++row)
        buildRow(*grid, row);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(6, 2);
    layout->addLayout(grid);
    buildStatus(*layout);
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it)
        it.value()->setObjectName(QStringLiteral("c%1").arg(it.key()));
    for (int row = 0; row < VoiceCtl::kRowCount; ++row) {
        auto* shortcut = new QShortcut(QKeySequence(Accel129()[row].keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, row] { txPress(row); });
    }
}

void VoiceDialog::buildRow(QGridLayout& grid, int row) {
    const VoiceCtl::Row& ids = kRows[row];
    const int line = row + 1;
    auto* tx = new QPushButton(QStringLiteral("TX[%1]").arg(row + 1), this);
    // Left and Right on the TX button choose once or repeat; the button would move the focus.
    tx->installEventFilter(this);
    connect(tx, &QPushButton::clicked, this, [this, row] { txPress(row); });
    auto* once = new QRadioButton(QString::fromLatin1(VoiceCtl::kOnce), this);
    auto* repeat = new QRadioButton(this);
    m_times[row] = new QButtonGroup(this);
    m_times[row]->addButton(once, kOnce);
    m_times[row]->addButton(repeat, kRepeat);
    auto* comment = new QLineEdit(this);
    auto* on = new QComboBox(this);
    auto* off = new QComboBox(this);
    auto* file = new QLineEdit(this);
    const int charWidth = fontMetrics().averageCharWidth();
    comment->setMinimumWidth(14 * charWidth);
    file->setMinimumWidth(32 * charWidth);
    auto* browse = new QPushButton(QString::fromLatin1(VoiceCtl::kBrowse), this);
    browse->setMaximumWidth(fontMetrics().horizontalAdvance(browse->text()) + 4 * charWidth);
    connect(browse, &QPushButton::clicked, this, [this, row] { chooseFile(row); });
    auto* test = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QString(), this);
    test->setAccessibleName(QStringLiteral("test %1").arg(row + 1));
    connect(test, &QPushButton::clicked, this, [this, row] { testPlay(row); });

    const std::pair<int, QWidget*> cells[] = {{ids.tx, tx},           {ids.once, once},     {ids.repeat, repeat},
                                              {ids.comment, comment}, {ids.onList, on},     {ids.offList, off},
                                              {ids.file, file},       {ids.browse, browse}, {ids.test, test}};
    for (int column = 0; column < 9; ++column) {
        m_controls.insert(cells[column].first, cells[column].second);
        grid.addWidget(cells[column].second, line, column);
    }
}

void VoiceDialog::buildStatus(QVBoxLayout& layout) {
    auto* status = new QHBoxLayout;
    auto* end = new QLabel(this);
    auto* tx = new QLabel(this);
    auto* stop = new QLabel(this);
    stop->setPixmap(style()->standardIcon(QStyle::SP_BrowserStop).pixmap(24, 24));
    stop->setToolTip(QStringLiteral("stop"));
    m_controls.insert(VoiceCtl::EndLabel, end);
    m_controls.insert(VoiceCtl::TxLabel, tx);
    m_controls.insert(VoiceCtl::StopIcon, stop);
    for (QLabel* label : {end, tx, stop})
        status->addWidget(label);
    for (const BarControls& ids : kBars) {
        auto* column = new QVBoxLayout;
        auto* text = new QLabel(QString::fromLatin1(ids.initialText), this);
        auto* progress = new QProgressBar(this);
        progress->setTextVisible(false);
        m_controls.insert(ids.text, text);
        m_controls.insert(ids.bar, progress);
        column->addWidget(text);
        column->addWidget(progress);
        status->addLayout(column, 1);
    }
    layout.addLayout(status);
}

void VoiceDialog::fill() {
    m_dev.cq.player.CloseWave();
    label(VoiceCtl::EndLabel)->clear();
    label(VoiceCtl::TxLabel)->clear();
    control(VoiceCtl::StopIcon)->hide();
    QStringList cuts;
    for (int i = 0; i < VoiceCtl::kCutEntries; ++i)
        cuts.append(QString::asprintf("%4d", i * VoiceCtl::kCutStepMs));
    for (int row = 0; row < VoiceCtl::kRowCount; ++row) {
        const VoiceCtl::Row& ids = kRows[row];
        m_times[row]->button(m_settings.CQ[row] == 1 ? kRepeat : kOnce)->setChecked(true);
        m_times[row]->button(kRepeat)->setText(QString::asprintf("%2d", m_settings.CQ_Limit));
        for (int id : {ids.comment, ids.file})
            edit(id)->setTextMargins(2, 0, 2, 0);
        edit(ids.comment)->setText(m_settings.Cmnt[row]);
        edit(ids.file)->setText(m_settings.File[row]);
        list(ids.onList)->addItems(cuts);
        list(ids.offList)->addItems(cuts);
        list(ids.onList)->setCurrentIndex(cutIndex(m_settings.CutPre[row]));
        list(ids.offList)->setCurrentIndex(cutIndex(m_settings.CutPost[row]));
    }
}

void VoiceDialog::store() {
    for (int row = 0; row < VoiceCtl::kRowCount; ++row) {
        const VoiceCtl::Row& ids = kRows[row];
        m_settings.CQ[row] = m_times[row]->checkedId() == kRepeat ? 1 : 0;
        m_settings.Cmnt[row] = edit(ids.comment)->text();
        m_settings.File[row] = edit(ids.file)->text();
        m_settings.CutPre[row] = list(ids.onList)->currentIndex();
        m_settings.CutPost[row] = list(ids.offList)->currentIndex();
    }
}

void VoiceDialog::txPress(int row) {
    // A test playback holds the playback slot; a running voice CQ ignores its own keys.
    if (m_cq.running() || m_dev.cq.player.playing())
        return;
    const VoiceCtl::Row& ids = kRows[row];
    const QString path = edit(ids.file)->text();
    const quint32 duration = WaveInfo(path).durationMs;
    if (duration > 0) {
        const int on = list(ids.onList)->currentIndex();
        const int off = list(ids.offList)->currentIndex();
        m_settings.CutPre[row] = on;
        m_settings.CutPost[row] = off;
        const int durationMs = int(std::min<quint32>(duration, std::numeric_limits<int>::max()));
        m_cq.run(path, durationMs, on, off, m_times[row]->checkedId() == kRepeat);
    }
    // Space then starts the same row again.
    control(ids.tx)->setFocus();
}

void VoiceDialog::testPlay(int row) {
    const QString message = m_dev.cq.player.PlayWave(edit(kRows[row].file)->text());
    if (!message.isEmpty())
        m_dev.boxes.show(message, MessageBoxes::Icon::Information, MessageBoxes::Buttons::Ok);
    if (m_dev.cq.player.playing())
        m_doneWatch->start(kDoneWatchMs);
}

void VoiceDialog::chooseFile(int row) {
    const VoiceCtl::Row& ids = kRows[row];
    const VoiceFileChoice before = VoiceFileChoiceFor(edit(ids.file)->text());
    const QString chosen = m_dev.files.openExistingFile(before.request);
    if (chosen.isEmpty())
        return;
    edit(ids.file)->setText(chosen);
    if (ChosenFileResetsCuts(before, chosen)) {
        list(ids.onList)->setCurrentIndex(0);
        list(ids.offList)->setCurrentIndex(0);
    }
}

void VoiceDialog::reject() {
    if (m_dev.cq.keys.isKeyDown(Qt::Key_Escape))
        return;
    QDialog::reject();
}

void VoiceDialog::done(int result) {
    // A voice CQ runs inside this dialog's handler; it ends by its own keys, not by closing.
    if (m_cq.running())
        return;
    m_doneWatch->stop();
    // The sidetone takes the audio output back once the dialog has closed.
    m_dev.cq.player.CloseWave();
    QDialog::done(result);
}

void VoiceDialog::closeEvent(QCloseEvent* event) {
    if (m_cq.running())
        return event->ignore();
    store();
    QDialog::closeEvent(event);
}

void VoiceDialog::keyPressEvent(QKeyEvent* event) {
    // A focused button takes Enter itself; anywhere else Enter is OK, which keeps nothing.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier))
        return accept();
    QDialog::keyPressEvent(event);
}

bool VoiceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    for (int row = 0; row < VoiceCtl::kRowCount; ++row) {
        if (control(kRows[row].tx) == watched) {
            m_times[row]->button(key == Qt::Key_Left ? kOnce : kRepeat)->setChecked(true);
            return true;
        }
    }
    return false;
}

void VoiceDialog::showRunning(bool running) {
    // Disabling the focused control would send the focus hopping through the others first.
    if (running && focusWidget())
        focusWidget()->clearFocus();
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        // The stop icon stays live: a press on it is one of the ways to stop.
        if (it.key() != VoiceCtl::StopIcon)
            it.value()->setEnabled(!running);
    }
    control(VoiceCtl::StopIcon)->setVisible(running);
}

void VoiceDialog::showTransmitting(bool on) {
    label(VoiceCtl::TxLabel)->setText(on ? QStringLiteral("TX") : QString());
}

void VoiceDialog::showEnd(bool shown) {
    label(VoiceCtl::EndLabel)->setText(shown ? QStringLiteral("End") : QString());
}

void VoiceDialog::setBarText(Bar which, const QString& text) {
    label(kBars[int(which)].text)->setText(text);
}

void VoiceDialog::setBarRange(Bar which, int maximum) {
    bar(which)->setRange(0, maximum);
}

void VoiceDialog::setBarValue(Bar which, int value) {
    bar(which)->setValue(value);
}

QRect VoiceDialog::stopIconScreenRect() const {
    const QWidget* icon = control(VoiceCtl::StopIcon);
    return QRect(icon->mapToGlobal(QPoint(0, 0)), icon->size());
}

void VoiceDialog::cannotPlay(const QString& message) {
    m_dev.boxes.show(message, MessageBoxes::Icon::Information, MessageBoxes::Buttons::Ok);
}

QLineEdit* VoiceDialog::edit(int id) const {
    return static_cast<QLineEdit*>(control(id));
}

QLabel* VoiceDialog::label(int id) const {
    return static_cast<QLabel*>(control(id));
}

QComboBox* VoiceDialog::list(int id) const {
    return static_cast<QComboBox*>(control(id));
}

QProgressBar* VoiceDialog::bar(Bar which) const {
    return static_cast<QProgressBar*>(control(kBars[int(which)].bar));
}
