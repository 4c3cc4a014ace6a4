#pragma once

#include <QList>
#include <QObject>

namespace data {

class Connection;
class Dataset;
class ErrorReport;
struct Category;

// The data components of the main window, created in the order the window
// declares them: the connection, then for each row of the category table its
// companion dataset and its query (whose SQL text starts as the row's default
// statement, and whose bound views are the row's views).
class Datasets final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Datasets)

public:
    explicit Datasets(QObject *parent = nullptr);

    Connection *connection() const { return m_connection; }
    Dataset *query(const Category &category) const;
    Dataset *companion(const Category &category) const;

    // Opening at start-up: the connection, then each row's companion and
    // query. Every failure goes to `report` and the next component is still
    // tried, so a missing file gives fifteen reports.
    void openAll(ErrorReport &report);

private:
    Connection *m_connection;
    QList<Dataset *> m_companions;
    QList<Dataset *> m_queries;
};

} // namespace data
