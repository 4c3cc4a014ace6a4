#include "jetfiles.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include <mdbtools.h>

#include <memory>
#include <vector>

namespace testsupport {

ToolRun run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolRun result;
    if (!process.waitForStarted(10000) || !process.waitForFinished(300000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString packCommand()
{
    return QStringLiteral(VAROSTEL_PACK);
}

QString packJson(const QString &json, const QString &mdb)
{
    const QString source = mdb + QStringLiteral(".json");
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(json.toUtf8()) < 0)
        return QStringLiteral("cannot write ") + source;
    file.close();
    const ToolRun r = run(packCommand(), {source, QStringLiteral("-o"), mdb});
    return r.exitCode == 0 ? QString() : r.err.trimmed() + QStringLiteral(" (exit %1)").arg(r.exitCode);
}

namespace {

struct MdbCloser
{
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
using Mdb = std::unique_ptr<MdbHandle, MdbCloser>;

constexpr size_t BindSize = 1 << 20;

} // namespace

bool readWithLibmdb(const QString &mdb, const QString &table, ReadTable *out, QString *error)
{
    Mdb handle(mdb_open(QFile::encodeName(mdb).constData(), MDB_NOFLAGS));
    if (!handle)
        return *error = QStringLiteral("mdb_open failed"), false;
    mdb_set_bind_size(handle.get(), BindSize);
    if (!mdb_read_catalog(handle.get(), MDB_TABLE))
        return *error = QStringLiteral("mdb_read_catalog failed"), false;
    QByteArray name = table.toUtf8();
    MdbTableDef *def = mdb_read_table_by_name(handle.get(), name.data(), MDB_TABLE);
    if (!def)
        return *error = QStringLiteral("no table ") + table, false;
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef *)> guard(def, mdb_free_tabledef);
    mdb_read_columns(def);
    mdb_rewind_table(def);
    const int n = int(def->num_cols);
    std::vector<std::vector<char>> buffers(n, std::vector<char>(BindSize));
    std::vector<int> lengths(n);
    out->columns.clear();
    out->rows.clear();
    for (int c = 0; c < n; ++c) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, c));
        out->columns.append(QString::fromUtf8(column->name));
        mdb_bind_column(def, c + 1, buffers[c].data(), &lengths[c]);
    }
    while (mdb_fetch_row(def)) {
        QStringList row;
        for (int c = 0; c < n; ++c)
            row.append(QString::fromUtf8(buffers[c].data(), lengths[c]));
        out->rows.append(row);
    }
    return true;
}

QList<QPair<QString, int>> catalogWithLibmdb(const QString &mdb)
{
    QList<QPair<QString, int>> entries;
    Mdb handle(mdb_open(QFile::encodeName(mdb).constData(), MDB_NOFLAGS));
    if (!handle || !mdb_read_catalog(handle.get(), MDB_ANY))
        return entries;
    for (guint i = 0; i < handle->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(handle->catalog, i));
        entries.append({QString::fromUtf8(entry->object_name), entry->object_type});
    }
    return entries;
}

bool readWithMdbReader(const QString &mdb, QJsonObject *tables, QString *error)
{
    const QString tools = QStringLiteral(VAROSTEL_SOURCE_DIR "/tests/node");
    if (!QFile::exists(tools + QStringLiteral("/node_modules/mdb-reader/package.json")))
        return *error = QStringLiteral("mdb-reader is not installed (scripts/setup installs it with npm)"), false;
    const ToolRun r = run(QStringLiteral("node"), {tools + QStringLiteral("/dump.mjs"), mdb});
    if (r.exitCode != 0) {
        *error = QStringLiteral("mdb-reader failed: ") + r.err;
        *tables = {};
        return true; // the tool ran and refused the file: a failure, not a skip
    }
    *tables = QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("tables")).toObject();
    return true;
}

} // namespace testsupport
