#include "cli/jobjson.h"

#include "cutting/cutrun.h"
#include "cutting/rounding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <string>

namespace lamira {

namespace {

std::string join(const std::string &path, const char *key)
{
    return path.empty() ? std::string(key) : path + "." + key;
}

std::string indexed(const char *key, qsizetype i)
{
    return std::string(key) + "[" + std::to_string(i) + "]";
}

QJsonValue require(const QJsonObject &object, const char *key, const std::string &path)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        throw JobFormatError(join(path, key), "is missing");
    return value;
}

bool readBool(const QJsonObject &object, const char *key, const std::string &path)
{
    const QJsonValue value = require(object, key, path);
    if (!value.isBool())
        throw JobFormatError(join(path, key), "must be true or false");
    return value.toBool();
}

std::string readText(const QJsonObject &object, const char *key, const std::string &path)
{
    const QJsonValue value = require(object, key, path);
    if (!value.isString())
        throw JobFormatError(join(path, key), "must be a string");
    return value.toString().toStdString();
}

bool isWhole(const QJsonValue &value, double low, double high)
{
    if (!value.isDouble())
        return false;
    const double x = value.toDouble();
    return std::isfinite(x) && x == std::floor(x) && x >= low && x <= high;
}

int readLength(const QJsonValue &value, const std::string &field, int high)
{
    if (!isWhole(value, 0, high))
        throw JobFormatError(field, "must be a non-negative integer up to " + std::to_string(high));
    return int(value.toDouble());
}

int readInteger(const QJsonObject &object, const char *key, const std::string &path)
{
    const QJsonValue value = require(object, key, path);
    if (!isWhole(value, -2147483648.0, 2147483647.0))
        throw JobFormatError(join(path, key), "must be an integer");
    return int(value.toDouble());
}

QJsonArray readArray(const QJsonObject &object, const char *key, const std::string &path)
{
    const QJsonValue value = require(object, key, path);
    if (!value.isArray())
        throw JobFormatError(join(path, key), "must be an array");
    return value.toArray();
}

QJsonObject element(const QJsonArray &array, qsizetype i, const std::string &field)
{
    if (!array.at(i).isObject())
        throw JobFormatError(field, "must be an object");
    return array.at(i).toObject();
}

CutJob::Material readMaterial(const QJsonObject &object, const std::string &path)
{
    CutJob::Material m;
    m.Name = readText(object, "name", path);
    m.Saw = readLength(require(object, "saw", path), join(path, "saw"), MaxJobSaw);
    const QJsonArray sizes = readArray(object, "sizes", path);
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QJsonValue size = sizes.at(i);
        const int height = isWhole(size, 0, 1e9) ? int(size.toDouble()) : -1;
        switch (height) {
        case 1000:
            m.Allow1000 = true;
            break;
        case 1250:
            m.Allow1250 = true;
            break;
        case 1500:
            m.Allow1500 = true;
            break;
        case 2000:
            m.Allow2000 = true;
            break;
        default:
            throw JobFormatError(path + "." + indexed("sizes", i),
                                 "must be one of 1000, 1250, 1500, 2000");
        }
    }
    return m;
}

CutJob::Row readRow(const QJsonObject &object, const std::string &path)
{
    CutJob::Row r;
    const QJsonValue source = require(object, "source", path);
    if (source == QJsonValue(QStringLiteral("order")))
        r.From = CutJob::Source::Order;
    else if (source == QJsonValue(QStringLiteral("bank")))
        r.From = CutJob::Source::Bank;
    else
        throw JobFormatError(join(path, "source"), "must be \"order\" or \"bank\"");
    r.Name = readText(object, "name", path);
    r.Width = readLength(require(object, "width", path), join(path, "width"), MaxJobLength);
    r.Height = readLength(require(object, "height", path), join(path, "height"), MaxJobLength);
    r.Quantity = readInteger(object, "quantity", path);
    r.ProductQuantity = readInteger(object, "product_quantity", path);
    r.Material = readText(object, "material", path);
    r.Texture = readBool(object, "texture", path);
    return r;
}

QJsonObject nodeJson(const CTree &node)
{
    QJsonObject o;
    o.insert(QStringLiteral("left"), node.Left);
    o.insert(QStringLiteral("top"), node.Top);
    o.insert(QStringLiteral("width"), node.Width);
    o.insert(QStringLiteral("height"), node.Height);
    o.insert(QStringLiteral("free"), node.Free);
    if (node.Item) {
        // The record as it stands now, which may be turned against the node.
        QJsonObject d;
        d.insert(QStringLiteral("name"), QString::fromStdString(node.Item->Name));
        d.insert(QStringLiteral("width"), node.Item->Width);
        d.insert(QStringLiteral("height"), node.Item->Height);
        d.insert(QStringLiteral("row_no"), node.Item->RowNo);
        o.insert(QStringLiteral("detail"), d);
    }
    if (node.Piece)
        o.insert(QStringLiteral("piece"), nodeJson(*node.Piece));
    if (node.Right)
        o.insert(QStringLiteral("right"), nodeJson(*node.Right));
    if (node.Below)
        o.insert(QStringLiteral("below"), nodeJson(*node.Below));
    return o;
}

QJsonObject mapJson(const CTree &map)
{
    QJsonObject o;
    o.insert(QStringLiteral("width"), map.Width);
    o.insert(QStringLiteral("height"), map.Height);
    o.insert(QStringLiteral("count"), map.Count);
    o.insert(QStringLiteral("saw"), map.Saw);
    o.insert(QStringLiteral("use_percent"), map.UsePercent());
    o.insert(QStringLiteral("cut_length"), map.CutLength());
    o.insert(QStringLiteral("cut_count"), map.CutCount());
    o.insert(QStringLiteral("tree"), nodeJson(map));
    return o;
}

} // namespace

CutJob ReadCutJob(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw JobFormatError("", "invalid JSON at offset " + std::to_string(error.offset) + ": " +
                                     error.errorString().toStdString());
    if (!doc.isObject())
        throw JobFormatError("", "the job must be a JSON object");
    const QJsonObject root = doc.object();

    CutJob job;
    job.TextureAll = readBool(root, "texture_all", "");
    const QJsonArray materials = readArray(root, "materials", "");
    for (qsizetype i = 0; i < materials.size(); ++i) {
        const std::string path = indexed("materials", i);
        job.Materials.push_back(readMaterial(element(materials, i, path), path));
    }
    const QJsonArray rows = readArray(root, "rows", "");
    long long copies = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const std::string path = indexed("rows", i);
        CutJob::Row row = readRow(element(rows, i, path), path);
        if (row.Quantity > 0 && row.ProductQuantity > 0)
            copies += (long long)row.Quantity * row.ProductQuantity;
        if (copies > MaxJobCopies)
            throw JobFormatError(path, "the job makes more than " + std::to_string(MaxJobCopies) +
                                           " detail copies (quantity x product_quantity)");
        job.Rows.push_back(std::move(row));
    }
    return job;
}

QJsonObject CutResultJson(const CutRun &run)
{
    QJsonArray messages;
    for (const std::string &text : run.Messages)
        messages.append(QString::fromStdString(text));

    QJsonArray materials;
    for (const MaterialSlot &slot : run.MapStore.Slots()) {
        QJsonArray maps;
        for (const auto &map : slot.Maps)
            maps.append(mapJson(*map));
        QJsonObject m;
        m.insert(QStringLiteral("name"), QString::fromStdString(slot.Material));
        m.insert(QStringLiteral("fill_percent"), RoundTo(slot.FillPercent, -2));
        m.insert(QStringLiteral("maps"), maps);
        materials.append(m);
    }

    QJsonArray uncut;
    for (const Detail *d : run.UncutDetails) {
        QJsonObject u;
        u.insert(QStringLiteral("name"), QString::fromStdString(d->Name));
        u.insert(QStringLiteral("width"), d->Width);
        u.insert(QStringLiteral("height"), d->Height);
        u.insert(QStringLiteral("material"), QString::fromStdString(d->Material));
        u.insert(QStringLiteral("row_no"), d->RowNo);
        u.insert(QStringLiteral("texture"), d->Texture);
        uncut.append(u);
    }

    QJsonObject result;
    result.insert(QStringLiteral("messages"), messages);
    result.insert(QStringLiteral("materials"), materials);
    result.insert(QStringLiteral("uncut"), uncut);
    return result;
}

} // namespace lamira
