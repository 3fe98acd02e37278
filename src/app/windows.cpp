#include "app/windows.h"

namespace lamira {

Windows::Windows(Database &database)
{
    MainForm = std::make_unique<TMainForm>(database);
    CalendarForm = std::make_unique<TCalendarForm>(MainForm->DateEdit2);
    OrdersForm = std::make_unique<TOrdersForm>(database);
    DialogForm = std::make_unique<TDialogForm>();
    InfoProgress = std::make_unique<TInfoProgress>(MainForm.get());
    FormAbout = std::make_unique<TFormAbout>();

    MainForm->setInfoProgress(InfoProgress.get());
    MainForm->setCalendarForm(CalendarForm.get());
    MainForm->setOrdersForm(OrdersForm.get());
    MainForm->setDialogForm(DialogForm.get());
    MainForm->setFormAbout(FormAbout.get());
    OrdersForm->setDialogForm(DialogForm.get());
}

// The progress window goes first, giving back the error hook and the
// windows it may still hold disabled; the main window, which the others
// serve, goes last.
Windows::~Windows()
{
    if (MainForm) {
        MainForm->setInfoProgress(nullptr);
        MainForm->setCalendarForm(nullptr);
        MainForm->setOrdersForm(nullptr);
        MainForm->setDialogForm(nullptr);
        MainForm->setFormAbout(nullptr);
    }
    InfoProgress.reset();
    FormAbout.reset();
    DialogForm.reset();
    OrdersForm.reset();
    CalendarForm.reset();
    MainForm.reset();
}

} // namespace lamira
