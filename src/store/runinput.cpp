#include "store/runinput.h"

#include "store/database.h"
#include "store/materialbank.h"
#include "store/storeerror.h"

#include <algorithm>

namespace lamira::RunInput {

namespace {

const QString NotCut = QStringLiteral(" Раскрой не выполнен.");

std::string utf8(const QString &text)
{
    return text.toStdString();
}

void checkLength(const CutJob::Row &row, const char *what, int length)
{
    if (length < 0 || length > MaxJobLength)
        throw StoreError(QStringLiteral("Деталь «%1» (материал «%2»): %3 %4 мм вне пределов от 0 "
                                        "до %5 мм.")
                             .arg(QString::fromStdString(row.Name),
                                  QString::fromStdString(row.Material), QString::fromUtf8(what))
                             .arg(length)
                             .arg(MaxJobLength) +
                         NotCut);
}

// The marked rows of Detail or DetailBank with the quantity of their
// product, in ID order as the job's selects return them.
void readRows(Database &db, CutJob &job, CutJob::Source source)
{
    const bool fromOrder = source == CutJob::Source::Order;
    // The table names are ours, never user text.
    const QString sql =
        QStringLiteral("Select d.ID, d.Name, d.Width, d.Height, d.Quantity, d.Material, d.Texture, "
                       "p.Quantity As ProductQuantity From %1 d Left Join %2 p On p.ID = d.IDName "
                       "Where d.V='V' Order By d.ID");
    for (Cursor c =
             db.select(sql.arg(fromOrder ? QStringLiteral("Detail") : QStringLiteral("DetailBank"),
                               fromOrder ? QStringLiteral("Make") : QStringLiteral("MakeBank")));
         !c.eof(); c.next()) {
        CutJob::Row row;
        row.From = source;
        row.Name = utf8(c.text(QStringLiteral("Name")));
        row.Width = c.integer(QStringLiteral("Width"));
        row.Height = c.integer(QStringLiteral("Height"));
        row.Quantity = c.integer(QStringLiteral("Quantity"));
        // A row whose product is gone reads 0 here and gives no copies.
        row.ProductQuantity = c.integer(QStringLiteral("ProductQuantity"));
        row.Material = utf8(c.text(QStringLiteral("Material")));
        row.Texture = c.text(QStringLiteral("Texture")) == QStringLiteral("да");
        checkLength(row, "длина", row.Width);
        checkLength(row, "ширина", row.Height);
        job.Rows.push_back(std::move(row));
    }
}

void checkCopies(const CutJob &job)
{
    long long copies = 0;
    for (const CutJob::Row &row : job.Rows) {
        if (row.Quantity > 0 && row.ProductQuantity > 0)
            copies += (long long)row.Quantity * row.ProductQuantity;
        if (copies > MaxJobCopies)
            throw StoreError(QStringLiteral("В задании на раскрой больше %1 деталей (количество "
                                            "деталей, умноженное на количество изделий).")
                                 .arg(MaxJobCopies) +
                             NotCut);
    }
}

} // namespace

void readRunSettings(Database &db, CutJob &job)
{
    const Cursor s = db.select(QStringLiteral("Select * From Settings"));
    job.ListColor = s.integer(QStringLiteral("ListColor"));
    job.DetailColor = s.integer(QStringLiteral("DetailColor"));
    job.RestColor = s.integer(QStringLiteral("RestColor"));
    job.EditorColor = s.integer(QStringLiteral("EditorColor"));
    job.FonColor = s.integer(QStringLiteral("FonColor"));
    job.OddVisible = s.text(QStringLiteral("OddVisible")) == QStringLiteral("1");
    job.OddSize = s.integer(QStringLiteral("OddSize"));
    job.TextureAll = s.text(QStringLiteral("Texture")) == QStringLiteral("да");
}

CutJob readCutJob(Database &db)
{
    CutJob job;
    readRunSettings(db, job);
    readRows(db, job, CutJob::Source::Order);
    readRows(db, job, CutJob::Source::Bank);
    checkCopies(job);

    std::vector<std::string> names;
    for (const CutJob::Row &row : job.Rows) {
        if (std::find(names.begin(), names.end(), row.Material) == names.end())
            names.push_back(row.Material);
    }
    for (const std::string &name : names) {
        const auto material = MaterialBank::material(db, QString::fromStdString(name));
        if (!material)
            continue; // the run reports it missing and leaves its rows uncut
        if (material->sawHeight < 0 || material->sawHeight > MaxJobSaw)
            throw StoreError(QStringLiteral("Материал «%1»: ширина пилы %2 мм вне пределов от 0 "
                                            "до %3 мм.")
                                 .arg(material->name)
                                 .arg(material->sawHeight)
                                 .arg(MaxJobSaw) +
                             NotCut);
        job.Materials.push_back({name, material->sawHeight, material->allow1000,
                                 material->allow1250, material->allow1500, material->allow2000});
    }
    return job;
}

CutOutcome cutMarkedJob(Database &db, CutRun &run, Progress &progress,
                        CutRun::MessageSink onMessage)
{
    const CutJob job = readCutJob(db);
    return run.Run(job, progress, std::move(onMessage));
}

} // namespace lamira::RunInput
