#pragma once

#include "app/calendarform.h"
#include "app/formabout.h"
#include "app/mainform.h"
#include "maps_ui/countform.h"
#include "maps_ui/editorform.h"
#include "shell/infoprogress.h"
#include "store/forms/dialogform.h"
#include "store/forms/ordersform.h"

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
    std::unique_ptr<TDialogForm> DialogForm;
    std::unique_ptr<TCountForm> CountForm;
    std::unique_ptr<TEditorForm> EditorForm;
    // Installs its error hook in the Application when created.
    std::unique_ptr<TInfoProgress> InfoProgress;
    std::unique_ptr<TFormAbout> FormAbout;
};

} // namespace lamira
