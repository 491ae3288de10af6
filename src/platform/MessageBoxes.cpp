#include "platform/MessageBoxes.h"

MessageBoxes::Answer RecordingMessageBoxes::show(const QString& text, Icon icon, Buttons buttons) {
    m_shown.append({text, icon, buttons});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::Yes;
    case Buttons::YesNoDefaultNo:
        break;
    }
    return Answer::No;
}

QStringList RecordingMessageBoxes::texts() const {
    QStringList out;
    for (const auto& box : m_shown)
        out.append(box.text);
    return out;
}
