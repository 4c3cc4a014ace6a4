#include "jettable.h"

#include "jetformat.h"
#include "pagesink.h"
#include "usagemaps.h"

namespace pack::jet {

namespace {

constexpr int DefinitionHeader = 0x3F;
constexpr int ColumnEntry = 25;
constexpr int ContinuationHeader = 8;
constexpr quint32 Magic1625 = 1625; // a constant Access writes in every definition
constexpr quint16 GeneralSortOrder = 0x0409;

int definitionLength(const QList<ColumnDef> &columns)
{
    int length = DefinitionHeader + ColumnEntry * int(columns.size()) + 2;
    for (const ColumnDef &column : columns)
        length += 2 + 2 * int(column.name.size());
    return length;
}

int definitionPageCount(const QList<ColumnDef> &columns)
{
    const int rest = definitionLength(columns) - PageSize;
    return rest <= 0 ? 1 : 1 + (rest + PageSize - ContinuationHeader - 1) / (PageSize - ContinuationHeader);
}

QByteArray memoDescriptor(quint32 length, quint8 kind, quint32 pointer)
{
    QByteArray d(MemoDescriptor, '\0');
    putU32(d, 0, length);
    putU8(d, 3, kind);
    putU32(d, 4, pointer);
    return d;
}

} // namespace

TableWriter::TableWriter(PageSink &sink, QList<ColumnDef> columns, bool system)
    : TableWriter(sink, sink.allocate(), std::move(columns), system)
{
}

TableWriter::TableWriter(PageSink &sink, quint32 definitionPage, QList<ColumnDef> columns, bool system)
    : m_sink(sink)
    , m_columns(std::move(columns))
    , m_system(system)
{
    m_definitionPages.append(definitionPage);
    for (int i = 1; i < definitionPageCount(m_columns); ++i)
        m_definitionPages.append(sink.allocate());

    m_layout.fixedOffset.resize(m_columns.size(), 0);
    m_layout.variableIndex.resize(m_columns.size(), -1);
    for (int c = 0; c < m_columns.size(); ++c) {
        const quint8 type = m_columns.at(c).type;
        if (isFixed(type)) {
            m_layout.fixedOffset[c] = m_layout.fixedBytes;
            m_layout.fixedBytes += fixedWidth(type);
        } else {
            m_layout.variableIndex[c] = m_layout.variableCount++;
        }
    }
}

bool TableWriter::isFixed(quint8 type)
{
    return type == Byte || type == Integer || type == Long;
}

int TableWriter::fixedWidth(quint8 type)
{
    switch (type) {
    case Byte: return 1;
    case Integer: return 2;
    case Long: return 4;
    default: return 0;
    }
}

bool TableWriter::addRow(const QList<Cell> &cells)
{
    Q_ASSERT(cells.size() == m_columns.size());
    const int n = int(m_columns.size());
    const int v = m_layout.variableCount;

    QByteArray fixed(m_layout.fixedBytes, '\0');
    QList<QByteArray> variable(v);
    QList<int> longValues; // columns whose memo data is still waiting for a place
    QByteArray nullMask((n + 7) / 8, '\0');

    for (int c = 0; c < n; ++c) {
        const Cell &cell = cells.at(c);
        if (std::holds_alternative<std::monostate>(cell))
            continue;
        nullMask[c / 8] = char(quint8(nullMask.at(c / 8)) | (1u << (c % 8)));
        const quint8 type = m_columns.at(c).type;
        if (isFixed(type)) {
            const qint64 number = std::get<qint64>(cell);
            const int at = m_layout.fixedOffset.at(c);
            if (type == Byte)
                putU8(fixed, at, quint8(number));
            else if (type == Integer)
                putU16(fixed, at, quint16(number));
            else
                putU32(fixed, at, quint32(number));
            continue;
        }
        QByteArray bytes = ucs2(std::get<QString>(cell));
        if (type == Memo || type == Ole) {
            if (bytes.size() > MaxInlineMemo)
                longValues.append(c);
            else
                bytes.prepend(memoDescriptor(quint32(bytes.size()), 0x80, 0));
        }
        variable[m_layout.variableIndex.at(c)] = bytes;
    }

    const auto rowLength = [&] {
        int length = 2 + int(fixed.size()) + int(nullMask.size());
        if (v > 0)
            length += 2 + 2 * v + 2;
        for (int c : longValues)
            length += MemoDescriptor - int(variable.at(m_layout.variableIndex.at(c)).size());
        for (const QByteArray &bytes : variable)
            length += int(bytes.size());
        return length;
    };
    if (rowLength() > MaxDataRow) {
        // Short memos that crowd the row move out to long-value pages too.
        for (int c = 0; c < n; ++c) {
            const int vi = m_layout.variableIndex.at(c);
            const quint8 type = m_columns.at(c).type;
            if ((type == Memo || type == Ole) && !longValues.contains(c) && variable.at(vi).size() > MemoDescriptor) {
                variable[vi].remove(0, MemoDescriptor);
                longValues.append(c);
            }
        }
    }
    if (const int length = rowLength(); length > MaxDataRow) {
        m_error = QStringLiteral("the row needs %1 bytes, more than the %2 a Jet row can hold; keep long text in memo columns")
                      .arg(length)
                      .arg(MaxDataRow);
        return false;
    }
    std::sort(longValues.begin(), longValues.end());
    for (int c : longValues) {
        QByteArray &bytes = variable[m_layout.variableIndex.at(c)];
        bytes = storeLongValue(bytes);
        if (!m_error.isEmpty())
            return false;
    }

    QByteArray row;
    row.reserve(rowLength());
    appendU16(row, quint16(n));
    row.append(fixed);
    if (v > 0) {
        QList<quint16> offsets(v);
        for (int i = 0; i < v; ++i) {
            offsets[i] = quint16(row.size());
            row.append(variable.at(i));
        }
        appendU16(row, quint16(row.size())); // end of the variable data
        for (int i = v - 1; i >= 0; --i)
            appendU16(row, offsets.at(i));
        appendU16(row, quint16(v));
    }
    row.append(nullMask);
    if (!placeRow(row))
        return false;
    ++m_rowCount;
    return true;
}

QByteArray TableWriter::storeLongValue(const QByteArray &data)
{
    const quint32 length = quint32(data.size());
    if (length > MaxMemoBytes) {
        m_error = QStringLiteral("a memo of %1 bytes passes the %2 bytes Jet can hold").arg(length).arg(MaxMemoBytes);
        return {};
    }
    if (length <= quint32(MaxSingleLval))
        return memoDescriptor(length, 0x40, placeLval(data));

    // A chain: every chunk but the last fills a page of its own, so the last
    // one is placed first and each page can name the next.
    const int chunks = int((length + LvalChunk - 1) / LvalChunk);
    const int lastStart = (chunks - 1) * LvalChunk;
    QByteArray last;
    appendU32(last, 0);
    last.append(data.mid(lastStart));
    quint32 next = placeLval(last);
    for (int k = chunks - 2; k >= 0; --k) {
        RowPage page(m_sink.allocate(), LvalOwner);
        QByteArray row;
        appendU32(row, next);
        row.append(data.mid(k * LvalChunk, LvalChunk));
        page.add(row);
        if (!m_sink.write(page.number(), page.bytes())) {
            m_error = m_sink.error();
            return {};
        }
        next = rowPointer(page.number(), 0);
    }
    return memoDescriptor(length, 0x00, next);
}

quint32 TableWriter::placeLval(const QByteArray &row)
{
    if (!m_lval || !m_lval->fits(int(row.size()))) {
        if (!flush(m_lval))
            return 0; // the error is kept for the caller
        m_lval.emplace(m_sink.allocate(), LvalOwner);
    }
    return rowPointer(m_lval->number(), m_lval->add(row));
}

bool TableWriter::placeRow(const QByteArray &row)
{
    if (!m_data || !m_data->fits(int(row.size()))) {
        if (!flush(m_data))
            return false;
        m_data.emplace(m_sink.allocate(), definitionPage());
        m_dataPages.append(m_data->number());
    }
    m_data->add(row);
    return true;
}

bool TableWriter::flush(std::optional<RowPage> &page)
{
    if (page && !m_sink.write(page->number(), page->bytes()))
        return m_error = m_sink.error(), false;
    page.reset();
    return true;
}

bool TableWriter::finish(UsageMaps &maps)
{
    if (!m_error.isEmpty() || !flush(m_data) || !flush(m_lval))
        return false;
    quint32 owned = 0;
    quint32 free = 0;
    if (!maps.addTable(m_sink, m_dataPages, &owned, &free, &m_error))
        return false;

    const QByteArray stream = definition(owned, free);
    int at = 0;
    for (int i = 0; i < m_definitionPages.size(); ++i) {
        QByteArray page(PageSize, '\0');
        const int header = i == 0 ? 0 : ContinuationHeader;
        const int take = std::min<int>(PageSize - header, int(stream.size()) - at);
        std::copy(stream.cbegin() + at, stream.cbegin() + at + take, page.begin() + header);
        at += take;
        putU8(page, 0, 0x02);
        putU8(page, 1, 0x01);
        putU16(page, 2, quint16(PageSize - header - take));
        putU32(page, 4, i + 1 < m_definitionPages.size() ? m_definitionPages.at(i + 1) : 0);
        if (!m_sink.write(m_definitionPages.at(i), page))
            return m_error = m_sink.error(), false;
    }
    return true;
}

QByteArray TableWriter::definition(quint32 owned, quint32 free) const
{
    const int n = int(m_columns.size());
    QByteArray d(DefinitionHeader, '\0');
    putU8(d, 0x00, 0x02);
    putU8(d, 0x01, 0x01);
    putU32(d, 0x08, quint32(definitionLength(m_columns)));
    putU32(d, 0x0C, Magic1625);
    putU32(d, 0x10, m_rowCount);
    putU8(d, 0x18, 0x01);
    putU8(d, 0x28, m_system ? 0x53 : 0x4E);
    putU16(d, 0x29, quint16(n));
    putU16(d, 0x2B, quint16(m_layout.variableCount));
    putU16(d, 0x2D, quint16(n));
    putU32(d, 0x37, owned);
    putU32(d, 0x3B, free);

    for (int c = 0; c < n; ++c) {
        const ColumnDef &column = m_columns.at(c);
        const bool fixed = isFixed(column.type);
        const bool text = column.type == Text || column.type == Memo;
        QByteArray e(ColumnEntry, '\0');
        putU8(e, 0, column.type);
        putU32(e, 1, Magic1625);
        putU16(e, 5, quint16(c));
        putU16(e, 7, fixed ? 0 : quint16(m_layout.variableIndex.at(c)));
        putU16(e, 9, quint16(c));
        putU16(e, 11, text ? GeneralSortOrder : 0);
        putU8(e, 15, fixed ? 0x03 : 0x02);
        putU16(e, 21, fixed ? quint16(m_layout.fixedOffset.at(c)) : 0);
        putU16(e, 23, fixed ? quint16(fixedWidth(column.type)) : column.size);
        d.append(e);
    }
    for (const ColumnDef &column : m_columns) {
        appendU16(d, quint16(2 * column.name.size()));
        d.append(ucs2(column.name));
    }
    appendU16(d, 0xFFFF);
    Q_ASSERT(d.size() == definitionLength(m_columns));
    putU16(d, 0x02, quint16(std::max<qsizetype>(0, PageSize - d.size() - 8)));
    return d;
}

} // namespace pack::jet
