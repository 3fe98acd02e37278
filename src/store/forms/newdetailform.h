#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class TSelectForm;

namespace lamira {
class Database;
}

// "Добавление детали": a new line of a products-bank product. The area
// follows the length and width (without the quantity); texture and "В
// раскрой?" toggle with a click, the material comes from the chooser.
class TNewDetailForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TNewDetailForm)

public:
    explicit TNewDetailForm(lamira::Database &database, QWidget *parent = nullptr);

    void setSelectForm(TSelectForm *chooser) { m_chooser = chooser; }
    // The decimal separator of the area (the locale's).
    void setDecimalPoint(const QString &point) { m_decimalPoint = point; }

    // Empties the fields for a new line of the product, numbered `number`:
    // texture "нет", "В раскрой?" "да".
    void prepare(qint64 productId, int number);
    // The ID of the line stored by the last "ОК", 0 when none was.
    qint64 createdId() const { return m_createdId; }

    void WidthEditChange();
    void HeightEditChange();
    void MaterialEditClick();
    void TextureEditClick();
    void CutEditClick();
    // Name, quantity, area and material must be filled ("Заполнены не все
    // поля данных"; the form stays open); then the line is stored and the
    // form closes.
    void OKButtonClick();
    void CancelButtonClick();

    QLineEdit *NumberEdit;
    QLineEdit *NameEdit;
    QLineEdit *WidthEdit;  // the length
    QLineEdit *HeightEdit; // the width
    QLineEdit *QuantityEdit;
    QLineEdit *MaterialEdit;
    QLineEdit *TextureEdit;
    QLineEdit *AreaEdit;
    QLineEdit *CutEdit;
    QPushButton *OKButton;
    QPushButton *CancelButton;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshArea();

    lamira::Database &m_database;
    TSelectForm *m_chooser = nullptr;
    QString m_decimalPoint;
    qint64 m_productId = 0;
    qint64 m_createdId = 0;
};
