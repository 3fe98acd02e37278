#pragma once

#include <exception>

namespace lamira {

// Ends a whole operation (the cut run after a cancel) without a message:
// the application's error handler finishes the progress window and shows
// nothing.
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "silent abort"; }
};

} // namespace lamira
