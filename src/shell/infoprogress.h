#pragma once

#include "cutting/progress.h"
#include "shell/application.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QWidget>

#include <functional>

class PieGauge;
class QFrame;
class QLabel;
class QProgressBar;
class QToolButton;

// The shared progress window of long operations. It stays hidden until an
// operation has run for more than a second and is less than half done,
// throttles its updates to one per 200 ms, disables every other window from
// start to finish and offers a cancel button.
//
// Created once at start-up; creating it installs its hook in the
// Application, so that an error inside an operation finishes the window and
// enables the other windows again.
class TInfoProgress final : public QWidget, public lamira::Progress
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TInfoProgress)

public:
    // Milliseconds of a steady clock; tests pass their own.
    using Clock = std::function<qint64()>;

    explicit TInfoProgress(QWidget *mainWindow = nullptr, Clock clock = {});
    ~TInfoProgress() override;

    // Flags: 1 first bar, 2 second bar, 4 cancel button. The window fits
    // itself to the parts shown. onError runs after an error finished the
    // window.
    void SetParts(int flags) override;
    void SetParts(int flags, std::function<void()> onError);
    // 1 start, 0 update, 2 finish. Throws lamira::OperationCancelled on an
    // update after the user cancelled an operation that offered cancelling.
    void Refresh(int mode) override;
    bool Cancelled() const override { return m_cancelled; }

    // Between a start and its finish.
    bool isRunning() const { return m_running; }

    // The window it centres on when it shows itself.
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }

    // Sets Cancelled and hides the cancel button.
    void btnCancelClick();

    QFrame *plGlobal;
    QWidget *Panel3;
    QLabel *plGlobal1;
    PieGauge *gProgress;
    QFrame *plCancel;
    QToolButton *btnCancel;
    QFrame *plProgress1;
    QWidget *PanelText1;
    QLabel *lbName1;
    QLabel *lbText1;
    QProgressBar *gProgress1;
    QFrame *plProgress2;
    QWidget *Panel1;
    QLabel *lbName2;
    QLabel *lbText2;
    QProgressBar *gProgress2;

private:
    void buildForm();
    void dispatchPendingMessages();
    void disableOtherWindows();
    void restoreWindows();
    void centreOnMainWindow();
    void finishAfterError();

    qint64 LastTick = 0;  // of the last refresh, 0 = none
    qint64 StartTick = 0; // of the last start
    int Mode = 0;         // 0 shown or idle, 1 started and not yet shown, 2 finished
    // Each window disabled at the start, with whether it was enabled before
    // (a window disabled by itself stays so afterwards).
    QList<QPair<QPointer<QWidget>, bool>> DisabledForms;
    lamira::Application::ErrorHook OldOnException;
    std::function<void()> OnError;

    Clock m_clock;
    QPointer<QWidget> m_mainWindow;
    bool m_cancelled = false;
    bool m_cancelOffered = false; // flag 4 of the last SetParts
    bool m_running = false;
};
