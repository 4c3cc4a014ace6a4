#pragma once

#include "resultset.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

namespace data {

class Connection;

// A dataset over the connection: a query with its SQL text as a list of
// lines, or a companion that opens a row source by name. Opening fetches the
// whole result and makes its first row current; the views follow the
// current row through the signals. Moving, counting and reading need an open
// dataset; on a closed one they fail with "<name>: Cannot perform this
// operation on a closed dataset".
class Dataset final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Dataset)

public:
    Dataset(Connection *connection, const QString &name, QObject *parent = nullptr);

    // A companion opens a row source by name instead of an SQL text.
    void setTableName(const QString &table) { m_tableName = table; }
    QString tableName() const { return m_tableName; }

    QStringList sql() const { return m_sql; }
    QString statement() const; // the lines, each followed by CR LF
    // Changing the SQL text of an open query closes it.
    void clearSql();
    void addSql(const QString &line);

    // Views bound to this dataset and the field each shows, in the order they
    // are told of a new result; one whose field is missing fails the opening
    // with "<view>: Field '<field>' not found" (the result stays open).
    void setBoundFields(const QList<QPair<QString, QString>> &viewFields) { m_boundFields = viewFields; }

    bool isOpen() const { return m_open; }
    bool open(QString *error);
    void close();

    bool recordCount(int *count, QString *error) const;
    bool first(QString *error);
    bool prior(QString *error);
    bool next(QString *error);
    bool last(QString *error);
    // A click on a grid row; false when the row does not exist.
    bool setCurrentRow(int row);

    int currentRow() const { return m_current; } // -1 when closed or empty
    const ResultSet &result() const { return m_result; }
    // The current row's field, as text; empty when there is no current row or no such field.
    QString field(const QString &name) const;

signals:
    void resultChanged(); // opened or closed
    void currentChanged(); // another row became current, or none

private:
    bool closedError(QString *error) const;
    bool moveTo(int row, QString *error);

    Connection *m_connection;
    QString m_tableName;
    QStringList m_sql;
    QList<QPair<QString, QString>> m_boundFields;
    bool m_open = false;
    ResultSet m_result;
    int m_current = -1;
};

} // namespace data
