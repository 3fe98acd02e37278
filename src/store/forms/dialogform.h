#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;

// The one-line input dialog. Its caption is the prompt and selects what
// "OK" does: each window that asks something registers the mode for its
// caption, so new prompts need no change here.
class TDialogForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDialogForm)

public:
    // Runs with the confirmed, non-empty text; reports its own refusals.
    using Mode = std::function<void(const QString &text)>;

    explicit TDialogForm(QWidget *parent = nullptr);

    // A later registration for the same caption replaces the earlier one.
    void registerMode(const QString &caption, Mode mode);
    bool hasMode(const QString &caption) const;

    // Sets the caption and the start text (wholly selected) and shows the
    // dialog modally.
    int ask(const QString &caption, const QString &text);

    // "OK": an empty edit is refused with a message and the dialog stays;
    // otherwise the caption's mode runs and the dialog closes. Closing by
    // the window frame runs nothing.
    void DialogButtonClick();

    QLineEdit *DialogEdit;
    QPushButton *DialogButton;

private:
    QList<QPair<QString, Mode>> m_modes;
};
