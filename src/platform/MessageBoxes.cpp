#include "platform/MessageBoxes.h"

MessageBoxes::Answer RecordingMessageBoxes::show(const QString& text, Icon icon, Buttons buttons) {
    m_shown.append({text, icon, buttons});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

QStringList RecordingMessageBoxes::texts() const {
    QStringList out;
    for (const auto& box : m_shown)
        out.append(box.text);
    return out;
}
