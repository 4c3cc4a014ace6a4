#include "resultset.h"

#include <cstring>

namespace data {

int ResultSet::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns.at(c).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

void ResultSet::appendCopy(const char *data, size_t length)
{
    constexpr size_t BlockSize = 64 * 1024;
    const size_t need = length + 1;
    if (need > m_blockFree) {
        m_blockSize = std::max(BlockSize, need);
        m_blocks.push_back(std::make_unique<char[]>(m_blockSize));
        m_blockFree = m_blockSize;
    }
    char *at = m_blocks.back().get() + (m_blockSize - m_blockFree);
    std::memcpy(at, data, length);
    at[length] = '\0';
    m_blockFree -= need;
    m_cells.push_back({at, length});
}

} // namespace data
