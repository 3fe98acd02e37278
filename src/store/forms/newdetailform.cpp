#include "store/forms/newdetailform.h"

#include "order_edit/sheetnumbers.h"
#include "shell/guarded.h"
#include "shell/messages.h"
#include "store/forms/formbuttons.h"
#include "store/forms/selectform.h"
#include "store/productbank.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Yes = QStringLiteral("да");
const QString No = QStringLiteral("нет");

void toggle(QLineEdit *edit)
{
    edit->setText(edit->text() == No ? Yes : No);
}

} // namespace

TNewDetailForm::TNewDetailForm(lamira::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database), m_decimalPoint(QLocale().decimalPoint())
{
    setObjectName(QStringLiteral("NewDetailForm"));
    setWindowTitle(QStringLiteral("Добавление детали"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    struct Field
    {
        const char *name;
        const char *caption;
        int width;
        bool readOnly;
    };
    const Field fields[] = {
        {"NumberEdit", "№", 41, true},         {"NameEdit", "Наименование", 140, false},
        {"WidthEdit", "Длина", 56, false},     {"HeightEdit", "Ширина", 56, false},
        {"QuantityEdit", "Кол-во", 56, false}, {"MaterialEdit", "Материал", 140, true},
        {"TextureEdit", "Текстура", 70, true}, {"AreaEdit", "Площадь", 70, true},
        {"CutEdit", "В раскрой?", 76, true},
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    QLineEdit *edits[9];
    for (int c = 0; c < 9; ++c) {
        auto *caption = new QLabel(QString::fromUtf8(fields[c].caption), this);
        caption->setAlignment(Qt::AlignCenter);
        edits[c] = new QLineEdit(this);
        edits[c]->setObjectName(QLatin1String(fields[c].name));
        edits[c]->setMinimumWidth(fields[c].width);
        edits[c]->setReadOnly(fields[c].readOnly);
        grid->addWidget(caption, 0, c);
        grid->addWidget(edits[c], 1, c);
    }
    NumberEdit = edits[0];
    NameEdit = edits[1];
    WidthEdit = edits[2];
    HeightEdit = edits[3];
    QuantityEdit = edits[4];
    MaterialEdit = edits[5];
    TextureEdit = edits[6];
    AreaEdit = edits[7];
    CutEdit = edits[8];
    NumberEdit->setFocusPolicy(Qt::NoFocus);
    AreaEdit->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit *clickable : {MaterialEdit, TextureEdit, CutEdit}) {
        clickable->setCursor(Qt::PointingHandCursor);
        clickable->installEventFilter(this);
    }
    connect(WidthEdit, &QLineEdit::textChanged, this, &TNewDetailForm::WidthEditChange);
    connect(HeightEdit, &QLineEdit::textChanged, this, &TNewDetailForm::HeightEditChange);

    const FormButtons::OkCancel buttons = FormButtons::okCancel(this, "OKButton", "CancelButton");
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;
    connect(OKButton, &QPushButton::clicked, this, &TNewDetailForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TNewDetailForm::CancelButtonClick);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.row);
}

void TNewDetailForm::prepare(qint64 productId, int number)
{
    m_productId = productId;
    m_createdId = 0;
    for (QLineEdit *e : {NameEdit, WidthEdit, HeightEdit, QuantityEdit, MaterialEdit, AreaEdit})
        e->clear();
    TextureEdit->setText(No);
    CutEdit->setText(Yes);
    NumberEdit->setText(QString::number(number));
    NameEdit->setFocus();
}

void TNewDetailForm::refreshArea()
{
    // Acts once both are filled; a text that is no whole number leaves the
    // area as it was.
    if (WidthEdit->text().isEmpty() || HeightEdit->text().isEmpty())
        return;
    if (const auto area =
            SheetNumbers::bankLineArea(WidthEdit->text(), HeightEdit->text(), m_decimalPoint))
        AreaEdit->setText(*area);
}

void TNewDetailForm::WidthEditChange()
{
    refreshArea();
}

void TNewDetailForm::HeightEditChange()
{
    refreshArea();
}

void TNewDetailForm::MaterialEditClick()
{
    if (m_chooser)
        MaterialEdit->setText(m_chooser->choose(nullptr, MaterialEdit->text()));
}

void TNewDetailForm::TextureEditClick()
{
    toggle(TextureEdit);
}

void TNewDetailForm::CutEditClick()
{
    toggle(CutEdit);
}

void TNewDetailForm::OKButtonClick()
{
    if (NameEdit->text().isEmpty() || QuantityEdit->text().isEmpty() ||
        AreaEdit->text().isEmpty() || MaterialEdit->text().isEmpty()) {
        lamira::showInformation(QStringLiteral("Заполнены не все поля данных"), this);
        return;
    }
    const lamira::OrderLine line{NumberEdit->text(),  NameEdit->text(),     WidthEdit->text(),
                                 HeightEdit->text(),  QuantityEdit->text(), MaterialEdit->text(),
                                 TextureEdit->text(), AreaEdit->text(),     CutEdit->text()};
    if (lamira::guarded(this, [this, &line] {
            m_createdId = lamira::ProductBank::createLine(m_database, m_productId, line);
        }))
        accept();
}

void TNewDetailForm::CancelButtonClick()
{
    reject();
}

bool TNewDetailForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == MaterialEdit) {
            MaterialEditClick();
            return true;
        }
        if (watched == TextureEdit) {
            TextureEditClick();
            return true;
        }
        if (watched == CutEdit) {
            CutEditClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
