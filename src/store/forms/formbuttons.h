#pragma once

class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

// The buttons the store's windows build alike.
namespace FormButtons {

// A named push button that Enter in an edit of its window does not press.
QPushButton *button(QWidget *parent, const char *name, const QString &caption);

// The "ОК" / "Отмена" pair of a small dialog, right-aligned in one row;
// "ОК" is the default button, Enter does not reach "Отмена".
struct OkCancel
{
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QHBoxLayout *row = nullptr;
};
OkCancel okCancel(QWidget *parent, const char *okName, const char *cancelName);

} // namespace FormButtons
