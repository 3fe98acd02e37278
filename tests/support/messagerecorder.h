#pragma once

#include "shell/messages.h"

#include <QList>
#include <QStringList>

namespace lamira::test {

// Takes the place of the program's message boxes while it lives: records
// every message and answers questions from a queue, so GUI tests run
// headless.
//
//     MessageRecorder messages;
//     messages.answer(MessageAnswer::No);   // for the next question
//     ... close the main window ...
//     QCOMPARE(messages.texts(), QStringList{"..."});
//
// With the queue empty a question is answered Cancel (Yes/No/Cancel) or
// No (Yes/No); a plain message is answered OK.
class MessageRecorder
{
    Q_DISABLE_COPY_MOVE(MessageRecorder)

public:
    MessageRecorder();
    ~MessageRecorder();

    void answer(MessageAnswer next) { m_answers.append(next); }

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); }

private:
    MessageAnswer record(const Message &message);

    QList<Message> m_messages;
    QList<MessageAnswer> m_answers;
    MessageHandler m_previous;
};

} // namespace lamira::test
