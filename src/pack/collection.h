#pragma once

#include <QList>
#include <QString>

#include <optional>

// What varostel-pack writes: named tables of text and memo columns, and
// stored select queries. The JSON reader fills it; the Jet writer checks it
// again before writing, so callers that build one in code are held to the
// same rules as a source file.
namespace pack {

enum class ColumnType { Text, Memo };

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 255; // characters; text columns only
};

using Value = std::optional<QString>;
using Row = QList<Value>;

struct Table
{
    QString name;
    QList<Column> columns;
    QList<Row> rows;
};

struct Query
{
    QString name;
    QString sql;
};

struct Collection
{
    QList<Table> tables;
    QList<Query> queries;
};

// Longest text column Jet allows, in characters.
inline constexpr int MaxTextSize = 255;
// Longest object or column name Access accepts, in characters.
inline constexpr int MaxNameLength = 64;

// Checks names, sizes and values against what a Jet 4 file can hold.
// Returns an empty string when the collection can be written, else one line
// naming the place, e.g. "tables[0].rows[3][1]: ...".
QString validate(const Collection &collection);

// The same check for one value; `place` prefixes the message.
QString validateValue(const Column &column, const Value &value, const QString &place);

} // namespace pack
