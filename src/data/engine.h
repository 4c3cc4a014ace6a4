#pragma once

#include "jetfile.h"

#include <QHash>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

namespace data {

class ResultSet;

// Where the program's statements run: an in-memory SQLite database over one
// reading of the file. Each Jet table is a virtual table over its snapshot,
// so rows are never copied into SQLite, and each stored select query is a
// view. `like` is ours on both paths: a "column like pattern" condition is
// handed to the table, which scans the folded copy of that column; any
// other use goes through the like() function, which folds as it goes.
class Engine final
{
public:
    explicit Engine(JetContents contents);
    ~Engine();
    Q_DISABLE_COPY_MOVE(Engine)

    // Runs one statement that reads, fetching its whole result.
    bool run(const QString &statement, ResultSet *result, QString *error);

    // Memory held by the snapshots (the engine's own is small beside it).
    size_t bytes() const;

private:
    friend struct EngineAccess;

    bool borrowed(const void *p) const;

    sqlite3 *m_db = nullptr;
    std::vector<std::shared_ptr<const TableSnapshot>> m_tables;
    QHash<QString, int> m_tableIndex; // case-folded name -> m_tables
    QHash<QString, QString> m_queryProblems; // case-folded name -> why it is not a view
    std::vector<std::pair<const char *, const char *>> m_arenas; // sorted
};

} // namespace data
