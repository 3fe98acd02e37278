#pragma once

#include "store/productbank.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTableWidget;

namespace lamira {
class Database;
}

// "Добавить деталь": every line of the products bank, to send one of them
// to the cutting job.
class TFormAddDetail final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormAddDetail)

public:
    explicit TFormAddDetail(lamira::Database &database, QWidget *parent = nullptr);

    // Reads the lines ("Select * From DetailBank").
    void FormShow();
    // Adds the current line to the cutting job, if the grid has one; the
    // form closes in every case.
    void SpeedButton1Click();
    // "Отмена".
    void SpeedButton2Click();

    QTableWidget *DBGrid2;
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;

signals:
    // An entry was added to the cutting job.
    void jobChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    lamira::Database &m_database;
    QList<lamira::ProductBank::Line> m_lines;
};
