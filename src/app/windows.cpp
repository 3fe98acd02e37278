#include "app/windows.h"

namespace lamira {

Windows::Windows(Database &database)
{
    MainForm = std::make_unique<TMainForm>(database);
    InfoProgress = std::make_unique<TInfoProgress>(MainForm.get());
    MainForm->setInfoProgress(InfoProgress.get());
}

// The progress window goes first, giving back the error hook and the
// windows it may still hold disabled.
Windows::~Windows()
{
    if (MainForm)
        MainForm->setInfoProgress(nullptr);
    InfoProgress.reset();
    MainForm.reset();
}

} // namespace lamira
