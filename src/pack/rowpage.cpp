#include "rowpage.h"

#include "jetformat.h"

namespace pack::jet {

RowPage::RowPage(quint32 number, quint32 owner)
    : m_number(number)
    , m_owner(owner)
{
}

bool RowPage::fits(int rowLength) const
{
    const int free = PageSize - DataPageHeader - 2 * rowCount() - m_used;
    return rowCount() < MaxRowsPerPage && rowLength + 2 <= free;
}

int RowPage::add(const QByteArray &row)
{
    Q_ASSERT(fits(int(row.size())));
    m_rows.append(row);
    m_used += int(row.size());
    return rowCount() - 1;
}

QByteArray RowPage::bytes() const
{
    QByteArray page(PageSize, '\0');
    putU8(page, 0, 0x01);
    putU8(page, 1, 0x01);
    putU16(page, 2, quint16(PageSize - DataPageHeader - 2 * rowCount() - m_used));
    putU32(page, 4, m_owner);
    putU16(page, 12, quint16(rowCount()));
    int end = PageSize;
    for (int i = 0; i < rowCount(); ++i) {
        const QByteArray &row = m_rows.at(i);
        const int start = end - int(row.size());
        putU16(page, DataPageHeader + 2 * i, quint16(start));
        std::copy(row.cbegin(), row.cend(), page.begin() + start);
        end = start;
    }
    return page;
}

} // namespace pack::jet
