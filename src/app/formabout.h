#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "О программе": the product's name and version.
class TFormAbout final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormAbout)

public:
    explicit TFormAbout(QWidget *parent = nullptr);

    void Button1Click();

    QLabel *Label1;
    QPushButton *Button1;
};
