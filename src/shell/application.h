#pragma once

#include <QApplication>

#include <exception>
#include <functional>

namespace lamira {

// The program's QApplication. An exception that escapes an event handler
// ends that handler and arrives here: the hook (the progress window's, which
// finishes a running operation and enables the other windows again) runs
// first, then the error's text is shown, except for a cancelled operation
// (OperationCancelled) and the silent abort (SilentAbort), which show nothing.
//
// Qt's own frames between notify() and the handler are unwound without
// their clean-up, so such an error may leak the event being delivered; a
// small price for a failure that would otherwise end the program.
class Application final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    using ErrorHook = std::function<void()>;

    Application(int &argc, char **argv);

    // The running Application, or null when the process uses another class.
    static Application *instance();

    bool notify(QObject *receiver, QEvent *event) override;

    // Handles an error as notify() does; for errors caught elsewhere.
    void handleError(std::exception_ptr error);

    // Installs the hook run before an error is shown and returns the one it
    // replaces, which the new hook should call in turn.
    ErrorHook setErrorHook(ErrorHook hook);

private:
    ErrorHook m_errorHook;
};

} // namespace lamira
