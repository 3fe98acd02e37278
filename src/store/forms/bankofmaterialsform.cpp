#include "store/forms/bankofmaterialsform.h"

#include "shell/guarded.h"
#include "shell/messages.h"
#include "store/forms/dialogform.h"
#include "store/forms/formbuttons.h"
#include "store/materialbank.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace MaterialBank = lamira::MaterialBank;

const QString TBankOfMaterialsForm::NewGroupPrompt = QStringLiteral("Введите название группы");
const QString TBankOfMaterialsForm::NewMaterialPrompt =
    QStringLiteral("Введите название материала");
const QString TBankOfMaterialsForm::RenameMaterialPrompt =
    QStringLiteral("Введите новое название материала");
const QString TBankOfMaterialsForm::RenameGroupPrompt =
    QStringLiteral("Введите новое название группы");

namespace {

const QString Allowed = QStringLiteral("V");
const QString NotAllowed = QStringLiteral(" ");

QLabel *captionBox(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setProperty("caption", true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *valueBox(QWidget *parent, const char *name, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setProperty("value", true);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(width);
    label->setFixedHeight(22);
    return label;
}

} // namespace

TBankOfMaterialsForm::TBankOfMaterialsForm(lamira::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database)
{
    setObjectName(QStringLiteral("BankOfMaterialsForm"));
    setWindowTitle(QStringLiteral("Банк материалов"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setStyleSheet(
        QStringLiteral("QLabel[caption=\"true\"] { border: 1px solid #8c8c8c; background: #dcdcdc; "
                       "padding: 2px 4px; }"
                       "QLabel[value=\"true\"] { border: 1px solid #8c8c8c; background: white; "
                       "padding: 0px 4px; }"));

    Label1 = new QLabel(QStringLiteral("Листовые материалы"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    MaterialTree = new QTreeWidget(this);
    MaterialTree->setObjectName(QStringLiteral("MaterialTree"));
    MaterialTree->setHeaderHidden(true);
    MaterialTree->setIndentation(19);
    MaterialTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MaterialTree->setMinimumSize(240, 320);
    connect(MaterialTree, &QTreeWidget::currentItemChanged, this,
            &TBankOfMaterialsForm::MaterialTreeChange);

    Name = valueBox(this, "Name", 160);
    Name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    mm1000 = valueBox(this, "mm1000", 56);
    mm1250 = valueBox(this, "mm1250", 56);
    mm1500 = valueBox(this, "mm1500", 56);
    mm2000 = valueBox(this, "mm2000", 56);
    for (QLabel *box : {mm1000, mm1250, mm1500, mm2000}) {
        box->installEventFilter(this);
        box->setToolTip(QStringLiteral("Двойной щелчок: разрешить или запретить листы этой "
                                       "высоты"));
    }
    SawHeight = new QLineEdit(this);
    SawHeight->setObjectName(QStringLiteral("SawHeight"));
    SawHeight->setFixedWidth(80);
    min = new QLineEdit(this);
    min->setObjectName(QStringLiteral("min"));
    min->setFixedWidth(80);
    // Only what the user types is written; showing a material's values
    // needs no write.
    connect(SawHeight, &QLineEdit::textEdited, this, &TBankOfMaterialsForm::SawHeightChange);
    connect(min, &QLineEdit::textEdited, this, &TBankOfMaterialsForm::minChange);

    CreateGroupButton =
        FormButtons::button(this, "CreateGroupButton", QStringLiteral("Добавить группу"));
    CreateMaterialButton =
        FormButtons::button(this, "CreateMaterialButton", QStringLiteral("Добавить материал"));
    RenameButton = FormButtons::button(this, "RenameButton", QStringLiteral("Переименовать"));
    DeleteButton = FormButtons::button(this, "DeleteButton", QStringLiteral("Удалить"));
    CloseButton = FormButtons::button(this, "CloseButton", QStringLiteral("Закрыть"));
    connect(CreateGroupButton, &QPushButton::clicked, this,
            &TBankOfMaterialsForm::CreateGroupButtonClick);
    connect(CreateMaterialButton, &QPushButton::clicked, this,
            &TBankOfMaterialsForm::CreateMaterialButtonClick);
    connect(RenameButton, &QPushButton::clicked, this, &TBankOfMaterialsForm::RenameButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TBankOfMaterialsForm::DeleteButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TBankOfMaterialsForm::CloseButtonClick);

    auto *values = new QGridLayout;
    values->setHorizontalSpacing(0);
    values->setVerticalSpacing(0);
    const QString captions[] = {QStringLiteral("Наименование"), QStringLiteral("1000 мм"),
                                QStringLiteral("1250 мм"),      QStringLiteral("1500 мм"),
                                QStringLiteral("2000 мм"),      QStringLiteral("Ширина пилы")};
    QWidget *boxes[] = {Name, mm1000, mm1250, mm1500, mm2000, SawHeight};
    for (int c = 0; c < 6; ++c) {
        values->addWidget(captionBox(this, captions[c]), 0, c);
        values->addWidget(boxes[c], 1, c);
    }
    QLabel *minCaption = captionBox(this, QStringLiteral("Мин. кол-во"));
    values->addWidget(minCaption, 0, 6);
    values->addWidget(min, 1, 6);
    // Kept and written, but not offered.
    minCaption->hide();
    min->hide();

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {CreateGroupButton, CreateMaterialButton, RenameButton, DeleteButton})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(MaterialTree, 1);
    auto *right = new QVBoxLayout;
    right->addSpacing(Label1->sizeHint().height());
    right->addLayout(values);
    right->addSpacing(12);
    right->addLayout(buttons);
    right->addStretch(1);
    auto *close = new QHBoxLayout;
    close->addStretch(1);
    close->addWidget(CloseButton);
    right->addLayout(close);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    FormCreate();
}

void TBankOfMaterialsForm::setDialogForm(TDialogForm *dialog)
{
    m_dialog = dialog;
    if (!m_dialog)
        return;
    m_dialog->registerMode(NewGroupPrompt, [this](const QString &text) { newGroup(text); });
    m_dialog->registerMode(NewMaterialPrompt, [this](const QString &text) { newMaterial(text); });
    m_dialog->registerMode(RenameMaterialPrompt,
                           [this](const QString &text) { renameMaterial(text); });
    m_dialog->registerMode(RenameGroupPrompt, [this](const QString &text) { renameGroup(text); });
}

bool TBankOfMaterialsForm::isGroup(const QTreeWidgetItem *node)
{
    // By level rather than by children: a group made a moment ago has none.
    return node && !node->parent();
}

QTreeWidgetItem *TBankOfMaterialsForm::selectedMaterial() const
{
    QTreeWidgetItem *node = MaterialTree->currentItem();
    return node && !isGroup(node) ? node : nullptr;
}

QTreeWidgetItem *TBankOfMaterialsForm::groupNode(const QString &name) const
{
    for (int i = 0; i < MaterialTree->topLevelItemCount(); ++i) {
        if (MaterialTree->topLevelItem(i)->text(0) == name)
            return MaterialTree->topLevelItem(i);
    }
    return nullptr;
}

void TBankOfMaterialsForm::clearValues()
{
    for (QLabel *box : {Name, mm1000, mm1250, mm1500, mm2000})
        box->clear();
    SawHeight->clear();
    min->clear();
}

void TBankOfMaterialsForm::FormCreate()
{
    clearValues();
}

void TBankOfMaterialsForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TBankOfMaterialsForm::FormShow()
{
    MaterialTree->clear();
    QList<MaterialBank::Group> groups;
    if (!lamira::guarded(this, [&] { groups = MaterialBank::groups(m_database); }))
        return;
    for (const MaterialBank::Group &group : std::as_const(groups)) {
        auto *node = new QTreeWidgetItem(MaterialTree, {group.name});
        for (const QString &material : group.materials)
            new QTreeWidgetItem(node, {material});
        MaterialTree->setCurrentItem(node);
    }
    MaterialTree->expandAll();
}

void TBankOfMaterialsForm::MaterialTreeChange()
{
    QTreeWidgetItem *node = MaterialTree->currentItem();
    if (!node)
        return;
    if (isGroup(node)) {
        clearValues();
        return;
    }
    std::optional<MaterialBank::Material> material;
    if (!lamira::guarded(this,
                         [&] { material = MaterialBank::material(m_database, node->text(0)); }) ||
        !material)
        return;
    Name->setText(material->name);
    mm1000->setText(material->allow1000 ? Allowed : NotAllowed);
    mm1250->setText(material->allow1250 ? Allowed : NotAllowed);
    mm1500->setText(material->allow1500 ? Allowed : NotAllowed);
    mm2000->setText(material->allow2000 ? Allowed : NotAllowed);
    SawHeight->setText(QString::number(material->sawHeight));
    min->setText(QString::number(material->minQuantity));
}

void TBankOfMaterialsForm::toggleSize(QLabel *box, int sheetHeight)
{
    const QTreeWidgetItem *node = selectedMaterial();
    if (!node)
        return;
    std::optional<bool> allowed;
    if (lamira::guarded(
            this,
            [&] { allowed = MaterialBank::toggleSize(m_database, node->text(0), sheetHeight); }) &&
        allowed)
        box->setText(*allowed ? Allowed : NotAllowed);
}

void TBankOfMaterialsForm::mm1000DblClick()
{
    toggleSize(mm1000, 1000);
}

void TBankOfMaterialsForm::mm1250DblClick()
{
    toggleSize(mm1250, 1250);
}

void TBankOfMaterialsForm::mm1500DblClick()
{
    toggleSize(mm1500, 1500);
}

void TBankOfMaterialsForm::mm2000DblClick()
{
    toggleSize(mm2000, 2000);
}

void TBankOfMaterialsForm::SawHeightChange()
{
    // A text that is no saw width (yet) is left unwritten, without a word.
    if (const QTreeWidgetItem *node = selectedMaterial())
        lamira::guarded(
            this, [&] { MaterialBank::setSawWidth(m_database, node->text(0), SawHeight->text()); });
}

void TBankOfMaterialsForm::minChange()
{
    const QTreeWidgetItem *node = selectedMaterial();
    if (!node) {
        min->clear();
        return;
    }
    lamira::guarded(this, [&] {
        if (MaterialBank::setMinQuantity(m_database, node->text(0), min->text()))
            return;
        lamira::showInformation(QStringLiteral("Неправильный ввод числа"), this);
        min->setText(QStringLiteral("0"));
        MaterialBank::setMinQuantity(m_database, node->text(0), min->text());
    });
}

void TBankOfMaterialsForm::CreateGroupButtonClick()
{
    clearValues();
    if (m_dialog)
        m_dialog->ask(NewGroupPrompt, QString());
}

void TBankOfMaterialsForm::newGroup(const QString &name)
{
    // A group of the tree that has no material yet counts too: two nodes of
    // one name would be one group in the database.
    if (groupNode(name) || MaterialBank::groupExists(m_database, name)) {
        lamira::showInformation(QStringLiteral("Такая группа уже существует"), m_dialog);
        return;
    }
    auto *node = new QTreeWidgetItem(MaterialTree, {name});
    MaterialTree->setCurrentItem(node);
}

void TBankOfMaterialsForm::CreateMaterialButtonClick()
{
    clearValues();
    if (MaterialTree->topLevelItemCount() == 0) {
        lamira::showInformation(QStringLiteral("Введите хотябы одну группу"), this);
        return;
    }
    if (MaterialTree->currentItem() && m_dialog)
        m_dialog->ask(NewMaterialPrompt, QString());
}

void TBankOfMaterialsForm::newMaterial(const QString &name)
{
    QTreeWidgetItem *group = MaterialTree->currentItem();
    if (!group)
        return;
    if (!isGroup(group))
        group = group->parent();
    MaterialTree->setCurrentItem(group);
    if (!MaterialBank::addMaterial(m_database, group->text(0), name)) {
        lamira::showInformation(QStringLiteral("Такой материал уже существует"), m_dialog);
        return;
    }
    auto *node = new QTreeWidgetItem(group, {name});
    group->setExpanded(true);
    MaterialTree->setCurrentItem(node);
    Name->setText(name);
}

void TBankOfMaterialsForm::RenameButtonClick()
{
    const QTreeWidgetItem *node = MaterialTree->currentItem();
    if (!node || !m_dialog)
        return;
    m_dialog->ask(isGroup(node) ? RenameGroupPrompt : RenameMaterialPrompt, node->text(0));
}

void TBankOfMaterialsForm::renameMaterial(const QString &name)
{
    QTreeWidgetItem *node = selectedMaterial();
    if (!node)
        return;
    if (!MaterialBank::renameMaterial(m_database, node->text(0), name)) {
        lamira::showInformation(QStringLiteral("Материал с таким именем уже существует"), m_dialog);
        return;
    }
    node->setText(0, name);
    Name->setText(name);
}

void TBankOfMaterialsForm::renameGroup(const QString &name)
{
    QTreeWidgetItem *node = MaterialTree->currentItem();
    if (!isGroup(node))
        return;
    const QTreeWidgetItem *other = groupNode(name);
    if ((other && other != node) || !MaterialBank::renameGroup(m_database, node->text(0), name)) {
        lamira::showInformation(QStringLiteral("Группа с таким именем уже существует"), m_dialog);
        return;
    }
    node->setText(0, name);
}

void TBankOfMaterialsForm::DeleteButtonClick()
{
    QTreeWidgetItem *node = MaterialTree->currentItem();
    if (!node)
        return;
    const QString name = node->text(0);
    const bool group = isGroup(node);
    if (!lamira::guarded(this, [&] {
            if (group)
                MaterialBank::deleteGroup(m_database, name);
            else
                MaterialBank::deleteMaterial(m_database, name);
        }))
        return;
    delete node;
}

void TBankOfMaterialsForm::CloseButtonClick()
{
    accept();
}

bool TBankOfMaterialsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == mm1000)
            mm1000DblClick();
        else if (watched == mm1250)
            mm1250DblClick();
        else if (watched == mm1500)
            mm1500DblClick();
        else if (watched == mm2000)
            mm2000DblClick();
        else
            return QDialog::eventFilter(watched, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
