#pragma once

#include <QByteArray>
#include <QList>

namespace pack::jet {

// One data page (type 0x01) being filled: a table's data page, a long-value
// page or the page of usage maps. Rows are packed from the page's end
// downwards, each starting where the one before it ends.
class RowPage final
{
public:
    RowPage(quint32 number, quint32 owner);

    quint32 number() const { return m_number; }
    int rowCount() const { return int(m_rows.size()); }
    bool fits(int rowLength) const;
    // Returns the new row's index on the page.
    int add(const QByteArray &row);
    QByteArray bytes() const;

private:
    quint32 m_number;
    quint32 m_owner;
    int m_used = 0;
    QList<QByteArray> m_rows;
};

} // namespace pack::jet
