#include "dataset.h"

#include "connection.h"
#include "statements.h"

namespace data {

Dataset::Dataset(Connection *connection, const QString &name, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
{
    setObjectName(name);
}

QString Dataset::statement() const
{
    if (!m_tableName.isEmpty())
        return QStringLiteral("SELECT * FROM ") + bracketedName(m_tableName);
    QString joined;
    for (const QString &line : m_sql)
        joined += line + QStringLiteral("\r\n");
    return joined;
}

void Dataset::clearSql()
{
    close();
    m_sql.clear();
}

void Dataset::addSql(const QString &line)
{
    close();
    m_sql.append(line);
}

bool Dataset::open(QString *error)
{
    if (m_open)
        return true;
    ResultSet fetched;
    if (!m_connection->execute(statement(), &fetched, error)) {
        // A row source opened by name that the engine could not run: say which.
        if (!m_tableName.isEmpty() && m_connection->isOpen() && !error->startsWith(QLatin1String("The table or query")))
            *error = QStringLiteral("The table or query '%1' cannot be opened: %2").arg(m_tableName, *error);
        return false;
    }
    m_result = std::move(fetched);
    m_open = true;
    m_current = m_result.rowCount() > 0 ? 0 : -1;
    emit resultChanged();
    emit currentChanged();
    for (const auto &[view, field] : m_boundFields) {
        if (m_result.columnIndex(field) < 0) {
            *error = QStringLiteral("%1: Field '%2' not found").arg(view, field);
            return false;
        }
    }
    return true;
}

void Dataset::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_result = ResultSet();
    m_current = -1;
    emit resultChanged();
    emit currentChanged();
}

bool Dataset::closedError(QString *error) const
{
    *error = QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName());
    return false;
}

bool Dataset::recordCount(int *count, QString *error) const
{
    if (!m_open)
        return closedError(error);
    *count = m_result.rowCount();
    return true;
}

bool Dataset::moveTo(int row, QString *error)
{
    if (!m_open)
        return closedError(error);
    if (m_result.rowCount() == 0)
        return true;
    row = std::clamp(row, 0, m_result.rowCount() - 1);
    if (row != m_current) {
        m_current = row;
        emit currentChanged();
    }
    return true;
}

bool Dataset::first(QString *error)
{
    return moveTo(0, error);
}

bool Dataset::prior(QString *error)
{
    return moveTo(m_current - 1, error);
}

bool Dataset::next(QString *error)
{
    return moveTo(m_current + 1, error);
}

bool Dataset::last(QString *error)
{
    return moveTo(m_result.rowCount() - 1, error);
}

bool Dataset::setCurrentRow(int row)
{
    if (!m_open || row < 0 || row >= m_result.rowCount())
        return false;
    QString ignored;
    return moveTo(row, &ignored);
}

QString Dataset::field(const QString &name) const
{
    const int column = m_result.columnIndex(name);
    if (m_current < 0 || column < 0)
        return {};
    return m_result.text(m_current, column);
}

} // namespace data
