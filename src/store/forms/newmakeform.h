#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lamira {
class Database;
}

// "Добавление изделия": a new product of the products bank.
class TNewMakeForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TNewMakeForm)

public:
    explicit TNewMakeForm(lamira::Database &database, QWidget *parent = nullptr);

    // Empties the fields and shows the number the product will get.
    void prepare(int number);
    // The ID of the product stored by the last "ОК", 0 when none was.
    qint64 createdId() const { return m_createdId; }

    // Name and quantity must be filled ("Заполнены не все поля данных"; the
    // form stays open); then the product is stored and the form closes.
    void OKButtonClick();
    void CancelButtonClick();

    QLineEdit *NumberEdit;
    QLineEdit *NameEdit;
    QLineEdit *QuantityEdit;
    QLineEdit *CommentEdit;
    QPushButton *OKButton;
    QPushButton *CancelButton;

private:
    lamira::Database &m_database;
    qint64 m_createdId = 0;
};
