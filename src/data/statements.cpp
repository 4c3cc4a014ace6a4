#include "statements.h"

namespace data {

QString likeStatement(const QString &prefix, const QString &typed)
{
    QString pattern = u'%' + typed + u'%';
    pattern.replace(u'\'', QStringLiteral("''"));
    return prefix + u'\'' + pattern + u'\'';
}

QString bracketedName(const QString &name)
{
    QString escaped = name;
    escaped.replace(u']', QStringLiteral("]]"));
    return u'[' + escaped + u']';
}

QString titleFilterPrefix(const QString &table)
{
    return QStringLiteral("SELECT * FROM %1 where kholase like ").arg(table);
}

QString titleCancelStatement(const QString &table)
{
    return QStringLiteral("SELECT * FROM %1 ").arg(table);
}

} // namespace data
