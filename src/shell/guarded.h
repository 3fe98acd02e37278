#pragma once

#include "shell/messages.h"

#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace lamira {

// Runs one step of a window's handler that may fail (a database statement):
// the error's text is shown over `parent` and false returned, so that the
// handler can stop where it is and the window stays usable.
template <typename Action> bool guarded(QWidget *parent, Action &&action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()), parent);
        return false;
    }
}

} // namespace lamira
