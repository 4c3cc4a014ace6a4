#include "accessquery.h"

#include "statements.h"
#include "tablesnapshot.h"

#include <QStringList>

namespace data {

namespace {

enum Attribute {
    Type = 1,
    Parameter = 2,
    Flags = 3,
    Input = 5,
    Output = 6,
    Join = 7,
    Where = 8,
    GroupBy = 9,
    Having = 10,
    OrderBy = 11,
};

constexpr int SelectType = 1;
constexpr int SelectStar = 0x01;
constexpr int Distinct = 0x02 | 0x08; // DISTINCT, DISTINCTROW
constexpr int Top = 0x10 | 0x20;

struct Part
{
    int attribute;
    int flag;
    QString name1;
    QString name2;
    QString expression;
};

StoredQuery failed(const QString &name, const QString &why)
{
    return {name, {}, why};
}

} // namespace

StoredQuery rebuildQuery(const QString &name, quint32 objectId, const TableSnapshot *parts)
{
    if (!parts)
        return failed(name, QStringLiteral("the file holds no definition for it"));
    const int idColumn = parts->columnIndex(QStringLiteral("ObjectId"));
    const int attributeColumn = parts->columnIndex(QStringLiteral("Attribute"));
    const int flagColumn = parts->columnIndex(QStringLiteral("Flag"));
    const int name1Column = parts->columnIndex(QStringLiteral("Name1"));
    const int name2Column = parts->columnIndex(QStringLiteral("Name2"));
    const int expressionColumn = parts->columnIndex(QStringLiteral("Expression"));
    if (idColumn < 0 || attributeColumn < 0 || flagColumn < 0 || name1Column < 0 || name2Column < 0 || expressionColumn < 0)
        return failed(name, QStringLiteral("the file's table of query parts lacks a column"));

    const auto text = [&](int row, int column) { return QString::fromUtf8(parts->value(row, column)); };
    QList<Part> own;
    for (int r = 0; r < parts->rowCount(); ++r) {
        if ((quint32(text(r, idColumn).toLongLong()) & 0x00FFFFFF) != objectId)
            continue;
        own.append({text(r, attributeColumn).toInt(), text(r, flagColumn).toInt(), text(r, name1Column),
                    text(r, name2Column), text(r, expressionColumn)});
    }

    int flags = 0;
    QStringList columns;
    QStringList tables;      // inputs in the order given, each as it appears in FROM
    QStringList tableNames;  // the name each input is known by (its alias, else its name)
    QList<Part> joins;
    QString where;
    QString having;
    QStringList groupBy;
    QStringList orderBy;
    bool select = false;
    for (const Part &p : own) {
        switch (p.attribute) {
        case Type:
            if (p.flag != SelectType)
                return failed(name, QStringLiteral("it is not a select query"));
            select = true;
            break;
        case Parameter:
            return failed(name, QStringLiteral("it asks for parameters"));
        case Flags:
            flags = p.flag;
            break;
        case Input:
            if (!p.expression.isEmpty())
                return failed(name, QStringLiteral("it reads from a subquery"));
            tables.append(p.name2.isEmpty() ? bracketedName(p.name1) : bracketedName(p.name1) + QStringLiteral(" AS ") + bracketedName(p.name2));
            tableNames.append(p.name2.isEmpty() ? p.name1 : p.name2);
            break;
        case Output:
            columns.append(p.name1.isEmpty() ? p.expression : p.expression + QStringLiteral(" AS ") + bracketedName(p.name1));
            break;
        case Join:
            joins.append(p);
            break;
        case Where:
            where = p.expression;
            break;
        case GroupBy:
            groupBy.append(p.expression);
            break;
        case Having:
            having = p.expression;
            break;
        case OrderBy:
            orderBy.append(p.name1.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0 ? p.expression + QStringLiteral(" DESC")
                                                                                          : p.expression);
            break;
        default:
            break;
        }
    }
    if (!select)
        return failed(name, QStringLiteral("it is not a select query"));
    if (flags & Top)
        return failed(name, QStringLiteral("it selects only the top rows"));
    if (tables.isEmpty())
        return failed(name, QStringLiteral("it reads no table"));

    // Joined inputs chain after the first one's name; a second condition
    // between two inputs already joined is added to that join's condition.
    // The inputs no join names stand apart, comma-separated.
    QString from;
    if (!joins.isEmpty()) {
        struct Clause
        {
            QString kind;
            QString input;
            QStringList conditions;
        };
        QList<Clause> clauses;
        QStringList used = {joins.first().name1};
        QList<int> clauseOf = {-1}; // per used name, the clause that brought it in
        const auto input = [&](const QString &known) {
            const int i = tableNames.indexOf(known);
            return i < 0 ? bracketedName(known) : tables.at(i);
        };
        for (const Part &j : joins) {
            const QString kind = j.flag == 2 ? QStringLiteral(" LEFT JOIN ") : j.flag == 3 ? QStringLiteral(" RIGHT JOIN ")
                                                                                           : QStringLiteral(" INNER JOIN ");
            const bool haveLeft = used.contains(j.name1);
            const bool haveRight = used.contains(j.name2);
            if (haveLeft && haveRight) {
                const int clause = std::max(clauseOf.at(used.indexOf(j.name1)), clauseOf.at(used.indexOf(j.name2)));
                if (clause >= 0)
                    clauses[clause].conditions.append(j.expression);
                continue;
            }
            const QString next = haveLeft ? j.name2 : j.name1;
            clauses.append({kind, input(next), {j.expression}});
            used.append(next);
            clauseOf.append(int(clauses.size()) - 1);
        }
        from = input(joins.first().name1);
        for (const Clause &c : clauses) {
            from += c.kind + c.input + QStringLiteral(" ON ");
            from += c.conditions.size() == 1 ? c.conditions.first()
                                             : u'(' + c.conditions.join(QStringLiteral(") AND (")) + u')';
        }
        for (int i = 0; i < tables.size(); ++i) {
            if (!used.contains(tableNames.at(i)))
                from += QStringLiteral(", ") + tables.at(i);
        }
    } else {
        from = tables.join(QStringLiteral(", "));
    }

    QString sql = QStringLiteral("SELECT ");
    if (flags & Distinct)
        sql += QStringLiteral("DISTINCT ");
    if ((flags & SelectStar) || columns.isEmpty())
        columns.prepend(QStringLiteral("*"));
    sql += columns.join(QStringLiteral(", "));
    sql += QStringLiteral(" FROM ") + from;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!groupBy.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + groupBy.join(QStringLiteral(", "));
    if (!having.isEmpty())
        sql += QStringLiteral(" HAVING ") + having;
    if (!orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderBy.join(QStringLiteral(", "));
    return {name, sql, {}};
}

} // namespace data
