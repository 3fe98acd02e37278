#include "messagerecorder.h"

namespace lamira::test {

MessageRecorder::MessageRecorder()
    : m_previous(setMessageHandler([this](const Message &m) { return record(m); }))
{
}

MessageRecorder::~MessageRecorder()
{
    setMessageHandler(std::move(m_previous));
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const Message &m : m_messages)
        out << m.text;
    return out;
}

MessageAnswer MessageRecorder::record(const Message &message)
{
    m_messages.append(message);
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

} // namespace lamira::test
