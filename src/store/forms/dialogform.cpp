#include "store/forms/dialogform.h"

#include "shell/messages.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TDialogForm::TDialogForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DialogEdit = new QLineEdit(this);
    DialogEdit->setObjectName(QStringLiteral("DialogEdit"));
    DialogEdit->setMinimumWidth(280);
    DialogButton = new QPushButton(QStringLiteral("OK"), this);
    DialogButton->setObjectName(QStringLiteral("DialogButton"));
    DialogButton->setDefault(true);
    DialogButton->setAutoDefault(true);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(DialogEdit, 1);
    layout->addWidget(DialogButton);
    connect(DialogButton, &QPushButton::clicked, this, &TDialogForm::DialogButtonClick);
}

void TDialogForm::registerMode(const QString &caption, Mode mode)
{
    for (auto &entry : m_modes) {
        if (entry.first == caption) {
            entry.second = std::move(mode);
            return;
        }
    }
    m_modes.append({caption, std::move(mode)});
}

bool TDialogForm::hasMode(const QString &caption) const
{
    for (const auto &entry : m_modes) {
        if (entry.first == caption)
            return true;
    }
    return false;
}

int TDialogForm::ask(const QString &caption, const QString &text)
{
    setWindowTitle(caption);
    DialogEdit->setText(text);
    DialogEdit->selectAll();
    DialogEdit->setFocus();
    return exec();
}

void TDialogForm::DialogButtonClick()
{
    const QString text = DialogEdit->text();
    if (text.isEmpty()) {
        lamira::showInformation(QStringLiteral("Поле ввода данных не может быть пустым"), this);
        return;
    }
    const QString caption = windowTitle();
    Mode mode;
    for (const auto &entry : std::as_const(m_modes)) {
        if (entry.first == caption) {
            mode = entry.second;
            break;
        }
    }
    if (mode) {
        try {
            mode(text);
        } catch (const std::exception &e) {
            lamira::showError(QString::fromUtf8(e.what()), this);
        }
    }
    // Also after a mode refused the text with a message.
    accept();
}
