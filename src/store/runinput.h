#pragma once

#include "cutting/cutjob.h"
#include "cutting/cutrun.h"

namespace lamira {

class Database;
class Progress;

// The cut run's input read from the database: the run parameters of the
// Settings row and the cutting job's marked rows with the materials they
// name. "В раскрой" and `lamira-cut --database` both cut through
// cutMarkedJob, so the two give the same maps for the same database.
namespace RunInput {

// The Settings row's run parameters: Texture "да" keeps every detail's
// orientation; the five colours, OddVisible ("1") and OddSize go through
// the run to the viewer and the reports. Indent and MinList have no effect
// on cutting.
void readRunSettings(Database &db, CutJob &job);

// The whole job as the cut run reads it: the settings; the rows of Detail
// marked V='V' in ID order, each with the Quantity of its Make row, then
// those of DetailBank with the Quantity of their MakeBank row (0, so no
// copies, when the product row is missing); and the Tree row of every
// material they name that is in the bank, with its saw width and sheet
// heights. Names are matched exactly.
//
// Throws StoreError when the database fails, and when the job is beyond
// what the cutter handles (lengths above MaxJobLength or negative, a saw
// width above MaxJobSaw or negative, more than MaxJobCopies copies): such a
// job is not cut at all.
CutJob readCutJob(Database &db);

// Reads the job and runs it into `run`, which takes the results and the
// run parameters. Messages go to onMessage as they arise.
CutOutcome cutMarkedJob(Database &db, CutRun &run, Progress &progress,
                        CutRun::MessageSink onMessage = {});

} // namespace RunInput

} // namespace lamira
