#pragma once

#include <QString>

class QWidget;

namespace lamira::test {

// Types text into a widget key by key, as QTest::keyClicks does, also for
// letters outside Latin-1 (Cyrillic names), which keyClicks refuses.
void typeText(QWidget *widget, const QString &text);

} // namespace lamira::test
