// lamira-cut: cuts a job file, or the cutting job marked in a database,
// headlessly and writes the result as JSON.

#include "cli/jobjson.h"
#include "cli/terminalprogress.h"
#include "cutting/cutrun.h"
#include "store/database.h"
#include "store/runinput.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

#include <memory>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr int ExitBadInput = 2;
constexpr int ExitFailure = 1;

const char Usage[] =
    "usage: lamira-cut JOB.json [-o RESULT.json]\n"
    "       lamira-cut --database PATH|URL [-o RESULT.json]\n"
    "Cuts the job file, or the cutting job marked in the database (an SQLite file\n"
    "or postgresql://user@host:port/db) exactly as \"В раскрой\" does, and writes\n"
    "the result as JSON to RESULT.json, or to standard output without -o.\n"
    "Exit status: 0 cut (also when there was nothing to cut); 2 usage error, bad\n"
    "job file, or a database that cannot be opened or read or whose job is beyond\n"
    "the cutter's limits; 1 the result cannot be written.\n";

int fail(int status, const std::string &text)
{
    std::fprintf(stderr, "lamira-cut: %s\n", text.c_str());
    return status;
}

// A database failure on one line: what failed and the driver's reason.
std::string oneLine(const lamira::StoreError &e)
{
    QString text = e.message();
    const QString driver = e.driverText().simplified();
    if (!driver.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(": ")) + driver;
    return text.simplified().toStdString();
}

// Opens an existing database; a file that is not there is an error rather
// than a new, empty database.
std::unique_ptr<lamira::Database> openDatabase(const char *location, std::string &error)
{
    const QString where = QString::fromLocal8Bit(location);
    if (!lamira::Database::isServerLocation(where) && !QFileInfo(where).isFile()) {
        error = std::string(location) + ": no such database file";
        return nullptr;
    }
    try {
        return std::make_unique<lamira::Database>(where);
    } catch (const lamira::StoreError &e) {
        error = oneLine(e);
        return nullptr;
    }
}

} // namespace

int main(int argc, char **argv)
{
    const char *jobPath = nullptr;
    const char *databaseLocation = nullptr;
    const char *outPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (!std::strcmp(arg, "-o")) {
            if (i + 1 >= argc || outPath) {
                std::fputs(Usage, stderr);
                return ExitBadInput;
            }
            outPath = argv[++i];
        } else if (!std::strcmp(arg, "--database")) {
            if (i + 1 >= argc || databaseLocation || jobPath) {
                std::fputs(Usage, stderr);
                return ExitBadInput;
            }
            databaseLocation = argv[++i];
        } else if (arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "lamira-cut: unknown option %s\n", arg);
            std::fputs(Usage, stderr);
            return ExitBadInput;
        } else if (!jobPath && !databaseLocation) {
            jobPath = arg;
        } else {
            std::fputs(Usage, stderr);
            return ExitBadInput;
        }
    }
    if (!jobPath && !databaseLocation) {
        std::fputs(Usage, stderr);
        return ExitBadInput;
    }

    lamira::CutRun run;
    lamira::NullProgress quiet;
    lamira::TerminalProgress bar(stderr);
    // The bar only makes sense on a terminal; redirected output stays clean.
    lamira::Progress &progress = isatty(STDERR_FILENO) ? static_cast<lamira::Progress &>(bar)
                                                       : static_cast<lamira::Progress &>(quiet);

    if (databaseLocation) {
        // The database drivers are plugins, found through the application.
        QCoreApplication app(argc, argv);
        std::string error;
        const auto db = openDatabase(databaseLocation, error);
        if (!db)
            return fail(ExitBadInput, error);
        try {
            lamira::RunInput::cutMarkedJob(*db, run, progress);
        } catch (const lamira::StoreError &e) {
            return fail(ExitBadInput, db->displayName().toStdString() + ": " + oneLine(e));
        }
    } else {
        QFile file(QString::fromLocal8Bit(jobPath));
        if (!file.open(QIODevice::ReadOnly))
            return fail(ExitBadInput, std::string(jobPath) +
                                          ": cannot read: " + file.errorString().toStdString());
        const QByteArray data = file.readAll();
        file.close();

        lamira::CutJob job;
        try {
            job = lamira::ReadCutJob(data);
        } catch (const lamira::JobFormatError &e) {
            return fail(ExitBadInput, std::string(jobPath) + ": " + e.what());
        }
        run.Run(job, progress);
    }

    const QByteArray result = QJsonDocument(lamira::CutResultJson(run)).toJson();
    if (outPath) {
        QSaveFile out(QString::fromLocal8Bit(outPath));
        if (!out.open(QIODevice::WriteOnly) || out.write(result) != result.size() || !out.commit())
            return fail(ExitFailure, std::string(outPath) +
                                         ": cannot write: " + out.errorString().toStdString());
    } else if (std::fwrite(result.constData(), 1, size_t(result.size()), stdout) !=
                   size_t(result.size()) ||
               std::fflush(stdout) != 0) {
        return fail(ExitFailure, "cannot write the result to standard output");
    }
    return 0;
}
