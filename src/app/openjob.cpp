#include "app/openjob.h"

#include "app/mainform.h"
#include "cli/jobjson.h"
#include "maps_ui/mapviewer.h"
#include "shell/infoprogress.h"
#include "shell/messages.h"
#include "shell/operationcancelled.h"
#include "store/database.h"

#include <QFile>

namespace lamira {

namespace {

// The settings a cut run takes from the Settings row besides the job.
void readDisplaySettings(Database &database, CutJob &job)
{
    Cursor settings = database.select(QStringLiteral("Select * From Settings"));
    if (settings.isEmpty())
        return;
    job.ListColor = settings.integer(QStringLiteral("ListColor"));
    job.DetailColor = settings.integer(QStringLiteral("DetailColor"));
    job.RestColor = settings.integer(QStringLiteral("RestColor"));
    job.EditorColor = settings.integer(QStringLiteral("EditorColor"));
    job.FonColor = settings.integer(QStringLiteral("FonColor"));
    job.OddVisible = settings.text(QStringLiteral("OddVisible")) == QLatin1String("1");
    job.OddSize = settings.integer(QStringLiteral("OddSize"));
}

} // namespace

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
        readDisplaySettings(form.database(), job);
    } catch (const std::exception &e) {
        showError(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(e.what())), &form);
        return false;
    }

    form.mapViewer()->forgetRun();
    NullProgress noWindow;
    Progress &progress = form.infoProgress() ? static_cast<Progress &>(*form.infoProgress())
                                             : static_cast<Progress &>(noWindow);
    CutOutcome outcome = CutOutcome::Cancelled;
    try {
        outcome = form.cutRun().Run(job, progress, [&form](const std::string &text) {
            showInformation(QString::fromUtf8(text.data(), qsizetype(text.size())), &form);
        });
    } catch (const OperationCancelled &) {
        return false;
    }
    if (outcome != CutOutcome::Done)
        return false;
    form.mapViewer()->showRun(form.cutRun());
    return true;
}

} // namespace lamira
