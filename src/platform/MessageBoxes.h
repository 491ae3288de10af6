#pragma once

#include <QList>
#include <QString>

/// Modal message boxes behind a seam, so that tests record texts instead of blocking.
class MessageBoxes {
public:
    enum class Icon { Error, Warning, Question, Information };
    /// YesNo has Yes as its default button, YesNoDefaultNo has No: what Enter answers.
    enum class Buttons { Ok, YesNo, YesNoDefaultNo };
    enum class Answer { Ok, Yes, No };

    virtual ~MessageBoxes() = default;
    virtual Answer show(const QString& text, Icon icon, Buttons buttons) = 0;

    void error(const QString& text) { show(text, Icon::Error, Buttons::Ok); }
};

/// Test backend: records every box and answers from a queue, or with the default button when it is
/// empty, as an operator pressing Enter would.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        Icon icon;
        Buttons buttons;
    };

    Answer show(const QString& text, Icon icon, Buttons buttons) override;
    void queueAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;

private:
    QList<Shown> m_shown;
    QList<Answer> m_answers;
};
