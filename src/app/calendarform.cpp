#include "app/calendarform.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

TCalendarForm::TCalendarForm(QLineEdit *target, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_target(target)
{
    setObjectName(QStringLiteral("CalendarForm"));
    setFixedSize(298, 184);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(109, 109, 109)); // the system's grey text colour
    setPalette(p);

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setGeometry(8, 8, 177, 169);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    MonthCalendar1->setGridVisible(false);
    QFont small = MonthCalendar1->font();
    small.setPixelSize(10);
    MonthCalendar1->setFont(small);

    const auto button = [this](const char *name, const QString &caption, int top) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setGeometry(192, top, 89, 33);
        return b;
    };
    SpeedButton1 = button("SpeedButton1", QStringLiteral("OK"), 16);
    SpeedButton2 = button("SpeedButton2", QStringLiteral("Отмена"), 56);
    connect(SpeedButton1, &QToolButton::clicked, this, &TCalendarForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TCalendarForm::SpeedButton2Click);
    FormCreate();
}

QString TCalendarForm::dateText(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

void TCalendarForm::FormCreate()
{
    MonthCalendar1->setMinimumDate(QDate::currentDate());
}

void TCalendarForm::SpeedButton1Click()
{
    if (m_target) {
        m_target->setText(dateText(MonthCalendar1->selectedDate()));
        m_target->setCursorPosition(0);
    }
    accept();
}

void TCalendarForm::SpeedButton2Click()
{
    reject();
}
