#include "collectionreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pack {

namespace {

class Reader final
{
public:
    QString error;

    bool fail(const QString &place, const QString &what)
    {
        error = place + QStringLiteral(": ") + what;
        return false;
    }

    bool onlyKeys(const QJsonObject &object, const QStringList &keys, const QString &place)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!keys.contains(it.key()))
                return fail(place, QStringLiteral("unknown key \"%1\" (expected %2)").arg(it.key(), keys.join(QStringLiteral(", "))));
        }
        return true;
    }

    bool string(const QJsonObject &object, const QString &key, const QString &place, QString *out)
    {
        const QJsonValue v = object.value(key);
        if (!v.isString())
            return fail(place + u'.' + key, v.isUndefined() ? QStringLiteral("missing") : QStringLiteral("expected a string"));
        *out = v.toString();
        return true;
    }

    bool array(const QJsonValue &v, const QString &place, QJsonArray *out)
    {
        if (!v.isArray())
            return fail(place, v.isUndefined() ? QStringLiteral("missing") : QStringLiteral("expected an array"));
        *out = v.toArray();
        return true;
    }

    bool object(const QJsonValue &v, const QString &place, QJsonObject *out)
    {
        if (!v.isObject())
            return fail(place, QStringLiteral("expected an object"));
        *out = v.toObject();
        return true;
    }

    bool column(const QJsonValue &v, const QString &place, Column *column)
    {
        QJsonObject o;
        QString type;
        if (!object(v, place, &o) || !onlyKeys(o, {QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("size")}, place)
            || !string(o, QStringLiteral("name"), place, &column->name) || !string(o, QStringLiteral("type"), place, &type))
            return false;
        if (type == QLatin1String("text"))
            column->type = ColumnType::Text;
        else if (type == QLatin1String("memo"))
            column->type = ColumnType::Memo;
        else
            return fail(place + QStringLiteral(".type"), QStringLiteral("unknown type \"%1\" (expected text or memo)").arg(type));

        const QJsonValue size = o.value(QStringLiteral("size"));
        if (size.isUndefined())
            return true;
        if (column->type != ColumnType::Text)
            return fail(place + QStringLiteral(".size"), QStringLiteral("only text columns have a size"));
        const double d = size.toDouble(-1);
        if (!size.isDouble() || d != std::floor(d) || d < 1 || d > MaxTextSize)
            return fail(place + QStringLiteral(".size"), QStringLiteral("expected a whole number from 1 to %1").arg(MaxTextSize));
        column->size = int(d);
        return true;
    }

    bool table(const QJsonValue &v, const QString &place, Table *table)
    {
        QJsonObject o;
        QJsonArray columns;
        QJsonArray rows;
        if (!object(v, place, &o) || !onlyKeys(o, {QStringLiteral("name"), QStringLiteral("columns"), QStringLiteral("rows")}, place)
            || !string(o, QStringLiteral("name"), place, &table->name)
            || !array(o.value(QStringLiteral("columns")), place + QStringLiteral(".columns"), &columns)
            || !array(o.value(QStringLiteral("rows")), place + QStringLiteral(".rows"), &rows))
            return false;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            Column column;
            if (!this->column(columns.at(c), QStringLiteral("%1.columns[%2]").arg(place).arg(c), &column))
                return false;
            table->columns.append(column);
        }
        table->rows.reserve(rows.size());
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const QString rowPlace = QStringLiteral("%1.rows[%2]").arg(place).arg(r);
            QJsonArray values;
            if (!array(rows.at(r), rowPlace, &values))
                return false;
            if (values.size() != table->columns.size())
                return fail(rowPlace, QStringLiteral("%1 values for %2 columns").arg(values.size()).arg(table->columns.size()));
            Row row;
            row.reserve(values.size());
            for (qsizetype c = 0; c < values.size(); ++c) {
                const QJsonValue value = values.at(c);
                if (value.isNull())
                    row.append(std::nullopt);
                else if (value.isString())
                    row.append(value.toString());
                else
                    return fail(QStringLiteral("%1[%2]").arg(rowPlace).arg(c), QStringLiteral("expected a string or null"));
            }
            table->rows.append(std::move(row));
        }
        return true;
    }

    bool query(const QJsonValue &v, const QString &place, Query *query)
    {
        QJsonObject o;
        return object(v, place, &o) && onlyKeys(o, {QStringLiteral("name"), QStringLiteral("sql")}, place)
               && string(o, QStringLiteral("name"), place, &query->name) && string(o, QStringLiteral("sql"), place, &query->sql);
    }
};

QString lineAndColumn(const QByteArray &text, int offset)
{
    int line = 1;
    int column = 1;
    for (int i = 0; i < offset && i < text.size(); ++i) {
        if (text.at(i) == '\n') {
            ++line;
            column = 1;
        } else if ((quint8(text.at(i)) & 0xC0) != 0x80) { // count characters, not UTF-8 bytes
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

} // namespace

bool readCollection(const QByteArray &json, Collection *collection, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = lineAndColumn(json, parseError.offset) + QStringLiteral(": malformed JSON: ") + parseError.errorString();
        return false;
    }
    Reader reader;
    const auto failed = [&] {
        *error = reader.error;
        return false;
    };
    if (!document.isObject())
        return reader.fail(QStringLiteral("top level"), QStringLiteral("expected an object")), failed();
    const QJsonObject top = document.object();
    QJsonArray tables;
    if (!reader.onlyKeys(top, {QStringLiteral("tables"), QStringLiteral("queries")}, QStringLiteral("top level"))
        || !reader.array(top.value(QStringLiteral("tables")), QStringLiteral("tables"), &tables))
        return failed();

    Collection result;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        Table table;
        if (!reader.table(tables.at(t), QStringLiteral("tables[%1]").arg(t), &table))
            return failed();
        result.tables.append(std::move(table));
    }
    if (top.contains(QStringLiteral("queries"))) {
        QJsonArray queries;
        if (!reader.array(top.value(QStringLiteral("queries")), QStringLiteral("queries"), &queries))
            return failed();
        for (qsizetype q = 0; q < queries.size(); ++q) {
            Query query;
            if (!reader.query(queries.at(q), QStringLiteral("queries[%1]").arg(q), &query))
                return failed();
            result.queries.append(query);
        }
    }
    if (const QString problem = validate(result); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    *collection = std::move(result);
    return true;
}

} // namespace pack
