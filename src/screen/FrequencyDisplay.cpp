#include "screen/FrequencyDisplay.h"

#include "link/LinkRequests.h"
#include "resources/ControlIds.h"
#include "screen/CTarvoFormView.h"
#include "screen/FrequencyMath.h"
#include "screen/LinkScreen.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kCaretLimit = 12;

} // namespace

FrequencyDisplay::FrequencyDisplay(CTarvoFormView& view, LinkScreen& link) : m_view(view), m_link(link) {}

QLineEdit& FrequencyDisplay::edit() const {
    return *static_cast<QLineEdit*>(m_view.control(Ctl::Freq));
}

QComboBox& FrequencyDisplay::modes() const {
    return *static_cast<QComboBox*>(m_view.control(Ctl::Mode));
}

QLineEdit& FrequencyDisplay::caretEdit() const {
    return m_dialogEdit ? *m_dialogEdit : edit();
}

void FrequencyDisplay::attachDialog(QLineEdit* dialogEdit, std::function<void()> refreshTitle) {
    m_dialogEdit = dialogEdit;
    m_refreshDialogTitle = std::move(refreshTitle);
}

void FrequencyDisplay::detachDialog() {
    m_dialogEdit = nullptr;
    m_refreshDialogTitle = nullptr;
}

bool FrequencyDisplay::shown() const {
    return !edit().isHidden();
}

bool FrequencyDisplay::usable() const {
    return m_link.enabling().up && shown();
}

void FrequencyDisplay::showFrequency(const QString& line) {
    QLineEdit& frequency = edit();
    if (frequency.isHidden()) {
        frequency.show();
        modes().show();
        m_view.relayout();
    }
    const QString text = line.trimmed();
    if (frequency.text() != text) {
        frequency.setText(text);
        frequency.end(false);
    }
    if (m_refreshDialogTitle)
        m_refreshDialogTitle();
}

void FrequencyDisplay::showMode(const QString& line) {
    const QString text = line.trimmed();
    QComboBox& list = modes();
    int index = list.findText(text, Qt::MatchStartsWith);
    if (index < 0)
        index = list.findText(QStringLiteral("CW"));
    list.setCurrentIndex(index);
    // An unknown mode still shows as the rig named it.
    list.setEditText(text);
}

void FrequencyDisplay::clearPending() {
    m_pending = 0;
    // Nothing else would bring the caret back if the "FSET" answer never comes.
    setCaretHidden(false);
}

void FrequencyDisplay::frequencyTaken() {
    if (m_pending > 0) {
        const int caret = FsetCaretPosition(edit().text(), m_pending);
        edit().setCursorPosition(caret);
        if (m_dialogEdit) {
            if (m_refreshDialogTitle)
                m_refreshDialogTitle();
            m_dialogEdit->setCursorPosition(caret);
        }
    }
    m_pending = 0;
    setCaretHidden(false);
}

void FrequencyDisplay::StepFrequency(const QString& frequency, const QString& step, bool up) {
    const double s = FrequencyValue(step);
    const std::optional<double> n = SteppedFrequency(FrequencyValue(frequency), s, up);
    if (!n)
        return;
    m_pending = s > 0 ? s : -1.0;
    const QString text = FormatFrequency(*n, m_view.settings().DIGITS);
    if (edit().text() != text)
        edit().setText(text);
    if (m_dialogEdit && m_dialogEdit->text() != text)
        m_dialogEdit->setText(text);
    setCaretHidden(true);
    m_link.SendLinkRequest(FsetMessage(edit().text(), modes().currentText()));
}

void FrequencyDisplay::resend() {
    if (!usable())
        return;
    QWidget* focused = QApplication::focusWidget();
    if (!m_dialogEdit && focused && (focused == &modes() || modes().isAncestorOf(focused)))
        edit().setFocus();
    StepFrequency(edit().text(), QStringLiteral("0.0"), true);
}

void FrequencyDisplay::enterPressed() {
    m_pending = 0;
    resend();
}

void FrequencyDisplay::fixedStep(bool up) {
    if (!usable() || m_pending != 0)
        return;
    if (!m_dialogEdit && edit().hasFocus())
        return; // Up and Down step a digit there
    StepFrequency(edit().text(), FixedStepText(m_view.settings().STEP), up);
}

bool FrequencyDisplay::digitStep(QLineEdit& from, bool up) {
    const int caret = from.hasSelectedText() ? from.selectionStart() : from.cursorPosition();
    if (caret < 0 || caret > kCaretLimit)
        return false;
    if (m_pending != 0 || from.text().isEmpty())
        return true;
    StepFrequency(from.text(), DigitStepText(from.text(), caret), up);
    return true;
}

bool FrequencyDisplay::wheel(QWidget* focused, const QWheelEvent& event) {
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x(); // Shift may turn it sideways
    const Qt::KeyboardModifiers mods = event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool inModes = focused && (focused == &modes() || modes().isAncestorOf(focused));
    if (inModes && mods == Qt::ControlModifier) {
        edit().setFocus();
        return true;
    }
    if (focused != &edit() || delta == 0)
        return false;
    if (mods == Qt::ControlModifier) {
        modes().setFocus();
    } else if (mods == Qt::ShiftModifier) {
        const int moved = edit().cursorPosition() + (delta > 0 ? -1 : 1);
        edit().setCursorPosition(std::clamp(moved, 1, int(edit().text().size())));
    } else if (mods == Qt::NoModifier) {
        digitStep(edit(), delta > 0);
    }
    return true;
}

void FrequencyDisplay::setCaretHidden(bool hidden) {
    m_caretHidden = hidden;
    // A read-only line edit shows no caret.
    edit().setReadOnly(hidden);
    if (m_dialogEdit)
        m_dialogEdit->setReadOnly(hidden);
}
