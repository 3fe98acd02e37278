#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace lamira {

// Every message box of the program goes through these functions, never
// through QMessageBox directly, so that tests can replace the boxes with a
// handler that records the texts and answers the questions.

enum class MessageIcon
{
    NoIcon,
    Information,
    Warning,
    Critical,
    Question
};
enum class MessageButtons
{
    Ok,
    YesNo,
    YesNoCancel
};
enum class MessageAnswer
{
    Ok,
    Yes,
    No,
    Cancel
};

struct Message
{
    QString caption; // empty: the application's name
    QString text;
    MessageIcon icon = MessageIcon::NoIcon;
    MessageButtons buttons = MessageButtons::Ok;
    QWidget *parent = nullptr;
};

using MessageHandler = std::function<MessageAnswer(const Message &)>;

// Installs a process-wide handler and returns the one it replaces; an empty
// handler brings back the real message boxes.
MessageHandler setMessageHandler(MessageHandler handler);

// Shows a message and returns the button the user pressed. Closing a box
// with Escape or its frame counts as Cancel for Yes/No/Cancel, as No for
// Yes/No.
MessageAnswer showMessage(const Message &message);

// A plain message with OK under the application's name, like the fixed
// texts the forms report ("Нечего удалять").
void showInformation(const QString &text, QWidget *parent = nullptr);

// An error text with the error icon, for failures the user must know of.
void showError(const QString &text, QWidget *parent = nullptr);

// A question: the exit prompt asks with caption "Предупреждение",
// the question icon and Yes/No/Cancel.
MessageAnswer askQuestion(const QString &text, const QString &caption,
                          MessageButtons buttons = MessageButtons::YesNoCancel,
                          MessageIcon icon = MessageIcon::Question, QWidget *parent = nullptr);

} // namespace lamira
