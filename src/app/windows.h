#pragma once

#include "app/calendarform.h"
#include "app/formabout.h"
#include "app/mainform.h"
#include "maps_ui/countform.h"
#include "maps_ui/editorform.h"
#include "shell/infoprogress.h"
#include "store/forms/bankofmaterialsform.h"
#include "store/forms/bankofproductsform.h"
#include "store/forms/dialogform.h"
#include "store/forms/formadddetail.h"
#include "store/forms/newdetailform.h"
#include "store/forms/newmakeform.h"
#include "store/forms/ordersform.h"
#include "store/forms/selectform.h"

#include <memory>

namespace lamira {

class Database;

// The program's windows, each created once at start-up in a fixed order
// and kept until the program ends. Windows added later take their place in
// this order: MainForm, CalendarForm, OrdersForm, BankOfMaterialsForm,
// DialogForm, SettingsForm, BankOfProductsForm, NewMakeForm, SelectForm,
// NewDetailForm, CountForm, EditorForm, InfoProgress, FormAbout,
// FormAddDetail, AddressInfoForm, LogoDlg. (Product panels are made one per
// product by the order sheet; no shared panel window is needed.)
class Windows
{
    Q_DISABLE_COPY_MOVE(Windows)

public:
    explicit Windows(Database &database);
    ~Windows();

    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TCalendarForm> CalendarForm;
    std::unique_ptr<TOrdersForm> OrdersForm;
    std::unique_ptr<TBankOfMaterialsForm> BankOfMaterialsForm;
    std::unique_ptr<TDialogForm> DialogForm;
    std::unique_ptr<TCountForm> CountForm;
    std::unique_ptr<TEditorForm> EditorForm;
    std::unique_ptr<TBankOfProductsForm> BankOfProductsForm;
    std::unique_ptr<TNewMakeForm> NewMakeForm;
    std::unique_ptr<TSelectForm> SelectForm;
    std::unique_ptr<TNewDetailForm> NewDetailForm;
    // Installs its error hook in the Application when created.
    std::unique_ptr<TInfoProgress> InfoProgress;
    std::unique_ptr<TFormAbout> FormAbout;
    std::unique_ptr<TFormAddDetail> FormAddDetail;
};

} // namespace lamira
