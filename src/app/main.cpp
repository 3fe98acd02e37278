#include "app/mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Lamira 2.0 SE");
    TMainForm mainForm;
    mainForm.showMaximized();
    return app.exec();
}
