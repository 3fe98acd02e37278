#include "app/mainform.h"

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    setWindowTitle("Lamira 2.0 SE");
    resize(1032, 776);
}
