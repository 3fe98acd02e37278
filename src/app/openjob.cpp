#include "app/openjob.h"

#include "app/mainform.h"
#include "cli/jobjson.h"
#include "maps_ui/mapviewer.h"
#include "shell/infoprogress.h"
#include "shell/messages.h"
#include "shell/operationcancelled.h"
#include "store/database.h"
#include "store/runinput.h"

#include <QFile>

namespace lamira {

bool openJob(TMainForm &form, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(QStringLiteral("%1: %2").arg(path, file.errorString()), &form);
        return false;
    }
    CutJob job;
    try {
        job = ReadCutJob(file.readAll());
        // The colours and labels come from the Settings row; the job keeps
        // its own texture rule.
        const bool textureAll = job.TextureAll;
        RunInput::readRunSettings(form.database(), job);
        job.TextureAll = textureAll;
    } catch (const std::exception &e) {
        showError(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(e.what())), &form);
        return false;
    }

    auto run = std::make_unique<CutRun>();
    NullProgress noWindow;
    Progress &progress = form.infoProgress() ? static_cast<Progress &>(*form.infoProgress())
                                             : static_cast<Progress &>(noWindow);
    CutOutcome outcome = CutOutcome::Cancelled;
    try {
        outcome = run->Run(job, progress, [&form](const std::string &text) {
            showInformation(QString::fromUtf8(text.data(), qsizetype(text.size())), &form);
        });
    } catch (const OperationCancelled &) {
        return false;
    }
    if (outcome != CutOutcome::Done)
        return false;
    form.adoptRun(std::move(run));
    return true;
}

} // namespace lamira
