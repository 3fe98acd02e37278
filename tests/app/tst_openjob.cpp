#include "app/mainform.h"
#include "app/openjob.h"
#include "maps_ui/mappanel.h"
#include "maps_ui/mapviewer.h"
#include "messagerecorder.h"
#include "testdatabase.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using lamira::test::MessageRecorder;
using lamira::test::TestDatabase;

class OpenJobTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheMapsOfAJob();
    void reportsAJobThatCannotBeRead_data();
    void reportsAJobThatCannotBeRead();

private:
    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<TMainForm> m_form;
};

void OpenJobTest::init()
{
    m_fixture = std::make_unique<TestDatabase>(lamira::Database::Engine::SQLite);
    m_form = std::make_unique<TMainForm>(m_fixture->db());
}

void OpenJobTest::cleanup()
{
    m_form.reset();
    m_fixture.reset();
}

void OpenJobTest::showsTheMapsOfAJob()
{
    m_fixture->db().execute(
        QStringLiteral("Update Settings Set DetailColor = 255, OddVisible = 0"));
    m_form->resize(1200, 900);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    MessageRecorder messages;
    QVERIFY(lamira::openJob(*m_form, QStringLiteral(LAMIRA_GOLDEN_DIR "/cut-101/job.json")));

    QVERIFY(m_form->PageControl1->isVisible());
    QCOMPARE(m_form->PageControl1->currentWidget(), m_form->TabSheet2);
    QVERIFY(m_form->cutRun());
    lamira::CutRun &run = *m_form->cutRun();
    MapViewer *viewer = m_form->mapViewer();
    QCOMPARE(viewer->parentWidget(), m_form->TabSheet2);
    QCOMPARE(viewer->ComboBox1->count(), run.MaterialCount() + 1);
    QCOMPARE(viewer->ComboBox1->currentText(), QString("Все"));
    QCOMPARE(viewer->Edit2->text(), QString("1"));
    QVERIFY(!run.Maps.empty());
    QVERIFY(run.MapScale >= 1);
    // The colours and the residual label come from the Settings row.
    QVERIFY(!run.OddVisible);
    const lamira::CTree *map = run.Maps.front();
    auto *sheet = static_cast<lamira::MapPanel *>(map->Panel);
    QVERIFY(sheet);
    QCOMPARE(sheet->colour(), QColor(250, 240, 215));
    auto *detail = static_cast<lamira::MapPanel *>(map->Piece->Panel);
    QCOMPARE(detail->colour(), QColor(255, 0, 0));
    // The run's own messages were shown as they arose.
    QStringList shown;
    for (const std::string &text : run.Messages)
        shown << QString::fromStdString(text);
    QCOMPARE(messages.texts(), shown);
}

void OpenJobTest::reportsAJobThatCannotBeRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing file") << QByteArray() << "";
    QTest::newRow("bad field") << QByteArray(R"({"texture_all": false, "materials": [],
        "rows": [{"source": "order", "name": "x", "width": -1, "height": 1, "quantity": 1,
                  "product_quantity": 1, "material": "m", "texture": false}]})")
                               << "rows[0].width";
}

void OpenJobTest::reportsAJobThatCannotBeRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath("job.json");
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    MessageRecorder messages;
    QVERIFY(!lamira::openJob(*m_form, path));
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.texts().front().startsWith(path));
    QVERIFY(messages.texts().front().contains(problem));
    QVERIFY(!m_form->PageControl1->isVisible());
    QVERIFY(!m_form->cutRun());
}

QTEST_MAIN(OpenJobTest)
#include "tst_openjob.moc"
