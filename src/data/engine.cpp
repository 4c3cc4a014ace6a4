#include "engine.h"

#include "likematcher.h"
#include "resultset.h"
#include "statements.h"
#include "tablesnapshot.h"

#include <sqlite3.h>

#include <algorithm>

namespace data {

struct EngineAccess
{
    static std::shared_ptr<const TableSnapshot> share(const Engine *e, const QString &name)
    {
        const auto it = e->m_tableIndex.constFind(name.toCaseFolded());
        return it == e->m_tableIndex.cend() ? nullptr : e->m_tables[size_t(*it)];
    }
};

namespace {

// ---- the virtual table over a snapshot -------------------------------------

struct JetTable
{
    sqlite3_vtab base{};
    std::shared_ptr<const TableSnapshot> snapshot;
};

struct JetCursor
{
    sqlite3_vtab_cursor base{};
    std::vector<int> rows; // the rows to visit, when a like condition chose them
    bool all = true;
    int at = 0;
    int end = 0;

    int row() const { return all ? at : rows[size_t(at)]; }
};

QByteArray quotedIdentifier(const QString &name)
{
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return (u'"' + escaped + u'"').toUtf8();
}

int jetConnect(sqlite3 *db, void *aux, int argc, const char *const *argv, sqlite3_vtab **out, char **error)
{
    if (argc < 3) {
        *error = sqlite3_mprintf("jet: no table named");
        return SQLITE_ERROR;
    }
    auto snapshot = EngineAccess::share(static_cast<const Engine *>(aux), QString::fromUtf8(argv[2]));
    if (!snapshot) {
        *error = sqlite3_mprintf("jet: no table %s", argv[2]);
        return SQLITE_ERROR;
    }
    QByteArray schema = "CREATE TABLE x(";
    for (int c = 0; c < snapshot->columnCount(); ++c) {
        if (c > 0)
            schema += ", ";
        schema += quotedIdentifier(snapshot->column(c).name);
    }
    schema += ")";
    if (const int rc = sqlite3_declare_vtab(db, schema.constData()); rc != SQLITE_OK)
        return rc;
    auto *table = new JetTable;
    table->snapshot = std::move(snapshot);
    *out = &table->base;
    return SQLITE_OK;
}

int jetDisconnect(sqlite3_vtab *vtab)
{
    delete reinterpret_cast<JetTable *>(vtab);
    return SQLITE_OK;
}

int jetBestIndex(sqlite3_vtab *vtab, sqlite3_index_info *info)
{
    const auto *table = reinterpret_cast<JetTable *>(vtab);
    info->idxNum = 0;
    info->estimatedCost = double(table->snapshot->rowCount()) + 1;
    info->estimatedRows = table->snapshot->rowCount();
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto &c = info->aConstraint[i];
        if (!c.usable || c.op != SQLITE_INDEX_CONSTRAINT_LIKE || c.iColumn < 0
            || table->snapshot->column(c.iColumn).kind != TableSnapshot::Kind::Text)
            continue;
        // The table answers this like itself, from the column's folded copy.
        info->aConstraintUsage[i].argvIndex = 1;
        info->aConstraintUsage[i].omit = 1;
        info->idxNum = c.iColumn + 1;
        info->estimatedCost = double(table->snapshot->rowCount()) / 10 + 1;
        info->estimatedRows = std::max(1, table->snapshot->rowCount() / 10);
        break;
    }
    return SQLITE_OK;
}

int jetOpen(sqlite3_vtab *, sqlite3_vtab_cursor **out)
{
    *out = &(new JetCursor)->base;
    return SQLITE_OK;
}

int jetClose(sqlite3_vtab_cursor *cursor)
{
    delete reinterpret_cast<JetCursor *>(cursor);
    return SQLITE_OK;
}

int jetFilter(sqlite3_vtab_cursor *c, int idxNum, const char *, int argc, sqlite3_value **argv)
{
    auto *cursor = reinterpret_cast<JetCursor *>(c);
    const TableSnapshot &snapshot = *reinterpret_cast<JetTable *>(c->pVtab)->snapshot;
    cursor->at = 0;
    cursor->rows.clear();
    if (idxNum == 0 || argc < 1) {
        cursor->all = true;
        cursor->end = snapshot.rowCount();
        return SQLITE_OK;
    }
    cursor->all = false;
    const int column = idxNum - 1;
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) {
        const auto *pattern = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        const LikeMatcher matcher(std::string_view(pattern, size_t(sqlite3_value_bytes(argv[0]))));
        for (int r = 0; r < snapshot.rowCount(); ++r) {
            if (!snapshot.isNull(r, column) && matcher.matches(snapshot.foldedValue(r, column)))
                cursor->rows.push_back(r);
        }
    }
    cursor->end = int(cursor->rows.size());
    return SQLITE_OK;
}

int jetNext(sqlite3_vtab_cursor *c)
{
    ++reinterpret_cast<JetCursor *>(c)->at;
    return SQLITE_OK;
}

int jetEof(sqlite3_vtab_cursor *c)
{
    const auto *cursor = reinterpret_cast<JetCursor *>(c);
    return cursor->at >= cursor->end;
}

int jetColumn(sqlite3_vtab_cursor *c, sqlite3_context *context, int column)
{
    const auto *cursor = reinterpret_cast<JetCursor *>(c);
    const TableSnapshot &snapshot = *reinterpret_cast<JetTable *>(c->pVtab)->snapshot;
    const int row = cursor->row();
    if (snapshot.isNull(row, column)) {
        sqlite3_result_null(context);
        return SQLITE_OK;
    }
    const std::string_view v = snapshot.value(row, column);
    // Static: the snapshot outlives every statement, and results borrow it.
    if (snapshot.column(column).kind == TableSnapshot::Kind::Blob)
        sqlite3_result_blob(context, v.data(), int(v.size()), SQLITE_STATIC);
    else
        sqlite3_result_text(context, v.data(), int(v.size()), SQLITE_STATIC);
    return SQLITE_OK;
}

int jetRowid(sqlite3_vtab_cursor *c, sqlite3_int64 *rowid)
{
    *rowid = reinterpret_cast<JetCursor *>(c)->row();
    return SQLITE_OK;
}

const sqlite3_module &jetModule()
{
    static const sqlite3_module module = [] {
        sqlite3_module m{};
        m.iVersion = 1;
        m.xCreate = jetConnect;
        m.xConnect = jetConnect;
        m.xBestIndex = jetBestIndex;
        m.xDisconnect = jetDisconnect;
        m.xDestroy = jetDisconnect;
        m.xOpen = jetOpen;
        m.xClose = jetClose;
        m.xFilter = jetFilter;
        m.xNext = jetNext;
        m.xEof = jetEof;
        m.xColumn = jetColumn;
        m.xRowid = jetRowid;
        return m;
    }();
    return module;
}

bool exec(sqlite3 *db, const QString &sql, QString *error)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return false;
}

} // namespace

Engine::Engine(JetContents contents)
{
    sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    registerLikeFunction(m_db);
    sqlite3_create_module(m_db, "jet", &jetModule(), this);
    // Only what this program asks may run: no loading of code, no attaching of files.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_limit(m_db, SQLITE_LIMIT_ATTACHED, 0);

    for (auto &table : contents.tables) {
        const QString key = table->name().toCaseFolded();
        if (m_tableIndex.contains(key))
            continue;
        m_tableIndex.insert(key, int(m_tables.size()));
        const auto &blocks = table->arena().blocks();
        m_arenas.insert(m_arenas.end(), blocks.begin(), blocks.end());
        m_tables.push_back(std::move(table));
    }
    std::sort(m_arenas.begin(), m_arenas.end());
    for (const auto &table : m_tables) {
        QString problem;
        if (!exec(m_db, QStringLiteral("CREATE VIRTUAL TABLE %1 USING jet").arg(bracketedName(table->name())), &problem))
            qWarning("varostel: table %s cannot be used: %s", qPrintable(table->name()), qPrintable(problem));
    }
    for (const StoredQuery &query : contents.queries) {
        const QString key = query.name.toCaseFolded();
        if (m_tableIndex.contains(key))
            continue;
        QString problem = query.problem;
        if (problem.isEmpty())
            exec(m_db, QStringLiteral("CREATE VIEW %1 AS %2").arg(bracketedName(query.name), query.sql), &problem);
        if (!problem.isEmpty())
            m_queryProblems.insert(key, problem);
    }
}

Engine::~Engine()
{
    sqlite3_close_v2(m_db);
}

size_t Engine::bytes() const
{
    size_t total = 0;
    for (const auto &t : m_tables)
        total += t->bytes();
    return total;
}

bool Engine::borrowed(const void *p) const
{
    const auto *c = static_cast<const char *>(p);
    auto it = std::upper_bound(m_arenas.begin(), m_arenas.end(), std::make_pair(c, static_cast<const char *>(nullptr)),
                               [](const auto &a, const auto &b) { return a.first < b.first; });
    if (it == m_arenas.begin())
        return false;
    --it;
    return c >= it->first && c < it->second;
}

bool Engine::run(const QString &statement, ResultSet *result, QString *error)
{
    const QByteArray sql = statement.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &stmt, &tail) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(m_db));
        // A stored query that could not become a view reads as a missing
        // table; say why instead.
        const QString prefix = QStringLiteral("no such table: ");
        if (error->startsWith(prefix)) {
            const QString name = error->mid(prefix.size()).section(u'.', -1);
            if (const auto it = m_queryProblems.constFind(name.toCaseFolded()); it != m_queryProblems.cend())
                *error = QStringLiteral("The query '%1' cannot be used: %2").arg(name, *it);
        }
        return false;
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> guard(stmt, sqlite3_finalize);
    if (!stmt) {
        *error = QStringLiteral("The statement is empty.");
        return false;
    }
    if (QByteArray(tail).trimmed().size() > 0) {
        *error = QStringLiteral("Only one statement can run at a time.");
        return false;
    }
    if (!sqlite3_stmt_readonly(stmt)) {
        *error = QStringLiteral("The collection is read-only: only statements that read can run.");
        return false;
    }

    ResultSet out;
    const int columns = sqlite3_column_count(stmt);
    QStringList names;
    for (int c = 0; c < columns; ++c)
        names.append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
    out.setColumns(names);
    for (const auto &t : m_tables)
        out.keepAlive(t);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const int type = sqlite3_column_type(stmt, c);
            if (type == SQLITE_NULL) {
                out.appendNull();
                continue;
            }
            // As a blob, text comes back at the very bytes the table gave,
            // with no terminator added: a value of ours is then borrowed.
            const void *p = type == SQLITE_TEXT || type == SQLITE_BLOB ? sqlite3_column_blob(stmt, c) : nullptr;
            if (p && borrowed(p)) {
                out.appendBorrowed(static_cast<const char *>(p), size_t(sqlite3_column_bytes(stmt, c)));
            } else {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                out.appendCopy(text ? text : "", size_t(sqlite3_column_bytes(stmt, c)));
            }
        }
    }
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    *result = std::move(out);
    return true;
}

} // namespace data
