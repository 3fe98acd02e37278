#include "app/windows.h"

#include "maps_ui/mapviewer.h"
#include "order_edit/ordersheet.h"

namespace lamira {

Windows::Windows(Database &database)
{
    MainForm = std::make_unique<TMainForm>(database);
    CalendarForm = std::make_unique<TCalendarForm>(MainForm->DateEdit2);
    OrdersForm = std::make_unique<TOrdersForm>(database);
    BankOfMaterialsForm = std::make_unique<TBankOfMaterialsForm>(database);
    DialogForm = std::make_unique<TDialogForm>();
    CountForm = std::make_unique<TCountForm>();
    EditorForm = std::make_unique<TEditorForm>();
    BankOfProductsForm = std::make_unique<TBankOfProductsForm>(database);
    NewMakeForm = std::make_unique<TNewMakeForm>(database);
    SelectForm = std::make_unique<TSelectForm>(database);
    NewDetailForm = std::make_unique<TNewDetailForm>(database);
    InfoProgress = std::make_unique<TInfoProgress>(MainForm.get());
    FormAbout = std::make_unique<TFormAbout>();
    FormAddDetail = std::make_unique<TFormAddDetail>(database);

    MainForm->setInfoProgress(InfoProgress.get());
    MainForm->setCalendarForm(CalendarForm.get());
    MainForm->setOrdersForm(OrdersForm.get());
    MainForm->setDialogForm(DialogForm.get());
    MainForm->setFormAbout(FormAbout.get());
    MainForm->setBankOfMaterialsForm(BankOfMaterialsForm.get());
    MainForm->setBankOfProductsForm(BankOfProductsForm.get());
    MainForm->setFormAddDetail(FormAddDetail.get());
    OrdersForm->setDialogForm(DialogForm.get());
    MainForm->mapViewer()->setCountForm(CountForm.get());
    MainForm->mapViewer()->setEditorForm(EditorForm.get());
    BankOfMaterialsForm->setDialogForm(DialogForm.get());
    BankOfProductsForm->setNewMakeForm(NewMakeForm.get());
    BankOfProductsForm->setNewDetailForm(NewDetailForm.get());
    NewDetailForm->setSelectForm(SelectForm.get());
    NewDetailForm->setDecimalPoint(MainForm->orderSheet()->decimalPoint());
    SelectForm->setMainWindow(MainForm.get());
    // The order rows' material cell and the sheet's double click choose in
    // the materials bank.
    MainForm->orderSheet()->setMaterialChooser(
        [chooser = SelectForm.get()](TEditInfoMake *target, const QString &start) {
            return chooser->choose(target, start);
        });
}

// The progress window goes first, giving back the error hook and the
// windows it may still hold disabled; the main window, which the others
// serve, goes last.
Windows::~Windows()
{
    if (MainForm) {
        MainForm->orderSheet()->setMaterialChooser({});
        MainForm->setInfoProgress(nullptr);
        MainForm->setCalendarForm(nullptr);
        MainForm->setOrdersForm(nullptr);
        MainForm->setDialogForm(nullptr);
        MainForm->setFormAbout(nullptr);
        MainForm->mapViewer()->setCountForm(nullptr);
        MainForm->mapViewer()->setEditorForm(nullptr);
        MainForm->setBankOfMaterialsForm(nullptr);
        MainForm->setBankOfProductsForm(nullptr);
        MainForm->setFormAddDetail(nullptr);
    }
    InfoProgress.reset();
    FormAddDetail.reset();
    FormAbout.reset();
    EditorForm.reset();
    CountForm.reset();
    NewDetailForm.reset();
    SelectForm.reset();
    NewMakeForm.reset();
    BankOfProductsForm.reset();
    DialogForm.reset();
    BankOfMaterialsForm.reset();
    OrdersForm.reset();
    CalendarForm.reset();
    MainForm.reset();
}

} // namespace lamira
