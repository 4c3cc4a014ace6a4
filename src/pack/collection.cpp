#include "collection.h"

#include "jetformat.h"

#include <QSet>

namespace pack {

namespace {

QString at(const QString &place, const QString &what)
{
    return place + QStringLiteral(": ") + what;
}

QString outsideBmp(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isSurrogate()) {
            const char32_t code = i + 1 < text.size() && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate()
                                      ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                      : char32_t(text.at(i).unicode());
            return QStringLiteral("character U+%1 at %2 lies outside the Basic Multilingual Plane; "
                                  "Jet text is UCS-2")
                .arg(QString::number(quint32(code), 16).toUpper().rightJustified(4, u'0'))
                .arg(i);
        }
    }
    return {};
}

// Names as Access allows them: up to 64 characters, no leading blank, no
// control characters and none of . ! ` [ ].
QString checkName(const QString &name, const QString &place)
{
    if (name.isEmpty())
        return at(place, QStringLiteral("a name cannot be empty"));
    if (name.size() > MaxNameLength)
        return at(place, QStringLiteral("\"%1\" is longer than %2 characters").arg(name).arg(MaxNameLength));
    if (name.front().isSpace())
        return at(place, QStringLiteral("\"%1\" begins with a blank").arg(name));
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral(".!`[]").contains(c))
            return at(place, QStringLiteral("\"%1\" holds the character U+%2, which a Jet name cannot hold")
                                 .arg(name)
                                 .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0')));
    }
    if (const QString problem = outsideBmp(name); !problem.isEmpty())
        return at(place, problem);
    return {};
}

} // namespace

QString validateValue(const Column &column, const Value &value, const QString &place)
{
    if (!value)
        return {};
    const QString &text = *value;
    if (text.startsWith(QChar(0xFEFF)))
        return at(place, QStringLiteral("a value cannot begin with U+FEFF: readers take those bytes as the mark of compressed text"));
    if (const QString problem = outsideBmp(text); !problem.isEmpty())
        return at(place, problem);
    if (column.type == ColumnType::Text && text.size() > column.size)
        return at(place, QStringLiteral("a value of %1 characters is longer than text column \"%2\" (%3)")
                             .arg(text.size())
                             .arg(column.name)
                             .arg(column.size));
    if (column.type == ColumnType::Memo && quint64(text.size()) * 2 > jet::MaxMemoBytes)
        return at(place, QStringLiteral("a value of %1 characters is longer than a memo can hold (%2)")
                             .arg(text.size())
                             .arg(jet::MaxMemoBytes / 2));
    return {};
}

QString validate(const Collection &collection)
{
    QSet<QString> objects; // Jet compares object names without case
    const auto unique = [&objects](const QString &name, const QString &place) -> QString {
        if (name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive))
            return at(place, QStringLiteral("\"%1\": names beginning with MSys belong to Jet's own tables").arg(name));
        if (objects.contains(name.toCaseFolded()))
            return at(place, QStringLiteral("duplicate name \"%1\"").arg(name));
        objects.insert(name.toCaseFolded());
        return {};
    };

    for (int t = 0; t < collection.tables.size(); ++t) {
        const Table &table = collection.tables.at(t);
        const QString tablePlace = QStringLiteral("tables[%1]").arg(t);
        if (QString p = checkName(table.name, tablePlace + QStringLiteral(".name")); !p.isEmpty())
            return p;
        if (QString p = unique(table.name, tablePlace + QStringLiteral(".name")); !p.isEmpty())
            return p;
        if (table.columns.isEmpty() || table.columns.size() > 255)
            return at(tablePlace + QStringLiteral(".columns"),
                      QStringLiteral("a table has 1 to 255 columns, not %1").arg(table.columns.size()));
        QSet<QString> columnNames;
        for (int c = 0; c < table.columns.size(); ++c) {
            const Column &column = table.columns.at(c);
            const QString place = QStringLiteral("%1.columns[%2]").arg(tablePlace).arg(c);
            if (QString p = checkName(column.name, place + QStringLiteral(".name")); !p.isEmpty())
                return p;
            if (columnNames.contains(column.name.toCaseFolded()))
                return at(place + QStringLiteral(".name"), QStringLiteral("duplicate name \"%1\"").arg(column.name));
            columnNames.insert(column.name.toCaseFolded());
            if (column.type == ColumnType::Text && (column.size < 1 || column.size > MaxTextSize))
                return at(place + QStringLiteral(".size"),
                          QStringLiteral("a text column holds 1 to %1 characters, not %2").arg(MaxTextSize).arg(column.size));
        }
        for (int r = 0; r < table.rows.size(); ++r) {
            const Row &row = table.rows.at(r);
            const QString rowPlace = QStringLiteral("%1.rows[%2]").arg(tablePlace).arg(r);
            if (row.size() != table.columns.size())
                return at(rowPlace, QStringLiteral("%1 values for %2 columns").arg(row.size()).arg(table.columns.size()));
            for (int c = 0; c < row.size(); ++c) {
                if (QString p = validateValue(table.columns.at(c), row.at(c), QStringLiteral("%1[%2]").arg(rowPlace).arg(c));
                    !p.isEmpty())
                    return p;
            }
        }
    }
    for (int q = 0; q < collection.queries.size(); ++q) {
        const Query &query = collection.queries.at(q);
        const QString place = QStringLiteral("queries[%1]").arg(q);
        if (QString p = checkName(query.name, place + QStringLiteral(".name")); !p.isEmpty())
            return p;
        if (QString p = unique(query.name, place + QStringLiteral(".name")); !p.isEmpty())
            return p;
        if (query.sql.trimmed().isEmpty())
            return at(place + QStringLiteral(".sql"), QStringLiteral("the query has no SQL"));
    }
    return {};
}

} // namespace pack
