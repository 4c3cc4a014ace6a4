#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace data {

// One table of the collection as read from the file, held column by column.
// Values lie in large blocks, each ended by a NUL, so the engine can hand
// them out without copying and a growing table never moves what it holds.
// Text columns also keep a folded copy (see fold()), made once here, which
// the title filter and the searches scan instead of folding on every
// keystroke. A snapshot never changes once built; a newer file gives a new one.
class TableSnapshot final
{
public:
    enum class Kind { Text, Blob };

    struct Ref
    {
        const char *data;
        uint32_t length;
        bool null;
    };

    // Blocks of memory values are placed in, one after another.
    class Arena final
    {
    public:
        char *allocate(size_t bytes);
        const std::vector<std::pair<const char *, const char *>> &blocks() const { return m_ranges; }
        size_t bytes() const { return m_bytes; }

    private:
        std::vector<std::unique_ptr<char[]>> m_blocks;
        std::vector<std::pair<const char *, const char *>> m_ranges;
        size_t m_free = 0;
        char *m_next = nullptr;
        size_t m_bytes = 0;
    };

    struct Column
    {
        QString name;
        Kind kind = Kind::Text;
        std::vector<Ref> values;
        std::vector<Ref> folded; // text columns only
    };

    explicit TableSnapshot(QString name);

    const QString &name() const { return m_name; }
    int rowCount() const { return m_rows; }
    int columnCount() const { return int(m_columns.size()); }
    const Column &column(int c) const { return m_columns[c]; }
    int columnIndex(const QString &name) const; // Jet names compare without case; -1 when absent

    bool isNull(int row, int c) const { return m_columns[c].values[row].null; }
    std::string_view value(int row, int c) const
    {
        const Ref &r = m_columns[c].values[row];
        return {r.data, r.length};
    }
    std::string_view foldedValue(int row, int c) const
    {
        const Ref &r = m_columns[c].folded[row];
        return {r.data, r.length};
    }
    // Where the values lie, for telling a value of ours from a copy.
    const Arena &arena() const { return m_values; }
    size_t bytes() const; // memory held, for the memory benchmark

    // Building, used by the importer only.
    void addColumn(const QString &name, Kind kind);
    void appendValue(int c, const char *data, size_t length, bool null);
    void endRow() { ++m_rows; }

private:
    QString m_name;
    std::vector<Column> m_columns;
    Arena m_values;
    Arena m_folded;
    std::string m_scratch;
    int m_rows = 0;
};

} // namespace data
