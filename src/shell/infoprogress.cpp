#include "shell/infoprogress.h"

#include "shell/operationcancelled.h"
#include "shell/piegauge.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

namespace {

// Updates closer together than this only cost the caller a clock read.
constexpr qint64 ThrottleMs = 200;
// Operations shorter than this never flash the window.
constexpr qint64 ShowDelayMs = 1000;

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QFrame *panel(QWidget *parent, const char *name, QFrame::Shadow shadow)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameStyle(QFrame::Panel | shadow);
    return frame;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, bool bold)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QProgressBar *bar(QWidget *parent, const char *name)
{
    auto *b = new QProgressBar(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(321, 17);
    b->setAlignment(Qt::AlignCenter);
    return b;
}

void showOnBar(QProgressBar *bar, int maximum, int position)
{
    maximum = std::max(maximum, 0);
    bar->setRange(0, maximum);
    bar->setValue(std::clamp(position, 0, maximum));
}

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

TInfoProgress::TInfoProgress(QWidget *mainWindow, Clock clock)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds)), m_mainWindow(mainWindow)
{
    // No parent: a child window of the main window would be disabled with it.
    setObjectName(QStringLiteral("InfoProgress"));
    buildForm();
    if (auto *app = lamira::Application::instance())
        OldOnException = app->setErrorHook([this] { finishAfterError(); });
}

TInfoProgress::~TInfoProgress()
{
    restoreWindows();
    if (auto *app = lamira::Application::instance())
        app->setErrorHook(std::move(OldOnException));
}

void TInfoProgress::buildForm()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    // The window always fits the parts SetParts shows: 366 x 142 with all.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QColor grey(128, 128, 128);
    plGlobal = panel(this, "plGlobal", QFrame::Raised);
    plGlobal->setFixedSize(366, 22);
    plGlobal->setAutoFillBackground(true);
    QPalette titlePalette = plGlobal->palette();
    titlePalette.setColor(QPalette::Window, grey);
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    titlePalette.setColor(QPalette::ButtonText, Qt::white);
    plGlobal->setPalette(titlePalette);
    auto *title = new QHBoxLayout(plGlobal);
    title->setContentsMargins(1, 1, 1, 1);
    title->setSpacing(0);

    Panel3 = new QWidget(plGlobal);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedWidth(10);
    plGlobal1 = label(plGlobal, "plGlobal1", QString(), false);
    QFont titleFont = plGlobal1->font();
    titleFont.setPixelSize(13);
    plGlobal1->setFont(titleFont);
    plGlobal1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    gProgress = new PieGauge(plGlobal);
    gProgress->setObjectName(QStringLiteral("gProgress"));
    gProgress->setFixedSize(21, 18);
    gProgress->setForeground(grey);
    plCancel = panel(plGlobal, "plCancel", QFrame::Raised);
    plCancel->setFixedWidth(77);
    auto *cancelLayout = new QHBoxLayout(plCancel);
    cancelLayout->setContentsMargins(1, 0, 1, 0);
    btnCancel = new QToolButton(plCancel);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setText(QStringLiteral("Отменить"));
    btnCancel->setAutoRaise(true);
    btnCancel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    cancelLayout->addWidget(btnCancel);
    connect(btnCancel, &QToolButton::clicked, this, &TInfoProgress::btnCancelClick);
    title->addWidget(Panel3);
    title->addWidget(plGlobal1, 1);
    title->addWidget(gProgress);
    title->addWidget(plCancel);
    layout->addWidget(plGlobal);

    const auto barPanel =
        [this, layout](const char *name, QWidget *&textPanel, const char *textPanelName,
                       QLabel *&nameLabel, const char *nameLabelName, const QString &nameText,
                       QLabel *&textLabel, const char *textLabelName, const QString &textText,
                       QProgressBar *&gauge, const char *gaugeName) {
            QFrame *p = panel(this, name, QFrame::Sunken);
            p->setFixedSize(366, 55);
            auto *inner = new QVBoxLayout(p);
            inner->setContentsMargins(22, 6, 22, 8);
            inner->setSpacing(4);
            textPanel = new QWidget(p);
            textPanel->setObjectName(QLatin1String(textPanelName));
            auto *texts = new QHBoxLayout(textPanel);
            texts->setContentsMargins(0, 0, 0, 0);
            texts->setSpacing(4);
            nameLabel = label(textPanel, nameLabelName, nameText, true);
            textLabel = label(textPanel, textLabelName, textText, false);
            texts->addWidget(nameLabel);
            texts->addWidget(textLabel, 1);
            gauge = bar(p, gaugeName);
            inner->addWidget(textPanel);
            inner->addWidget(gauge);
            layout->addWidget(p);
            return p;
        };
    plProgress1 = barPanel("plProgress1", PanelText1, "PanelText1", lbName1, "lbName1",
                           QStringLiteral("Объект:"), lbText1, "lbText1",
                           QStringLiteral("Имя объекта"), gProgress1, "gProgress1");
    plProgress2 =
        barPanel("plProgress2", Panel1, "Panel1", lbName2, "lbName2", QStringLiteral("Элемент: "),
                 lbText2, "lbText2", QStringLiteral("Имя элемента"), gProgress2, "gProgress2");
    adjustSize();
}

void TInfoProgress::SetParts(int flags)
{
    SetParts(flags, {});
}

void TInfoProgress::SetParts(int flags, std::function<void()> onError)
{
    plProgress1->setVisible(flags & FirstBar);
    plProgress2->setVisible(flags & SecondBar);
    plCancel->setVisible(flags & CancelButton);
    m_cancelOffered = flags & CancelButton;
    OnError = std::move(onError);
    adjustSize();
}

void TInfoProgress::Refresh(int mode)
{
    // The cancel button hides itself when pressed, so "offered" rather than
    // "visible" decides here; otherwise this safety net for callers that
    // forget to test Cancelled() could never catch anything.
    if (mode == Update && m_cancelOffered && m_cancelled)
        throw lamira::OperationCancelled();
    const qint64 now = m_clock();
    if (mode == Update && LastTick != 0 && now - LastTick < ThrottleMs)
        return;

    setWindowTitle(text(Caption));
    plGlobal1->setText(text(Caption));
    if (!plProgress1->isHidden()) {
        showOnBar(gProgress1, Max1, Pos1);
        lbName1->setText(text(Name1));
        lbText1->setText(text(Text1));
    }
    gProgress->setMaximum(Max1);
    gProgress->setValue(Pos1);
    if (!plProgress2->isHidden()) {
        showOnBar(gProgress2, Max2, Pos2);
        lbName2->setText(text(Name2));
        lbText2->setText(text(Text2));
    }
    if (isVisible())
        dispatchPendingMessages();

    if (mode == Start) {
        Mode = 1;
        StartTick = now;
        m_cancelled = false;
        // A start inside a running operation keeps the states remembered by
        // the first start; recording them again would record "disabled" and
        // leave every window disabled after the finish.
        if (!m_running)
            DisabledForms.clear();
        m_running = true;
        disableOtherWindows();
    }

    // An unknown total (maximum 0) counts as not yet half done.
    if (Mode == 1 && now - StartTick > ShowDelayMs && gProgress->fraction() < 0.5) {
        m_cancelled = false;
        centreOnMainWindow();
        show();
        raise();
        dispatchPendingMessages();
        LastTick = 0;
        Mode = 0;
    }

    if (mode == Finish && Mode != 2) {
        if (isVisible())
            dispatchPendingMessages();
        restoreWindows();
        hide();
        LastTick = 0;
        Mode = 2;
        m_running = false;
    }

    if (isVisible())
        dispatchPendingMessages();
    LastTick = now;
}

void TInfoProgress::btnCancelClick()
{
    m_cancelled = true;
    plCancel->hide();
    dispatchPendingMessages();
    repaint();
}

void TInfoProgress::dispatchPendingMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TInfoProgress::disableOtherWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w == this)
            continue;
        const bool known = std::any_of(DisabledForms.cbegin(), DisabledForms.cend(),
                                       [w](const auto &entry) { return entry.first == w; });
        if (known)
            continue;
        // The window's own setting: isEnabled() would also be false for a
        // dialog whose owner was disabled a moment ago.
        DisabledForms.append({w, !w->testAttribute(Qt::WA_ForceDisabled)});
        w->setEnabled(false);
    }
}

void TInfoProgress::restoreWindows()
{
    for (const auto &[window, enabled] : std::as_const(DisabledForms)) {
        if (window)
            window->setEnabled(enabled);
    }
    DisabledForms.clear();
}

void TInfoProgress::centreOnMainWindow()
{
    adjustSize();
    QRect area;
    if (m_mainWindow && m_mainWindow->isVisible())
        area = m_mainWindow->frameGeometry();
    else if (const QScreen *s = screen())
        area = s->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void TInfoProgress::finishAfterError()
{
    // Also when started but not yet shown: the other windows are disabled
    // from the start, and an error must not leave them so.
    if (m_running)
        Refresh(Finish);
    if (OldOnException)
        OldOnException();
    if (OnError)
        OnError();
}
