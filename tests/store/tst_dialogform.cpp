#include "messagerecorder.h"
#include "modal.h"
#include "store/forms/dialogform.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using lamira::test::MessageRecorder;
using lamira::test::whenModal;

// The one-line dialog: its caption picks the mode that "OK" runs.
class DialogFormTest final : public QObject
{
    Q_OBJECT

private slots:
    void captionSelectsTheMode();
    void emptyTextIsRefused();
    void closingByTheFrameRunsNothing();
    void laterRegistrationReplaces();
    void failingModeIsReported();
};

void DialogFormTest::captionSelectsTheMode()
{
    TDialogForm dialog;
    QStringList ran;
    dialog.registerMode("Введите название группы", [&](const QString &t) { ran << "group " + t; });
    dialog.registerMode("Введите новое примечание", [&](const QString &t) { ran << "note " + t; });
    whenModal([&dialog](QWidget *) {
        QCOMPARE(dialog.DialogEdit->selectedText(), QString("старое"));
        dialog.DialogEdit->setText("Фасады");
        dialog.DialogButton->click();
    });
    QCOMPARE(dialog.ask("Введите название группы", "старое"), int(QDialog::Accepted));
    QCOMPARE(dialog.windowTitle(), QString("Введите название группы"));
    QCOMPARE(ran, QStringList{"group Фасады"});

    // A caption nobody registered closes the dialog and runs nothing.
    whenModal([&dialog](QWidget *) { dialog.DialogButton->click(); });
    dialog.ask("Неизвестно", "x");
    QCOMPARE(ran, QStringList{"group Фасады"});
    QVERIFY(!dialog.isVisible());
}

void DialogFormTest::emptyTextIsRefused()
{
    MessageRecorder messages;
    TDialogForm dialog;
    int runs = 0;
    dialog.registerMode("Введите название заказа", [&](const QString &) { ++runs; });
    whenModal([&](QWidget *) {
        dialog.DialogButton->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.texts(), QStringList{"Поле ввода данных не может быть пустым"});
        dialog.DialogEdit->setText("Кухня");
        dialog.DialogButton->click();
    });
    dialog.ask("Введите название заказа", QString());
    QCOMPARE(runs, 1);
}

void DialogFormTest::closingByTheFrameRunsNothing()
{
    TDialogForm dialog;
    int runs = 0;
    dialog.registerMode("Введите название заказа", [&](const QString &) { ++runs; });
    whenModal([&](QWidget *) {
        dialog.DialogEdit->setText("Кухня");
        dialog.close();
    });
    QCOMPARE(dialog.ask("Введите название заказа", QString()), int(QDialog::Rejected));
    QCOMPARE(runs, 0);
}

void DialogFormTest::laterRegistrationReplaces()
{
    TDialogForm dialog;
    QString ran;
    dialog.registerMode("Введите название материала", [&](const QString &) { ran = "first"; });
    dialog.registerMode("Введите название материала", [&](const QString &) { ran = "second"; });
    QVERIFY(dialog.hasMode("Введите название материала"));
    QVERIFY(!dialog.hasMode("Введите новое название группы"));
    whenModal([&](QWidget *) { dialog.DialogButton->click(); });
    dialog.ask("Введите название материала", "ЛДСП");
    QCOMPARE(ran, QString("second"));
}

void DialogFormTest::failingModeIsReported()
{
    MessageRecorder messages;
    TDialogForm dialog;
    dialog.registerMode("Введите новое примечание",
                        [](const QString &) { throw std::runtime_error("нет связи"); });
    whenModal([&](QWidget *) { dialog.DialogButton->click(); });
    dialog.ask("Введите новое примечание", "x");
    QCOMPARE(messages.texts(), QStringList{"нет связи"});
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(DialogFormTest)
#include "tst_dialogform.moc"
