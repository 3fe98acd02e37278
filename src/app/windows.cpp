#include "app/windows.h"

#include "maps_ui/mapviewer.h"

namespace lamira {

Windows::Windows(Database &database)
{
    MainForm = std::make_unique<TMainForm>(database);
    CalendarForm = std::make_unique<TCalendarForm>(MainForm->DateEdit2);
    OrdersForm = std::make_unique<TOrdersForm>(database);
    DialogForm = std::make_unique<TDialogForm>();
    CountForm = std::make_unique<TCountForm>();
    EditorForm = std::make_unique<TEditorForm>();
    InfoProgress = std::make_unique<TInfoProgress>(MainForm.get());
    FormAbout = std::make_unique<TFormAbout>();

    MainForm->setInfoProgress(InfoProgress.get());
    MainForm->setCalendarForm(CalendarForm.get());
    MainForm->setOrdersForm(OrdersForm.get());
    MainForm->setDialogForm(DialogForm.get());
    MainForm->setFormAbout(FormAbout.get());
    OrdersForm->setDialogForm(DialogForm.get());
    MainForm->mapViewer()->setCountForm(CountForm.get());
    MainForm->mapViewer()->setEditorForm(EditorForm.get());
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
        MainForm->mapViewer()->setCountForm(nullptr);
        MainForm->mapViewer()->setEditorForm(nullptr);
    }
    InfoProgress.reset();
    FormAbout.reset();
    EditorForm.reset();
    CountForm.reset();
    DialogForm.reset();
    OrdersForm.reset();
    CalendarForm.reset();
    MainForm.reset();
}

} // namespace lamira
