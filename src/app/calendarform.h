#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

// The date popup of the delivery date: a month calendar that offers no day
// before the day it was created (the program's start), "OK" and "Отмена".
class TCalendarForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCalendarForm)

public:
    // target: the edit "OK" writes the chosen date into.
    explicit TCalendarForm(QLineEdit *target, QWidget *parent = nullptr);

    // The date as the sheet shows dates: the system's short date text.
    static QString dateText(const QDate &date);

    void FormCreate();
    void SpeedButton1Click(); // "OK"
    void SpeedButton2Click(); // "Отмена"

    QCalendarWidget *MonthCalendar1;
    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;

private:
    QLineEdit *m_target;
};
