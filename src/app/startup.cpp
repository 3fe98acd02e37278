#include "app/startup.h"

#include "app/openjob.h"
#include "app/windows.h"
#include "shell/application.h"
#include "shell/messages.h"
#include "store/database.h"

#include <QCommandLineParser>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace lamira {

namespace {

void printLine(FILE *stream, const QString &text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

// Scripted runs have nobody to press a button: messages go to stderr and
// questions get their safe answer (Cancel, No).
MessageAnswer messageToStderr(const Message &message)
{
    printLine(stderr, QStringLiteral("lamira: [%1] %2")
                          .arg(message.caption.isEmpty() ? QApplication::applicationName()
                                                         : message.caption,
                               message.text));
    switch (message.buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
}

} // namespace

int runLamira(int argc, char *argv[])
{
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lamira 2.0 SE"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    // Dates and numbers follow the system's regional settings. A machine
    // without any (the C locale) would show English month names in a Russian
    // program and clip them in the date fields: such a machine gets the
    // Russian conventions (dd.MM.yyyy, decimal comma).
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Раскрой листовых материалов"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption databaseOption(
        QStringLiteral("database"),
        QStringLiteral("SQLite file or postgresql://user@host:port/db "
                       "(default: Orders.mdb beside the program)."),
        QStringLiteral("location"));
    const QCommandLineOption quitAfterOption(
        QStringLiteral("quit-after"),
        QStringLiteral("Scripted check: quit <ms> after the main window is shown; "
                       "messages go to stderr."),
        QStringLiteral("ms"));
    const QCommandLineOption openJobOption(
        QStringLiteral("open-job"),
        QStringLiteral("Developer's check of the maps tab: cut a lamira-cut job file and show "
                       "its maps."),
        QStringLiteral("job.json"));
    parser.addOption(databaseOption);
    parser.addOption(quitAfterOption);
    parser.addOption(openJobOption);
    parser.process(app);

    const bool scripted = parser.isSet(quitAfterOption);
    int quitAfterMs = 0;
    if (scripted) {
        bool ok = false;
        quitAfterMs = parser.value(quitAfterOption).toInt(&ok);
        if (!ok || quitAfterMs < 0) {
            printLine(stderr, QStringLiteral("lamira: --quit-after takes milliseconds"));
            return 2;
        }
        setMessageHandler(messageToStderr);
    }
    const QString location =
        parser.isSet(databaseOption) ? parser.value(databaseOption) : Database::defaultLocation();

    std::unique_ptr<Database> database;
    std::unique_ptr<Windows> windows;
    try {
        database = std::make_unique<Database>(location);
        windows = std::make_unique<Windows>(*database);
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        printLine(stderr, QStringLiteral("lamira: ") + text);
        if (!scripted)
            showError(text);
        return 1;
    }

    windows->MainForm->showMaximized();
    if (parser.isSet(openJobOption)) {
        // Once the window is shown, so that the maps are scaled to its size.
        const QString job = parser.value(openJobOption);
        QTimer::singleShot(0, windows->MainForm.get(),
                           [&windows, job] { openJob(*windows->MainForm, job); });
    }
    if (scripted) {
        QTimer::singleShot(0, &app, [&] {
            printLine(stdout, QStringLiteral("Lamira 2.0 SE: main window shown, database %1")
                                  .arg(database->displayName()));
            // exit() ends the loop without closing the windows: quit() would
            // ask the main window, whose exit question a script cannot answer.
            QTimer::singleShot(quitAfterMs, &app, [] { QCoreApplication::exit(0); });
        });
    }
    const int status = QApplication::exec();
    windows.reset();
    database.reset();
    return status;
}

} // namespace lamira
