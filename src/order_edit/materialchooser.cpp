#include "order_edit/materialchooser.h"

#include "shell/messages.h"
#include "store/materiallist.h"

#include <QInputDialog>
#include <QStringList>

QString chooseMaterialFromBank(QWidget *parent, lamira::Database &database, const QString &start)
{
    QStringList names;
    try {
        for (const lamira::MaterialEntry &material : lamira::listMaterials(database))
            names << material.name;
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), parent);
        return start;
    }
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("MaterialChooser"));
    dialog.setWindowTitle(QStringLiteral("Материал"));
    dialog.setLabelText(QStringLiteral("Материал из банка материалов:"));
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(false);
    dialog.setOkButtonText(QStringLiteral("ОК"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (names.contains(start))
        dialog.setTextValue(start);
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty())
        return start;
    return dialog.textValue();
}
