#include "tablesnapshot.h"

#include "folding.h"

namespace data {

TableSnapshot::TableSnapshot(QString name)
    : m_name(std::move(name))
{
}

int TableSnapshot::columnIndex(const QString &name) const
{
    for (int c = 0; c < columnCount(); ++c) {
        if (m_columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

std::string_view TableSnapshot::value(int row, int c) const
{
    const Column &column = m_columns[c];
    return {column.values.data() + column.starts[row], column.starts[row + 1] - column.starts[row] - 1};
}

std::string_view TableSnapshot::foldedValue(int row, int c) const
{
    const Column &column = m_columns[c];
    return {column.folded.data() + column.foldedStarts[row], column.foldedStarts[row + 1] - column.foldedStarts[row] - 1};
}

size_t TableSnapshot::bytes() const
{
    size_t total = sizeof(*this);
    for (const Column &c : m_columns) {
        total += c.values.capacity() + c.folded.capacity() + (c.starts.capacity() + c.foldedStarts.capacity()) * sizeof(uint64_t)
                 + c.nulls.capacity() / 8;
    }
    return total;
}

void TableSnapshot::addColumn(const QString &name, Kind kind)
{
    Column column;
    column.name = name;
    column.kind = kind;
    column.starts.push_back(0);
    if (kind == Kind::Text)
        column.foldedStarts.push_back(0);
    m_columns.push_back(std::move(column));
}

void TableSnapshot::appendValue(int c, const char *data, size_t length, bool null)
{
    Column &column = m_columns[c];
    column.values.append(data, length);
    column.values.push_back('\0');
    column.starts.push_back(column.values.size());
    column.nulls.push_back(null);
    if (column.kind == Kind::Text) {
        foldAppend(std::string_view(data, length), column.folded);
        column.folded.push_back('\0');
        column.foldedStarts.push_back(column.folded.size());
    }
}

} // namespace data
