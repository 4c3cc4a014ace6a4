#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>
#include <vector>

namespace data {

// The whole result of one statement, fetched at once. Values that come
// straight from the collection are not copied: the result points into the
// snapshots it keeps alive, so it stays valid whatever happens to the file or
// the engine afterwards. Computed values are copied into blocks of its own.
class ResultSet final
{
public:
    struct Cell
    {
        const char *data = nullptr; // NUL-terminated UTF-8; null when the value is NULL
        size_t length = 0;
    };

    const QStringList &columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return m_columns.isEmpty() ? 0 : int(m_cells.size() / size_t(m_columns.size())); }
    int columnIndex(const QString &name) const; // without case, as Jet compares names; -1 when absent

    bool isNull(int row, int column) const { return cell(row, column).data == nullptr; }
    std::string_view value(int row, int column) const
    {
        const Cell &c = cell(row, column);
        return {c.data ? c.data : "", c.length};
    }
    QString text(int row, int column) const
    {
        const std::string_view v = value(row, column);
        return QString::fromUtf8(v.data(), qsizetype(v.size()));
    }

    // Building, used by the engine only.
    void setColumns(QStringList columns) { m_columns = std::move(columns); }
    void keepAlive(std::shared_ptr<const void> owner) { m_owners.push_back(std::move(owner)); }
    void appendBorrowed(const char *data, size_t length) { m_cells.push_back({data, length}); }
    void appendNull() { m_cells.push_back({}); }
    void appendCopy(const char *data, size_t length);

private:
    const Cell &cell(int row, int column) const { return m_cells[size_t(row) * size_t(m_columns.size()) + size_t(column)]; }

    QStringList m_columns;
    std::vector<Cell> m_cells;
    std::vector<std::shared_ptr<const void>> m_owners;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_blockSize = 0;
    size_t m_blockFree = 0;
};

} // namespace data
