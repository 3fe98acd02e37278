#include "store/forms/newmakeform.h"

#include "shell/guarded.h"
#include "shell/messages.h"
#include "store/forms/formbuttons.h"
#include "store/productbank.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNewMakeForm::TNewMakeForm(lamira::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database)
{
    setObjectName(QStringLiteral("NewMakeForm"));
    setWindowTitle(QStringLiteral("Добавление изделия"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const auto edit = [this](const char *name, int width) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMinimumWidth(width);
        return e;
    };
    NumberEdit = edit("NumberEdit", 60);
    // Shown, and changeable with the mouse, but skipped by the tab key.
    NumberEdit->setFocusPolicy(Qt::ClickFocus);
    NameEdit = edit("NameEdit", 220);
    QuantityEdit = edit("QuantityEdit", 60);
    CommentEdit = edit("CommentEdit", 220);

    const FormButtons::OkCancel buttons = FormButtons::okCancel(this, "OKButton", "CancelButton");
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;
    connect(OKButton, &QPushButton::clicked, this, &TNewMakeForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TNewMakeForm::CancelButtonClick);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("№"), NumberEdit);
    fields->addRow(QStringLiteral("Наименование"), NameEdit);
    fields->addRow(QStringLiteral("Кол-во"), QuantityEdit);
    fields->addRow(QStringLiteral("Примечание"), CommentEdit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons.row);
}

void TNewMakeForm::prepare(int number)
{
    for (QLineEdit *e : {NameEdit, QuantityEdit, CommentEdit})
        e->clear();
    NumberEdit->setText(QString::number(number));
    NameEdit->setFocus();
    m_createdId = 0;
}

void TNewMakeForm::OKButtonClick()
{
    if (NameEdit->text().isEmpty() || QuantityEdit->text().isEmpty()) {
        lamira::showInformation(QStringLiteral("Заполнены не все поля данных"), this);
        return;
    }
    // A number or quantity that is no whole number is refused with its
    // message; the form stays open for the correction.
    if (lamira::guarded(this, [this] {
            m_createdId = lamira::ProductBank::createProduct(
                m_database, {0, NumberEdit->text(), NameEdit->text(), QuantityEdit->text(),
                             CommentEdit->text()});
        }))
        accept();
}

void TNewMakeForm::CancelButtonClick()
{
    reject();
}
