#pragma once

#include <functional>

class QWidget;

namespace lamira::test {

// Runs `action` on the next modal window as soon as it is shown, from a
// timer, so that a test can press buttons in a dialog that the code under
// test opens with exec(). Call it before the action that opens the dialog.
//
//     whenModal([](QWidget *dialog) { ...; dialog->close(); });
//     form->OpenItem->trigger();   // returns once the dialog closed
void whenModal(std::function<void(QWidget *modal)> action);

} // namespace lamira::test
