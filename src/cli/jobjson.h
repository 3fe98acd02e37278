#pragma once

#include "cli/jobformaterror.h"
#include "cutting/cutjob.h"

#include <QByteArray>
#include <QJsonObject>

namespace lamira {

class CutRun;

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
