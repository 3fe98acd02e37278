#include "messagerecorder.h"
#include "shell/application.h"
#include "shell/infoprogress.h"
#include "shell/messages.h"
#include "shell/operationcancelled.h"
#include "shell/silentabort.h"
#include "store/storeerror.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <stdexcept>

using lamira::MessageAnswer;
using lamira::MessageButtons;
using lamira::MessageIcon;
using lamira::test::MessageRecorder;

namespace {

const QEvent::Type ThrowEvent = QEvent::Type(QEvent::User + 1);

// A window whose event handler raises the error the test chose.
class Thrower final : public QWidget
{
public:
    QString kind;
    std::function<void()> work;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != ThrowEvent)
            return QWidget::event(e);
        if (work)
            work();
        if (kind == "runtime")
            throw std::runtime_error("Ошибка в обработчике");
        if (kind == "store")
            throw lamira::StoreError("Ошибка базы данных Orders.mdb", "disk I/O error",
                                     "Update Make Set Del=0");
        if (kind == "cancelled")
            throw lamira::OperationCancelled();
        if (kind == "silent")
            throw lamira::SilentAbort();
        if (kind == "unknown")
            throw 42;
        return true;
    }
};

void raiseIn(Thrower &w, const QString &kind)
{
    w.kind = kind;
    QEvent e(ThrowEvent);
    QCoreApplication::sendEvent(&w, &e);
}

} // namespace

class ApplicationTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void errorIsShown_data();
    void errorIsShown();
    void errorFromAClick();
    void errorFinishesProgress_data();
    void errorFinishesProgress();
    void cancelledOperationEndsQuietly();
    void earlierHookAndCallbackRun();

    void messageBox_data();
    void messageBox();

private:
    qint64 m_now = 10000;
    std::unique_ptr<Thrower> m_window;
    std::unique_ptr<QWidget> m_other;
    std::unique_ptr<TInfoProgress> m_progress;
};

void ApplicationTest::init()
{
    m_window = std::make_unique<Thrower>();
    m_window->show();
    m_other = std::make_unique<QWidget>();
    m_other->show();
    m_progress = std::make_unique<TInfoProgress>(m_window.get(), [this] { return m_now; });
}

void ApplicationTest::cleanup()
{
    m_progress.reset();
    m_other.reset();
    m_window.reset();
}

void ApplicationTest::errorIsShown_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("error") << "runtime" << QStringList{"Ошибка в обработчике"};
    QTest::newRow("database error")
        << "store"
        << QStringList{"Ошибка базы данных Orders.mdb\ndisk I/O error\nUpdate Make Set Del=0"};
    QTest::newRow("not a std::exception") << "unknown" << QStringList{"Неизвестная ошибка"};
    QTest::newRow("cancelled") << "cancelled" << QStringList{};
    QTest::newRow("silent abort") << "silent" << QStringList{};
}

void ApplicationTest::errorIsShown()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, shown);
    MessageRecorder messages;
    raiseIn(*m_window, kind);
    QCOMPARE(messages.texts(), shown);
    if (!shown.isEmpty()) {
        QCOMPARE(messages.messages().first().icon, MessageIcon::Critical);
        QCOMPARE(messages.messages().first().buttons, MessageButtons::Ok);
    }
    // The program goes on: the next event is handled normally.
    raiseIn(*m_window, "none");
    QCOMPARE(messages.texts(), shown);
}

void ApplicationTest::errorFromAClick()
{
    MessageRecorder messages;
    QPushButton button("Раскрой");
    QObject::connect(&button, &QPushButton::clicked,
                     [] { throw std::runtime_error("Нечего кроить?"); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(messages.texts(), QStringList{"Нечего кроить?"});
}

void ApplicationTest::errorFinishesProgress_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("window shown") << true;
    // Started but still hidden: the other windows are disabled all the same.
    QTest::newRow("not yet shown") << false;
}

void ApplicationTest::errorFinishesProgress()
{
    QFETCH(bool, shown);
    TInfoProgress &p = *m_progress;
    p.Max1 = 100;
    p.SetParts(7);
    p.Refresh(TInfoProgress::Start);
    if (shown) {
        m_now += 1500;
        p.Refresh(TInfoProgress::Update);
    }
    QCOMPARE(p.isVisible(), shown);
    QVERIFY(!m_other->isEnabled());

    bool enabledWhenShown = false;
    const auto previous = lamira::setMessageHandler([&](const lamira::Message &) {
        enabledWhenShown = m_other->isEnabled() && m_window->isEnabled() && !p.isVisible();
        return MessageAnswer::Ok;
    });
    raiseIn(*m_window, "runtime");
    lamira::setMessageHandler(previous);

    QVERIFY(enabledWhenShown); // finished before the message
    QVERIFY(!p.isVisible());
    QVERIFY(!p.isRunning());
    QVERIFY(m_window->isEnabled());
    QVERIFY(m_other->isEnabled());
}

void ApplicationTest::cancelledOperationEndsQuietly()
{
    MessageRecorder messages;
    TInfoProgress &p = *m_progress;
    p.Max1 = 100;
    p.SetParts(7);
    p.Refresh(TInfoProgress::Start);
    m_now += 1500;
    p.Refresh(TInfoProgress::Update);
    QTest::mouseClick(p.btnCancel, Qt::LeftButton);
    // An operation that goes on without testing Cancelled.
    m_window->work = [&] {
        m_now += 300;
        p.Refresh(TInfoProgress::Update);
    };
    raiseIn(*m_window, "none");
    QVERIFY(messages.texts().isEmpty());
    QVERIFY(!p.isVisible());
    QVERIFY(m_other->isEnabled());
}

void ApplicationTest::earlierHookAndCallbackRun()
{
    m_progress.reset();
    auto *app = lamira::Application::instance();
    QVERIFY(app);
    QStringList calls;
    app->setErrorHook([&] { calls << "earlier"; });
    m_progress = std::make_unique<TInfoProgress>(m_window.get(), [this] { return m_now; });
    m_progress->SetParts(3, [&] { calls << "callback"; });
    MessageRecorder messages;
    raiseIn(*m_window, "runtime");
    QCOMPARE(calls, (QStringList{"earlier", "callback"}));
    m_progress.reset();
    calls.clear();
    raiseIn(*m_window, "runtime"); // the window gave the earlier hook back
    QCOMPARE(calls, QStringList{"earlier"});
    app->setErrorHook({});
}

void ApplicationTest::messageBox_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("press"); // a button caption, or "Escape"
    QTest::addColumn<int>("answer");

    const int ync = int(MessageButtons::YesNoCancel);
    QTest::newRow("yes") << ync << "Да" << int(MessageAnswer::Yes);
    QTest::newRow("no") << ync << "Нет" << int(MessageAnswer::No);
    QTest::newRow("cancel") << ync << "Отмена" << int(MessageAnswer::Cancel);
    QTest::newRow("escape is cancel") << ync << "Escape" << int(MessageAnswer::Cancel);
    QTest::newRow("yes/no escape is no")
        << int(MessageButtons::YesNo) << "Escape" << int(MessageAnswer::No);
    QTest::newRow("ok") << int(MessageButtons::Ok) << "OK" << int(MessageAnswer::Ok);
}

void ApplicationTest::messageBox()
{
    QFETCH(int, buttons);
    QFETCH(QString, press);
    QFETCH(int, answer);
    QString caption;
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        caption = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            captions << b->text();
        if (press == "Escape") {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == press)
                b->click();
        }
    });
    const MessageAnswer got =
        lamira::askQuestion("Выйти?", "Предупреждение", MessageButtons(buttons));
    QCOMPARE(caption, QString("Предупреждение"));
    QVERIFY2(captions.contains(press) || press == "Escape", qPrintable(captions.join(',')));
    QCOMPARE(int(got), answer);
}

int main(int argc, char *argv[])
{
    lamira::Application app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
