#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// What the tests use to make Jet files and to read them back with tools that
// are not ours: libmdb in process, the mdbtools commands, and mdb-reader.
namespace testsupport {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

struct ReadTable
{
    QStringList columns;
    QList<QStringList> rows; // libmdb shows a null as an empty string
};

// Runs a command and waits for it; a command that cannot start gives exit code -1.
ToolRun run(const QString &program, const QStringList &arguments);

// The varostel-pack command of this build.
QString packCommand();

// Builds `json` into `mdb` with varostel-pack; returns its error line on failure.
QString packJson(const QString &json, const QString &mdb);

// Reads one table through libmdb with a bind size large enough for any memo.
bool readWithLibmdb(const QString &mdb, const QString &table, ReadTable *out, QString *error);

// The names and object types (1 table, 5 query) of every catalog entry, read through libmdb.
QList<QPair<QString, int>> catalogWithLibmdb(const QString &mdb);

// Every user table read by mdb-reader: {"name": {"columns": [...], "rows": [[...]]}}.
// Returns false when the tool is missing (the caller skips) and sets `error`.
bool readWithMdbReader(const QString &mdb, QJsonObject *tables, QString *error);

} // namespace testsupport
