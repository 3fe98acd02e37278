#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDialogForm;

namespace lamira {
class Database;
}

// "Банк материалов": the groups and materials of table Tree, with the sheet
// heights each material may be cut on and its saw width. Every change is
// written at once. Groups are the top-level nodes of MaterialTree, their
// materials the nodes below; a group made here lives in the tree only until
// a material is added to it.
class TBankOfMaterialsForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBankOfMaterialsForm)

public:
    // The prompts of the one-line dialog's four modes of this window.
    static const QString NewGroupPrompt;
    static const QString NewMaterialPrompt;
    static const QString RenameMaterialPrompt;
    static const QString RenameGroupPrompt;

    explicit TBankOfMaterialsForm(lamira::Database &database, QWidget *parent = nullptr);

    // The dialog that asks for names; registers this window's four modes.
    void setDialogForm(TDialogForm *dialog);

    // Empties the value boxes.
    void FormCreate();
    // Builds the tree anew: groups in ascending order, their materials below.
    void FormShow();
    // Shows the selected material's values; a group empties the boxes.
    void MaterialTreeChange();
    void CreateGroupButtonClick();
    void CreateMaterialButtonClick();
    void RenameButtonClick();
    void DeleteButtonClick();
    void CloseButtonClick();
    // Double click on a size box of a material: turns the size on or off.
    void mm1000DblClick();
    void mm1250DblClick();
    void mm1500DblClick();
    void mm2000DblClick();
    void SawHeightChange();
    void minChange();

    QLabel *Label1; // "Листовые материалы"
    QTreeWidget *MaterialTree;
    QLabel *Name;
    QLabel *mm1000;
    QLabel *mm1250;
    QLabel *mm1500;
    QLabel *mm2000;
    QLineEdit *SawHeight;
    QLineEdit *min;
    QPushButton *CreateGroupButton;
    QPushButton *CreateMaterialButton;
    QPushButton *RenameButton;
    QPushButton *DeleteButton;
    QPushButton *CloseButton;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static bool isGroup(const QTreeWidgetItem *node);
    QTreeWidgetItem *selectedMaterial() const;
    QTreeWidgetItem *groupNode(const QString &name) const;
    void clearValues();
    void toggleSize(QLabel *box, int sheetHeight);

    // The dialog's modes.
    void newGroup(const QString &name);
    void newMaterial(const QString &name);
    void renameMaterial(const QString &name);
    void renameGroup(const QString &name);

    lamira::Database &m_database;
    TDialogForm *m_dialog = nullptr;
};
