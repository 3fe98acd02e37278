#include "shell/application.h"

#include "shell/messages.h"
#include "shell/operationcancelled.h"
#include "shell/silentabort.h"

namespace lamira {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

Application *Application::instance()
{
    return qobject_cast<Application *>(QCoreApplication::instance());
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleError(std::current_exception());
        return false;
    }
}

Application::ErrorHook Application::setErrorHook(ErrorHook hook)
{
    ErrorHook previous = std::move(m_errorHook);
    m_errorHook = std::move(hook);
    return previous;
}

void Application::handleError(std::exception_ptr error)
{
    if (m_errorHook) {
        try {
            m_errorHook();
        } catch (...) {
            // Finishing the progress window must not hide the first error.
        }
    }
    try {
        std::rethrow_exception(error);
    } catch (const OperationCancelled &) {
    } catch (const SilentAbort &) {
    } catch (const std::exception &e) {
        // The original system showed nothing here; a database failure the
        // user never hears of is worse than a message.
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("Неизвестная ошибка"));
    }
}

} // namespace lamira
