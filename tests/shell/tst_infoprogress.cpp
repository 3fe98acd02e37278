#include "shell/infoprogress.h"
#include "shell/operationcancelled.h"
#include "shell/piegauge.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include <memory>

// Counts how often a widget is shown.
class ShowCounter final : public QObject
{
    Q_OBJECT

public:
    int shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

class InfoProgressTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void componentsAndFrame();
    void setParts_data();
    void setParts();
    void showRule_data();
    void showRule();
    void showsCentredOnMainWindow();
    void updatesAreThrottled();
    void windowsDisabledAndRestored();
    void finishTwiceRestoresOnce();
    void startWhileRunningKeepsStates();
    void cancel();

private:
    // Starts an operation at m_start with the first bar at pos of max.
    void start(int max, int pos, int parts = 7);
    void updateAt(qint64 elapsed, int pos);

    qint64 m_now = 0;
    qint64 m_start = 0;
    std::unique_ptr<QWidget> m_main;
    QDialog *m_dialog = nullptr; // owned by m_main
    std::unique_ptr<QWidget> m_other;
    std::unique_ptr<QWidget> m_disabledBefore;
    std::unique_ptr<TInfoProgress> m_progress;
    ShowCounter m_shows;
};

void InfoProgressTest::init()
{
    m_now = 50000;
    m_start = m_now;
    m_main = std::make_unique<QWidget>();
    m_main->setGeometry(100, 100, 800, 600);
    m_main->show();
    m_dialog = new QDialog(m_main.get());
    m_dialog->show();
    m_other = std::make_unique<QWidget>();
    m_other->show();
    m_disabledBefore = std::make_unique<QWidget>();
    m_disabledBefore->setEnabled(false);
    m_disabledBefore->show();
    m_progress = std::make_unique<TInfoProgress>(m_main.get(), [this] { return m_now; });
    m_shows.shows = 0;
    m_progress->installEventFilter(&m_shows);
}

void InfoProgressTest::cleanup()
{
    m_progress.reset();
    m_disabledBefore.reset();
    m_other.reset();
    m_main.reset();
}

void InfoProgressTest::start(int max, int pos, int parts)
{
    m_now = m_start;
    m_progress->Caption = "Раскрой";
    m_progress->Max1 = max;
    m_progress->Pos1 = pos;
    m_progress->SetParts(parts);
    m_progress->Refresh(TInfoProgress::Start);
}

void InfoProgressTest::updateAt(qint64 elapsed, int pos)
{
    m_now = m_start + elapsed;
    m_progress->Pos1 = pos;
    m_progress->Refresh(TInfoProgress::Update);
}

void InfoProgressTest::componentsAndFrame()
{
    TInfoProgress &p = *m_progress;
    for (const char *name :
         {"plGlobal", "Panel3", "plGlobal1", "gProgress", "plCancel", "btnCancel", "plProgress1",
          "PanelText1", "lbName1", "lbText1", "gProgress1", "plProgress2", "Panel1", "lbName2",
          "lbText2", "gProgress2"})
        QVERIFY2(p.findChild<QWidget *>(name), name);
    QCOMPARE(p.objectName(), QString("InfoProgress"));
    QCOMPARE(p.btnCancel->text(), QString("Отменить"));
    QCOMPARE(p.lbName1->text(), QString("Объект:"));
    QVERIFY(p.lbName1->font().bold());
    QCOMPARE(p.lbText1->text(), QString("Имя объекта"));
    QCOMPARE(p.lbName2->text(), QString("Элемент: "));
    QCOMPARE(p.lbText2->text(), QString("Имя элемента"));
    QCOMPARE(p.gProgress1->size(), QSize(321, 17));
    QCOMPARE(p.gProgress->size(), QSize(21, 18));
    QVERIFY(p.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(p.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!p.parentWidget());
    QCOMPARE(p.size(), QSize(366, 142));
    QVERIFY(!p.isVisible());
}

void InfoProgressTest::setParts_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("second");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("height");

    QTest::newRow("7 cut run") << 7 << true << true << true << 142;
    QTest::newRow("5 reports") << 5 << true << false << true << 82;
    QTest::newRow("3 order list") << 3 << true << true << false << 142;
    QTest::newRow("2") << 2 << false << true << false << 82;
    QTest::newRow("0") << 0 << false << false << false << 22;
}

void InfoProgressTest::setParts()
{
    QFETCH(int, flags);
    QFETCH(bool, first);
    QFETCH(bool, second);
    QFETCH(bool, cancel);
    QFETCH(int, height);
    m_progress->SetParts(7);
    m_progress->SetParts(flags);
    QCOMPARE(!m_progress->plProgress1->isHidden(), first);
    QCOMPARE(!m_progress->plProgress2->isHidden(), second);
    QCOMPARE(!m_progress->plCancel->isHidden(), cancel);
    QCOMPARE(m_progress->size(), QSize(366, height));
}

void InfoProgressTest::showRule_data()
{
    QTest::addColumn<QList<qint64>>("times"); // of the updates, ms after the start
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("shown");

    QTest::newRow("finished within a second")
        << QList<qint64>{300, 600, 900, 999} << QList<int>{10, 20, 30, 40} << 100 << false;
    QTest::newRow("one second exactly") << QList<qint64>{1000} << QList<int>{10} << 100 << false;
    QTest::newRow("past a second, below half")
        << QList<qint64>{1001} << QList<int>{10} << 100 << true;
    QTest::newRow("past half after a second")
        << QList<qint64>{500, 1200, 1500, 2500} << QList<int>{40, 60, 70, 90} << 100 << false;
    QTest::newRow("half exactly") << QList<qint64>{1500} << QList<int>{50} << 100 << false;
    QTest::newRow("just below half") << QList<qint64>{1500} << QList<int>{49} << 100 << true;
    QTest::newRow("unknown total") << QList<qint64>{1500} << QList<int>{0} << 0 << true;
    // The check runs only on updates that pass the 200 ms throttle.
    QTest::newRow("check throttled")
        << QList<qint64>{900, 1050} << QList<int>{10, 10} << 100 << false;
    QTest::newRow("check after throttle")
        << QList<qint64>{900, 1100} << QList<int>{10, 10} << 100 << true;
}

void InfoProgressTest::showRule()
{
    QFETCH(QList<qint64>, times);
    QFETCH(QList<int>, positions);
    QFETCH(int, max);
    QFETCH(bool, shown);
    start(max, 0);
    for (int i = 0; i < times.size(); ++i)
        updateAt(times.at(i), positions.at(i));
    QCOMPARE(m_shows.shows > 0, shown);
    QCOMPARE(m_progress->isVisible(), shown);
    m_now += 10;
    m_progress->Refresh(TInfoProgress::Finish);
    QVERIFY(!m_progress->isVisible());
}

void InfoProgressTest::showsCentredOnMainWindow()
{
    start(100, 0);
    updateAt(1500, 10);
    QVERIFY(m_progress->isVisible());
    const QPoint offset = m_progress->geometry().center() - m_main->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
}

void InfoProgressTest::updatesAreThrottled()
{
    TInfoProgress &p = *m_progress;
    start(100, 0);
    p.Name1 = "Материал:";
    p.Text1 = "ЛДСП";
    p.Max2 = 8;
    p.Pos2 = 3;
    updateAt(1500, 10); // shown
    QCOMPARE(p.gProgress1->value(), 10);
    QCOMPARE(p.gProgress->value(), 10);
    QCOMPARE(p.lbText1->text(), QString("ЛДСП"));
    QCOMPARE(p.gProgress2->value(), 3);
    QCOMPARE(p.plGlobal1->text(), QString("Раскрой"));

    p.Text1 = "МДФ";
    updateAt(1699, 20); // 199 ms later: nothing changes
    QCOMPARE(p.gProgress1->value(), 10);
    QCOMPARE(p.lbText1->text(), QString("ЛДСП"));
    updateAt(1899, 30); // 200 ms after the last real refresh
    QCOMPARE(p.gProgress1->value(), 30);
    QCOMPARE(p.lbText1->text(), QString("МДФ"));

    // The finish is never throttled.
    m_now += 1;
    p.Refresh(TInfoProgress::Finish);
    QVERIFY(!p.isVisible());
    QVERIFY(m_main->isEnabled());
}

void InfoProgressTest::windowsDisabledAndRestored()
{
    // A dialog whose owner was disabled before the start is disabled only
    // through its owner; it must come back with the owner later, not stay
    // disabled by itself.
    QWidget owner;
    owner.show();
    auto *ownedByDisabled = new QDialog(&owner);
    ownedByDisabled->show();
    owner.setEnabled(false);
    QVERIFY(!ownedByDisabled->isEnabled());
    start(100, 0);
    for (QWidget *w :
         {m_main.get(), static_cast<QWidget *>(m_dialog), m_other.get(), m_disabledBefore.get()})
        QVERIFY(!w->isEnabled());
    QVERIFY(m_progress->isEnabled());
    m_now += 50;
    m_progress->Refresh(TInfoProgress::Finish);
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_dialog->isEnabled()); // a child window of a disabled owner comes back too
    QVERIFY(m_other->isEnabled());
    QVERIFY(!m_disabledBefore->isEnabled());
    QVERIFY(!owner.isEnabled());
    owner.setEnabled(true);
    QVERIFY(ownedByDisabled->isEnabled());
}

void InfoProgressTest::finishTwiceRestoresOnce()
{
    start(100, 0);
    m_progress->Refresh(TInfoProgress::Finish);
    QVERIFY(m_other->isEnabled());
    m_other->setEnabled(false); // something disables it afterwards
    m_progress->Pos1 = 77;
    m_progress->Refresh(TInfoProgress::Finish);
    QVERIFY(!m_other->isEnabled());
    QVERIFY(m_main->isEnabled());
    QCOMPARE(m_progress->gProgress1->value(), 77); // the second call only redraws
}

void InfoProgressTest::startWhileRunningKeepsStates()
{
    start(100, 0);
    m_progress->Refresh(TInfoProgress::Start);
    m_progress->Refresh(TInfoProgress::Finish);
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_other->isEnabled());
    QVERIFY(!m_disabledBefore->isEnabled());
}

void InfoProgressTest::cancel()
{
    TInfoProgress &p = *m_progress;
    start(100, 0, 7);
    updateAt(1500, 10);
    QVERIFY(p.isVisible());
    QVERIFY(!p.Cancelled());
    QTest::mouseClick(p.btnCancel, Qt::LeftButton);
    QVERIFY(p.Cancelled());
    QVERIFY(p.plCancel->isHidden());
    QVERIFY(!m_main->isEnabled()); // the operation ends itself

    // An update after the cancel is the safety net's business.
    m_now += 500;
    QVERIFY_THROWS_EXCEPTION(lamira::OperationCancelled, p.Refresh(TInfoProgress::Update));
    p.Refresh(TInfoProgress::Finish);
    QVERIFY(!p.isVisible());
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_other->isEnabled());

    // The next operation starts uncancelled.
    start(100, 0, 3);
    QVERIFY(!p.Cancelled());
    p.btnCancelClick();
    updateAt(1500, 10); // no cancel button offered: no error
    p.Refresh(TInfoProgress::Finish);
}

QTEST_MAIN(InfoProgressTest)
#include "tst_infoprogress.moc"
