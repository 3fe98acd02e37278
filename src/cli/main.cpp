// lamira-cut: cuts a job file headlessly and writes the result as JSON.

#include "cli/jobjson.h"
#include "cli/terminalprogress.h"
#include "cutting/cutrun.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr int ExitBadInput = 2;
constexpr int ExitFailure = 1;

const char Usage[] = "usage: lamira-cut JOB.json [-o RESULT.json]\n"
                     "Cuts the job and writes the result as JSON to RESULT.json, or to\n"
                     "standard output without -o.\n";

int fail(int status, const std::string &text)
{
    std::fprintf(stderr, "lamira-cut: %s\n", text.c_str());
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    const char *jobPath = nullptr;
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
        } else if (arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "lamira-cut: unknown option %s\n", arg);
            std::fputs(Usage, stderr);
            return ExitBadInput;
        } else if (!jobPath) {
            jobPath = arg;
        } else {
            std::fputs(Usage, stderr);
            return ExitBadInput;
        }
    }
    if (!jobPath) {
        std::fputs(Usage, stderr);
        return ExitBadInput;
    }

    QFile file(QString::fromLocal8Bit(jobPath));
    if (!file.open(QIODevice::ReadOnly))
        return fail(ExitBadInput,
                    std::string(jobPath) + ": cannot read: " + file.errorString().toStdString());
    const QByteArray data = file.readAll();
    file.close();

    lamira::CutJob job;
    try {
        job = lamira::ReadCutJob(data);
    } catch (const lamira::JobFormatError &e) {
        return fail(ExitBadInput, std::string(jobPath) + ": " + e.what());
    }

    lamira::CutRun run;
    lamira::NullProgress quiet;
    lamira::TerminalProgress bar(stderr);
    // The bar only makes sense on a terminal; redirected output stays clean.
    lamira::Progress &progress = isatty(STDERR_FILENO) ? static_cast<lamira::Progress &>(bar)
                                                       : static_cast<lamira::Progress &>(quiet);
    run.Run(job, progress);

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
