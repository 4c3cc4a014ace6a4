#include "jetwriter.h"

#include "collection.h"
#include "jetformat.h"
#include "jettable.h"
#include "pagesink.h"
#include "selectquery.h"
#include "usagemaps.h"

#include <QSaveFile>

#include <array>

namespace pack {

using namespace jet;

namespace {

constexpr qint64 TablesContainer = 0x0F000001;
constexpr qint64 RootContainer = 0x0F000000;
constexpr qint64 SystemObject = 0x80000000;
constexpr qint64 FirstQueryId = 0x80000001; // objects that are not tables have the top bit set
constexpr int TableObject = 1;
constexpr int ContainerObject = 3;
constexpr int QueryObject = 5;
constexpr quint32 CatalogPage = 2; // every reader looks for the catalog's definition here
constexpr quint16 ArabicCodePage = 1256;
constexpr quint16 GeneralSortOrder = 0x0409;

struct CatalogEntry
{
    qint64 id;
    qint64 parent;
    QString name;
    int type;
    qint64 flags;
};

const QList<ColumnDef> &catalogColumns()
{
    static const QList<ColumnDef> columns = {
        {QStringLiteral("Id"), Long, 4},
        {QStringLiteral("ParentId"), Long, 4},
        {QStringLiteral("Name"), Text, 2 * MaxTextSize},
        {QStringLiteral("Type"), Integer, 2},
        {QStringLiteral("Flags"), Long, 4},
        {QStringLiteral("LvProp"), Ole, 0},
    };
    return columns;
}

const QList<ColumnDef> &queryColumns()
{
    static const QList<ColumnDef> columns = {
        {QStringLiteral("ObjectId"), Long, 4},
        {QStringLiteral("Attribute"), Byte, 1},
        {QStringLiteral("Order"), Binary, 255},
        {QStringLiteral("Name1"), Text, 2 * MaxTextSize},
        {QStringLiteral("Name2"), Text, 2 * MaxTextSize},
        {QStringLiteral("Expression"), Memo, 0},
        {QStringLiteral("Flag"), Integer, 2},
        {QStringLiteral("LvExtra"), Long, 4},
    };
    return columns;
}

// The header's settings are hidden under RC4 with a fixed key; a reader
// undoes it the same way, so a database key of 0 reads back as 0.
void obfuscate(QByteArray &page, int from, int length)
{
    static constexpr std::array<quint8, 4> key = {0xC7, 0xDA, 0x39, 0x6B};
    std::array<quint8, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        page[from + n] = char(quint8(page.at(from + n)) ^ s[(s[i] + s[j]) & 0xFF]);
    }
}

QByteArray headerPage()
{
    QByteArray page(PageSize, '\0');
    putU32(page, 0x00, 0x00000100);
    const QByteArray format("Standard Jet DB");
    std::copy(format.cbegin(), format.cend(), page.begin() + 0x04);
    putU8(page, 0x14, 0x01); // Jet 4
    // Inside the hidden block: the code page, a database key of 0 (no page is
    // encrypted), an empty password, the General sort order, creation date 0.
    putU16(page, 0x3C, ArabicCodePage);
    putU16(page, 0x6E, GeneralSortOrder);
    obfuscate(page, 0x18, 128);
    return page;
}

QList<Cell> catalogRow(const CatalogEntry &e)
{
    return {e.id, e.parent, e.name, qint64(e.type), e.flags, std::monostate()};
}

QList<Cell> queryRow(qint64 objectId, const QueryRow &r)
{
    const auto text = [](const QString &s) -> Cell {
        return s.isEmpty() ? Cell(std::monostate()) : Cell(s);
    };
    return {objectId,
            qint64(r.attribute),
            std::monostate(),
            text(r.name1),
            text(r.name2),
            text(r.expression),
            r.flag ? Cell(*r.flag) : Cell(std::monostate()),
            std::monostate()};
}

QList<ColumnDef> definitionOf(const Table &table)
{
    QList<ColumnDef> columns;
    for (const Column &c : table.columns) {
        if (c.type == ColumnType::Text)
            columns.append({c.name, Text, quint16(2 * c.size)});
        else
            columns.append({c.name, Memo, 0});
    }
    return columns;
}

WriteResult inCollection(const QString &where, const QString &what)
{
    return {WriteResult::Collection, where.isEmpty() ? what : where + QStringLiteral(": ") + what};
}

WriteResult inOutput(const QString &path, const QString &what)
{
    return {WriteResult::Output, path + QStringLiteral(": ") + what};
}

} // namespace

WriteResult writeJet4(const Collection &collection, const QString &path)
{
    if (const QString problem = validate(collection); !problem.isEmpty())
        return inCollection({}, problem);

    QList<QList<QueryRow>> queries;
    for (int i = 0; i < collection.queries.size(); ++i) {
        QString problem;
        queries.append(decomposeSelect(collection.queries.at(i).sql, &problem));
        if (!problem.isEmpty())
            return inCollection(QStringLiteral("queries[%1].sql").arg(i), problem);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return inOutput(path, file.errorString());
    const auto fail = [&](const WriteResult &result) {
        file.cancelWriting();
        return result;
    };

    PageSink sink(&file);
    sink.allocate(); // the header, written last
    QList<quint32> mapPages = {sink.allocate()};
    const quint32 catalogPage = sink.allocate();
    Q_ASSERT(catalogPage == CatalogPage);
    const int tableCount = int(collection.tables.size()) + 2; // and the catalog and the query table
    for (int i = 1; i < UsageMaps::pagesFor(tableCount); ++i)
        mapPages.append(sink.allocate());
    UsageMaps maps(mapPages);

    QList<CatalogEntry> catalog = {
        {TablesContainer, RootContainer, QStringLiteral("Tables"), ContainerObject, SystemObject},
        {CatalogPage, TablesContainer, QStringLiteral("MSysObjects"), TableObject, SystemObject},
    };

    TableWriter queryTable(sink, queryColumns(), true);
    for (int i = 0; i < queries.size(); ++i) {
        for (const QueryRow &row : queries.at(i)) {
            if (!queryTable.addRow(queryRow(FirstQueryId + i, row)))
                return fail(inCollection(QStringLiteral("queries[%1]").arg(i), queryTable.error()));
        }
    }
    if (!queryTable.finish(maps))
        return fail(inOutput(path, queryTable.error()));
    catalog.append({queryTable.definitionPage(), TablesContainer, QStringLiteral("MSysQueries"), TableObject, SystemObject});

    for (int t = 0; t < collection.tables.size(); ++t) {
        const Table &table = collection.tables.at(t);
        TableWriter writer(sink, definitionOf(table), false);
        QList<Cell> cells(table.columns.size());
        for (int r = 0; r < table.rows.size(); ++r) {
            const Row &row = table.rows.at(r);
            for (int c = 0; c < row.size(); ++c)
                cells[c] = row.at(c) ? Cell(*row.at(c)) : Cell(std::monostate());
            if (!writer.addRow(cells))
                return fail(inCollection(QStringLiteral("tables[%1].rows[%2]").arg(t).arg(r), writer.error()));
        }
        if (!writer.finish(maps))
            return fail(inCollection(QStringLiteral("tables[%1]").arg(t), writer.error()));
        catalog.append({writer.definitionPage(), TablesContainer, table.name, TableObject, 0});
    }
    for (int i = 0; i < collection.queries.size(); ++i)
        catalog.append({FirstQueryId + i, TablesContainer, collection.queries.at(i).name, QueryObject, 0});

    TableWriter catalogTable(sink, catalogPage, catalogColumns(), true);
    for (const CatalogEntry &entry : catalog) {
        if (!catalogTable.addRow(catalogRow(entry)))
            return fail(inCollection(QStringLiteral("catalog"), catalogTable.error()));
    }
    if (!catalogTable.finish(maps))
        return fail(inOutput(path, catalogTable.error()));

    if (!maps.write(sink) || !sink.write(0, headerPage()) || !sink.finish())
        return fail(inOutput(path, sink.error()));
    if (!file.commit())
        return inOutput(path, file.errorString());
    return {};
}

} // namespace pack
