#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// One table of the collection as read from the file, held column by column:
// each column's values lie one after another in one UTF-8 arena, each ended
// by a NUL, so the engine can hand them out without copying. Text columns
// also keep a folded copy (see fold()), made once here, which the title
// filter and the searches scan instead of folding on every keystroke.
// A snapshot never changes once built; a newer file gives a new snapshot.
class TableSnapshot final
{
public:
    enum class Kind { Text, Blob };

    struct Column
    {
        QString name;
        Kind kind = Kind::Text;
        std::string values;            // every value followed by a NUL
        std::vector<uint64_t> starts;  // per row, into values; one more at the end
        std::vector<bool> nulls;
        std::string folded;            // text columns only, laid out the same way
        std::vector<uint64_t> foldedStarts;
    };

    explicit TableSnapshot(QString name);

    const QString &name() const { return m_name; }
    int rowCount() const { return m_rows; }
    int columnCount() const { return int(m_columns.size()); }
    const Column &column(int c) const { return m_columns[c]; }
    int columnIndex(const QString &name) const; // Jet names compare without case; -1 when absent

    bool isNull(int row, int c) const { return m_columns[c].nulls[row]; }
    std::string_view value(int row, int c) const;
    std::string_view foldedValue(int row, int c) const;
    size_t bytes() const; // memory held, for the memory benchmark

    // Building, used by the importer only.
    void addColumn(const QString &name, Kind kind);
    void appendValue(int c, const char *data, size_t length, bool null);
    void endRow() { ++m_rows; }

private:
    QString m_name;
    std::vector<Column> m_columns;
    int m_rows = 0;
};

} // namespace data
