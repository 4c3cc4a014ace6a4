#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace pack {

// One row of MSysQueries, the table in which Jet keeps a stored query: not
// its SQL text but the statement taken apart, one row per clause item.
struct QueryRow
{
    quint8 attribute = 0;
    std::optional<qint64> flag;
    QString name1;
    QString name2;
    QString expression;
};

// Takes apart a select query over one table:
//   SELECT [DISTINCT] * | expr [AS name], ... FROM table [WHERE cond] [ORDER BY expr [ASC|DESC], ...] [;]
// Returns the rows in the order Access lists them, or no rows and an error
// for anything else (joins, unions, actions).
QList<QueryRow> decomposeSelect(const QString &sql, QString *error);

} // namespace pack
