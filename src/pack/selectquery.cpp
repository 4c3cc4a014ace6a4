#include "selectquery.h"

#include <QRegularExpression>

namespace pack {

namespace {

enum Attribute : quint8 {
    Start = 0,
    Type = 1,
    Flags = 3,
    Input = 5,
    Output = 6,
    Where = 8,
    OrderBy = 11,
    End = 255,
};

constexpr qint64 SelectType = 1;
constexpr qint64 SelectStar = 0x01;
constexpr qint64 Distinct = 0x02;

// Splits on commas outside brackets, parentheses and quotes.
QStringList splitList(const QString &text)
{
    QStringList items;
    int depth = 0;
    QChar quote;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'(' || c == u'[') {
            ++depth;
        } else if (c == u')' || c == u']') {
            --depth;
        } else if (c == u',' && depth == 0) {
            items.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    items.append(text.mid(start).trimmed());
    return items;
}

} // namespace

QList<QueryRow> decomposeSelect(const QString &sql, QString *error)
{
    static const QRegularExpression statement(
        QStringLiteral(R"(^\s*SELECT\s+(DISTINCT\s+)?(.+?)\s+FROM\s+(\[[^\]]+\]|\w+)(?:\s+WHERE\s+(.+?))?)"
                       R"((?:\s+ORDER\s+BY\s+(.+?))?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption
            | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression alias(QStringLiteral(R"(^(.+?)\s+AS\s+(\[[^\]]+\]|\w+)$)"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::DotMatchesEverythingOption
                                              | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression direction(QStringLiteral(R"(^(.+?)\s+(ASC|DESC)$)"),
                                              QRegularExpression::CaseInsensitiveOption
                                                  | QRegularExpression::DotMatchesEverythingOption);

    const QRegularExpressionMatch m = statement.match(sql);
    if (!m.hasMatch()) {
        *error = QStringLiteral("only a select over one table can be stored "
                                "(SELECT * | columns FROM table [WHERE ...] [ORDER BY ...])");
        return {};
    }
    const auto unbracket = [](QString name) {
        return name.startsWith(u'[') ? name.mid(1, name.size() - 2) : name;
    };

    QList<QueryRow> rows;
    rows.append({Start, 0, {}, {}, {}});
    rows.append({Type, SelectType, {}, {}, {}});
    const QString columns = m.captured(2).trimmed();
    const bool star = columns == QLatin1String("*");
    rows.append({Flags, (star ? SelectStar : 0) | (m.capturedLength(1) ? Distinct : 0), {}, {}, {}});
    rows.append({Input, {}, unbracket(m.captured(3)), {}, {}});
    if (!star) {
        for (const QString &item : splitList(columns)) {
            if (item.isEmpty()) {
                *error = QStringLiteral("an empty item in the column list");
                return {};
            }
            const QRegularExpressionMatch a = alias.match(item);
            if (a.hasMatch())
                rows.append({Output, 0, unbracket(a.captured(2)), {}, a.captured(1).trimmed()});
            else
                rows.append({Output, 0, {}, {}, item});
        }
    }
    if (m.capturedLength(4))
        rows.append({Where, {}, {}, {}, m.captured(4).trimmed()});
    if (m.capturedLength(5)) {
        for (const QString &item : splitList(m.captured(5))) {
            const QRegularExpressionMatch d = direction.match(item);
            const bool descending = d.hasMatch() && d.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
            rows.append({OrderBy, {}, descending ? QStringLiteral("D") : QString(), {},
                         d.hasMatch() ? d.captured(1).trimmed() : item});
        }
    }
    rows.append({End, {}, {}, {}, {}});
    return rows;
}

} // namespace pack
