#include "cli/jobjson.h"
#include "cutting/cutrun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QJsonDocument readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll());
}

// The first place where two results differ, or an empty string: lists in
// order, objects by their keys, numbers to 1e-6.
QString difference(const QJsonValue &a, const QJsonValue &b, const QString &path = "$")
{
    if (a.type() != b.type())
        return path + ": different kinds of value";
    switch (a.type()) {
    case QJsonValue::Object: {
        const QJsonObject x = a.toObject();
        const QJsonObject y = b.toObject();
        if (x.keys() != y.keys())
            return path + ": keys " + x.keys().join(',') + " against " + y.keys().join(',');
        for (const QString &key : x.keys()) {
            const QString d = difference(x.value(key), y.value(key), path + "." + key);
            if (!d.isEmpty())
                return d;
        }
        return {};
    }
    case QJsonValue::Array: {
        const QJsonArray x = a.toArray();
        const QJsonArray y = b.toArray();
        if (x.size() != y.size())
            return path + QStringLiteral(": %1 entries against %2").arg(x.size()).arg(y.size());
        for (qsizetype i = 0; i < x.size(); ++i) {
            const QString d = difference(x.at(i), y.at(i), path + QStringLiteral("[%1]").arg(i));
            if (!d.isEmpty())
                return d;
        }
        return {};
    }
    case QJsonValue::Double:
        if (std::abs(a.toDouble() - b.toDouble()) > 1e-6)
            return path + QStringLiteral(": %1 against %2").arg(a.toDouble()).arg(b.toDouble());
        return {};
    default:
        return a == b ? QString()
                      : path + ": " + a.toVariant().toString() + " against " +
                            b.toVariant().toString();
    }
}

struct Outcome
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome runCutter(const QStringList &arguments, const QString &directory = {})
{
    QProcess process;
    if (!directory.isEmpty())
        process.setWorkingDirectory(directory);
    process.start(QStringLiteral(LAMIRA_CUT), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

const char ValidRow[] = R"({"source": "order", "name": "Бок", "width": 720, "height": 560,
    "quantity": 2, "product_quantity": 1, "material": "ЛДСП", "texture": false})";
const char ValidMaterial[] = R"({"name": "ЛДСП", "saw": 4, "sizes": [1000, 1250]})";

QByteArray job(const QByteArray &materials, const QByteArray &rows)
{
    return R"({"texture_all": false, "materials": [)" + materials + R"(], "rows": [)" + rows + "]}";
}

} // namespace

class TestJobJson : public QObject
{
    Q_OBJECT

private slots:
    void golden_data();
    void golden();
    void readsEveryField();
    void cutterWritesTheResult();
    void cutterRejectsBadJobs_data();
    void cutterRejectsBadJobs();
    void cutterUsage_data();
    void cutterUsage();
    void emptyJobHasNothingToCut();
};

void TestJobJson::golden_data()
{
    QTest::addColumn<QString>("folder");
    const QDir dir(QStringLiteral(LAMIRA_GOLDEN_DIR));
    const QStringList cases = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(!cases.isEmpty());
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void TestJobJson::golden()
{
    QFETCH(QString, folder);
    QFile file(folder + "/job.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const lamira::CutJob job = lamira::ReadCutJob(file.readAll());
    lamira::CutRun run;
    lamira::NullProgress progress;
    run.Run(job, progress);
    const QJsonObject result = lamira::CutResultJson(run);
    const QJsonDocument expected = readJson(folder + "/expected.json");
    QVERIFY(expected.isObject());
    const QString d = difference(result, expected.object());
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestJobJson::readsEveryField()
{
    const QByteArray text = R"({"texture_all": true,
        "materials": [{"name": "A", "saw": 5, "sizes": [2000, 1250]},
                      {"name": "B", "saw": 0, "sizes": []}],
        "rows": [{"source": "bank", "name": "Полка", "width": 0, "height": 100000,
                  "quantity": -3, "product_quantity": 2, "material": "Z", "texture": true}]})";
    const lamira::CutJob job = lamira::ReadCutJob(text);
    QVERIFY(job.TextureAll);
    QCOMPARE(int(job.Materials.size()), 2);
    const lamira::CutJob::Material &a = job.Materials[0];
    QCOMPARE(a.Name, std::string("A"));
    QCOMPARE(a.Saw, 5);
    QVERIFY(!a.Allow1000 && a.Allow1250 && !a.Allow1500 && a.Allow2000);
    QCOMPARE(job.Materials[1].Saw, 0);
    const lamira::CutJob::Row &r = job.Rows.at(0);
    QCOMPARE(r.From, lamira::CutJob::Source::Bank);
    QCOMPARE(r.Name, std::string("Полка"));
    QCOMPARE(r.Width, 0);
    QCOMPARE(r.Height, 100000);
    QCOMPARE(r.Quantity, -3);
    QCOMPARE(r.ProductQuantity, 2);
    QCOMPARE(r.Material, std::string("Z"));
    QVERIFY(r.Texture);
}

void TestJobJson::cutterWritesTheResult()
{
    const QString folder = QStringLiteral(LAMIRA_GOLDEN_DIR) + "/cut-116";
    const QJsonDocument expected = readJson(folder + "/expected.json");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    const Outcome toFile = runCutter({folder + "/job.json", "-o", dir.filePath("result.json")});
    QCOMPARE(toFile.status, 0);
    QVERIFY(toFile.out.isEmpty());
    QVERIFY(toFile.err.isEmpty()); // no progress bar when stderr is not a terminal
    QString d = difference(readJson(dir.filePath("result.json")).object(), expected.object());
    QVERIFY2(d.isEmpty(), qPrintable(d));

    const Outcome toStdout = runCutter({folder + "/job.json"});
    QCOMPARE(toStdout.status, 0);
    QVERIFY(toStdout.err.isEmpty());
    d = difference(QJsonDocument::fromJson(toStdout.out).object(), expected.object());
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestJobJson::cutterRejectsBadJobs_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("error"); // the whole line, or its start when it ends in "..."

    const QByteArray row = ValidRow;
    const QByteArray material = ValidMaterial;
    auto rowWith = [&row](const char *from, const char *to) {
        QByteArray r = row;
        return r.replace(from, to);
    };
    QTest::newRow("not JSON") << QByteArray(R"({"texture_all": false,)")
                              << QByteArray("job.json: invalid JSON at offset ...");
    QTest::newRow("not an object")
        << QByteArray("[1, 2]") << QByteArray("job.json: the job must be a JSON object");
    QTest::newRow("missing texture_all") << QByteArray(R"({"materials": [], "rows": []})")
                                         << QByteArray("job.json: texture_all: is missing");
    QTest::newRow("texture_all as text")
        << QByteArray(R"({"texture_all": "нет", "materials": [], "rows": []})")
        << QByteArray("job.json: texture_all: must be true or false");
    QTest::newRow("materials not a list")
        << QByteArray(R"({"texture_all": false, "materials": {}, "rows": []})")
        << QByteArray("job.json: materials: must be an array");
    QTest::newRow("missing rows") << QByteArray(R"({"texture_all": false, "materials": []})")
                                  << QByteArray("job.json: rows: is missing");
    QTest::newRow("material not an object")
        << job("7", "") << QByteArray("job.json: materials[0]: must be an object");
    QTest::newRow("negative saw")
        << job(QByteArray(material).replace("\"saw\": 4", "\"saw\": -1"), "")
        << QByteArray("job.json: materials[0].saw: must be a non-negative integer up to 1000");
    QTest::newRow("unknown sheet height")
        << job(material + ", " + QByteArray(material).replace("1250", "1300"), "")
        << QByteArray("job.json: materials[1].sizes[1]: must be one of 1000, 1250, 1500, 2000");
    QTest::newRow("missing width") << job(material, row + ", " + rowWith("\"width\": 720, ", ""))
                                   << QByteArray("job.json: rows[1].width: is missing");
    QTest::newRow("negative width")
        << job(material, rowWith("720", "-720"))
        << QByteArray("job.json: rows[0].width: must be a non-negative integer up to 100000");
    QTest::newRow("fractional height")
        << job(material, rowWith("560", "560.5"))
        << QByteArray("job.json: rows[0].height: must be a non-negative integer up to 100000");
    QTest::newRow("length beyond the limit")
        << job(material, rowWith("720", "100001"))
        << QByteArray("job.json: rows[0].width: must be a non-negative integer up to 100000");
    QTest::newRow("unknown source")
        << job(material, rowWith("\"order\"", "\"shop\""))
        << QByteArray(R"(job.json: rows[0].source: must be "order" or "bank")");
    QTest::newRow("quantity as text")
        << job(material, rowWith("\"quantity\": 2", "\"quantity\": \"2\""))
        << QByteArray("job.json: rows[0].quantity: must be an integer");
    QTest::newRow("name not a string") << job(material, rowWith("\"Бок\"", "null"))
                                       << QByteArray("job.json: rows[0].name: must be a string");
    QTest::newRow("texture missing") << job(material, rowWith(", \"texture\": false", ""))
                                     << QByteArray("job.json: rows[0].texture: is missing");
    QTest::newRow("too many copies")
        << job(material, rowWith("\"quantity\": 2", "\"quantity\": 50001")
                             .replace("\"product_quantity\": 1", "\"product_quantity\": 2"))
        << QByteArray("job.json: rows[0]: the job makes more than 100000 detail copies "
                      "(quantity x product_quantity)");
}

void TestJobJson::cutterRejectsBadJobs()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, error);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("job.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    const Outcome outcome = runCutter({"job.json"}, dir.path());
    QCOMPARE(outcome.status, 2);
    QVERIFY(outcome.out.isEmpty());
    QVERIFY(outcome.err.endsWith('\n'));
    QCOMPARE(outcome.err.count('\n'), 1);
    const QByteArray line = outcome.err.chopped(1);
    if (error.endsWith("..."))
        QVERIFY2(line.startsWith("lamira-cut: " + error.chopped(3)), line.constData());
    else
        QCOMPARE(line, "lamira-cut: " + error);
}

void TestJobJson::cutterUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("firstLine"); // of stderr, or of stdout for status 0

    const QByteArray usage = "usage: lamira-cut JOB.json [-o RESULT.json]";
    QTest::newRow("no job") << QStringList() << 2 << usage;
    QTest::newRow("two jobs") << QStringList{"a.json", "b.json"} << 2 << usage;
    QTest::newRow("-o without a file") << QStringList{"a.json", "-o"} << 2 << usage;
    QTest::newRow("unknown option")
        << QStringList{"-x", "a.json"} << 2 << QByteArray("lamira-cut: unknown option -x");
    QTest::newRow("missing job file")
        << QStringList{"absent.json"} << 2 << QByteArray("lamira-cut: absent.json: cannot read: ");
    QTest::newRow("help") << QStringList{"--help"} << 0 << usage;
}

void TestJobJson::cutterUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, firstLine);
    QTemporaryDir dir;
    const Outcome outcome = runCutter(arguments, dir.path());
    QCOMPARE(outcome.status, status);
    const QByteArray text = status == 0 ? outcome.out : outcome.err;
    QVERIFY2(text.startsWith(firstLine), text.constData());
}

void TestJobJson::emptyJobHasNothingToCut()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("job.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(job("", ""));
    file.close();
    const Outcome outcome = runCutter({"job.json"}, dir.path());
    QCOMPARE(outcome.status, 0);
    const QJsonObject result = QJsonDocument::fromJson(outcome.out).object();
    QCOMPARE(result.value("messages").toArray(), QJsonArray{QStringLiteral("Нечего кроить")});
    QVERIFY(result.value("materials").toArray().isEmpty());
    QVERIFY(result.value("uncut").toArray().isEmpty());
}

QTEST_GUILESS_MAIN(TestJobJson)
#include "tst_jobjson.moc"
