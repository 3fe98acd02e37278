#pragma once

class QString;
class TMainForm;

namespace lamira {

// The developer's way to the maps tab without a cutting job in the
// database (lamira --open-job JOB.json): cuts a job file of lamira-cut's
// format with the display settings of the database's Settings row, then
// shows the maps. The run's messages are shown as they arise; a job that
// cannot be read is reported. True when maps are shown.
bool openJob(TMainForm &form, const QString &path);

} // namespace lamira
