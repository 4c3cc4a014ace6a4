#include "tablesnapshot.h"

#include "folding.h"

#include <cstring>

namespace data {

namespace {

constexpr size_t BlockSize = 4 * 1024 * 1024;

} // namespace

char *TableSnapshot::Arena::allocate(size_t bytes)
{
    if (bytes > m_free) {
        // A value larger than a block gets a block of its own.
        const size_t size = std::max(BlockSize, bytes);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
        m_next = m_blocks.back().get();
        m_free = size;
        m_ranges.emplace_back(m_next, m_next + size);
        m_bytes += size;
    }
    char *at = m_next;
    m_next += bytes;
    m_free -= bytes;
    return at;
}

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

size_t TableSnapshot::bytes() const
{
    size_t total = sizeof(*this) + m_values.bytes() + m_folded.bytes();
    for (const Column &c : m_columns)
        total += (c.values.capacity() + c.folded.capacity()) * sizeof(Ref);
    return total;
}

void TableSnapshot::addColumn(const QString &name, Kind kind)
{
    m_columns.push_back({name, kind, {}, {}});
}

void TableSnapshot::appendValue(int c, const char *data, size_t length, bool null)
{
    Column &column = m_columns[c];
    char *at = m_values.allocate(length + 1);
    std::memcpy(at, data, length);
    at[length] = '\0';
    column.values.push_back({at, uint32_t(length), null});
    if (column.kind == Kind::Text) {
        m_scratch.clear();
        foldAppend(std::string_view(data, length), m_scratch);
        char *folded = m_folded.allocate(m_scratch.size() + 1);
        std::memcpy(folded, m_scratch.data(), m_scratch.size() + 1);
        column.folded.push_back({folded, uint32_t(m_scratch.size()), null});
    }
}

} // namespace data
