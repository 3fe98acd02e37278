#include "app/formabout.h"

#include <QLabel>
#include <QPushButton>

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(385, 243);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 128, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    Label1 = new QLabel(QStringLiteral("Lamira 2.0 SE"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setPixelSize(28);
    big.setBold(true);
    Label1->setFont(big);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, 60, 385, 60);

    Button1 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(148, 190, 89, 30);
    connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);
}

void TFormAbout::Button1Click()
{
    close();
}
