#include "shell/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace lamira {

namespace {

MessageHandler &currentHandler()
{
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer showBox(const Message &message)
{
    QMessageBox box(boxIcon(message.icon),
                    message.caption.isEmpty() ? QApplication::applicationName() : message.caption,
                    message.text, QMessageBox::NoButton, message.parent);
    // The texts name the buttons ("нажмите кнопку \"Да\""), so their captions
    // are set here rather than left to the installed Qt translation.
    const auto add = [&box](const QString &caption, QMessageBox::ButtonRole role) {
        return box.addButton(caption, role);
    };
    QAbstractButton *ok = nullptr, *yes = nullptr, *no = nullptr, *cancel = nullptr;
    switch (message.buttons) {
    case MessageButtons::Ok:
        ok = add(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case MessageButtons::YesNo:
        yes = add(QStringLiteral("Да"), QMessageBox::YesRole);
        no = add(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        break;
    case MessageButtons::YesNoCancel:
        yes = add(QStringLiteral("Да"), QMessageBox::YesRole);
        no = add(QStringLiteral("Нет"), QMessageBox::NoRole);
        cancel = add(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    }
    box.exec();
    const QAbstractButton *pressed = box.clickedButton();
    if (pressed == yes && yes)
        return MessageAnswer::Yes;
    if (pressed == no && no)
        return MessageAnswer::No;
    if (pressed == ok && ok)
        return MessageAnswer::Ok;
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

} // namespace

MessageHandler setMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

MessageAnswer showMessage(const Message &message)
{
    // Copied so that a handler may replace itself while it runs.
    const MessageHandler handler = currentHandler();
    return handler ? handler(message) : showBox(message);
}

void showInformation(const QString &text, QWidget *parent)
{
    showMessage({QString(), text, MessageIcon::NoIcon, MessageButtons::Ok, parent});
}

void showError(const QString &text, QWidget *parent)
{
    showMessage({QString(), text, MessageIcon::Critical, MessageButtons::Ok, parent});
}

MessageAnswer askQuestion(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon, QWidget *parent)
{
    return showMessage({caption, text, icon, buttons, parent});
}

} // namespace lamira
