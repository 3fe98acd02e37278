#pragma once

#include "store/materiallist.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

class QPushButton;
class QTableWidget;
class TEditInfoMake;

namespace lamira {
class Database;
}

// The material chooser: the materials bank as a list of group and name, in
// the order the database returns it. The caller sets TargetPanel (a product
// panel of the order sheet, or none) and SelectedMaterial (the start text),
// shows the chooser and reads SelectedMaterial back; choose() does all
// three.
class TSelectForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSelectForm)

public:
    explicit TSelectForm(lamira::Database &database, QWidget *parent = nullptr);

    // The window it is centred on when shown.
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }

    // Shows the chooser modally and returns the chosen material, or `start`
    // when it was cancelled.
    QString choose(TEditInfoMake *target, const QString &start);

    // Reads the materials; the start material, when listed, is the current
    // row.
    void FormShow();
    // The current row's material; with an empty list nothing happens and
    // the chooser stays open.
    void OKButtonClick();
    // "Для всех": as OK, and the material goes into the material cell of
    // every row of TargetPanel, its empty input row included.
    void ForAllButtonClick();
    // Closes; SelectedMaterial keeps the start text.
    void CancelButtonClick();

    QTableWidget *DBGrid1;
    QPushButton *OKButton;
    QPushButton *ForAllButton;
    QPushButton *CancelButton;

    QString SelectedMaterial;
    QPointer<TEditInfoMake> TargetPanel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The current row's material, if the list has one.
    bool takeCurrent();

    lamira::Database &m_database;
    QList<lamira::MaterialEntry> m_materials;
    QPointer<QWidget> m_mainWindow;
};
