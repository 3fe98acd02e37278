#pragma once

#include "app/mainform.h"
#include "shell/infoprogress.h"

#include <memory>

namespace lamira {

class Database;

// The program's windows, each created once at start-up in a fixed order
// and kept until the program ends. Windows added later take their place in
// this order: MainForm, CalendarForm, OrdersForm, BankOfMaterialsForm,
// DialogForm, SettingsForm, BankOfProductsForm, EditInfoMake, NewMakeForm,
// SelectForm, NewDetailForm, CountForm, EditorForm, InfoProgress, FormAbout,
// FormAddDetail, AddressInfoForm, LogoDlg.
class Windows
{
    Q_DISABLE_COPY_MOVE(Windows)

public:
    explicit Windows(Database &database);
    ~Windows();

    std::unique_ptr<TMainForm> MainForm;
    // Installs its error hook in the Application when created.
    std::unique_ptr<TInfoProgress> InfoProgress;
};

} // namespace lamira
