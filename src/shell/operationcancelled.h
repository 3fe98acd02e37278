#pragma once

#include <stdexcept>

namespace lamira {

// Raised by the progress window when an operation that offered the cancel
// button goes on after the user pressed it. It ends the operation quietly:
// the application's error handler shows nothing for it.
class OperationCancelled : public std::runtime_error
{
public:
    OperationCancelled() : std::runtime_error("Отмена действия") {}
};

} // namespace lamira
