#pragma once

#include "cli/jobformaterror.h"
#include "cutting/cutjob.h"

#include <QByteArray>
#include <QJsonObject>

namespace lamira {

class CutRun;

// Limits that keep a job within what the cutter handles sanely: lengths in
// millimetres, saw width, and the number of Detail records a job may make.
inline constexpr int MaxJobLength = 100000;
inline constexpr int MaxJobSaw = 1000;
inline constexpr long long MaxJobCopies = 100000;

// Reads a cut job:
//   {"texture_all": bool,
//    "materials": [{"name": text, "saw": mm, "sizes": [1000|1250|1500|2000, ...]}],
//    "rows": [{"source": "order"|"bank", "name": text, "width": mm, "height": mm,
//              "quantity": int, "product_quantity": int, "material": text,
//              "texture": bool}]}
// Every field is required. Throws JobFormatError naming the first bad field.
CutJob ReadCutJob(const QByteArray &json);

// The result of a finished run: messages, one entry per filed material with
// its maps and trees, and the uncut details.
QJsonObject CutResultJson(const CutRun &run);

} // namespace lamira
