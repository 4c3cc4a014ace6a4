#pragma once

#include "rowpage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace pack::jet {

class PageSink;
class UsageMaps;

struct ColumnDef
{
    QString name;
    quint8 type = 0;  // a jet::TypeCode
    quint16 size = 0; // bytes: text 2 x characters, fixed types their width, long values 0
};

// One value of a row: null, a number for the fixed-width columns, text for the others.
using Cell = std::variant<std::monostate, qint64, QString>;

// Writes one table: its definition, its data pages and the long-value pages
// of its memos. Rows go onto data pages as they come; a memo too long to
// stay in its row goes to a long-value page that stays open beside the data
// page, or, past one page, to a chain of full pages. The definition is
// written last, when the row count and the usage maps are known, at the
// page reserved for it when the table began.
class TableWriter final
{
public:
    // Reserves the definition's pages now, so the catalog can name them.
    TableWriter(PageSink &sink, QList<ColumnDef> columns, bool system);
    // The same for a definition that must lie at a given page (the catalog's own).
    TableWriter(PageSink &sink, quint32 definitionPage, QList<ColumnDef> columns, bool system);

    quint32 definitionPage() const { return m_definitionPages.first(); }
    quint32 rowCount() const { return m_rowCount; }

    bool addRow(const QList<Cell> &cells);
    bool finish(UsageMaps &maps);

    QString error() const { return m_error; }

private:
    struct Layout
    {
        int fixedBytes = 0;
        int variableCount = 0;
        QList<int> fixedOffset;   // per column, fixed columns only
        QList<int> variableIndex; // per column, variable columns only
    };

    static bool isFixed(quint8 type);
    static int fixedWidth(quint8 type);
    QByteArray definition(quint32 owned, quint32 free) const;
    QByteArray storeLongValue(const QByteArray &data);
    quint32 placeLval(const QByteArray &row);
    bool placeRow(const QByteArray &row);
    bool flush(std::optional<RowPage> &page);

    PageSink &m_sink;
    QList<ColumnDef> m_columns;
    Layout m_layout;
    bool m_system;
    QList<quint32> m_definitionPages;
    QList<quint32> m_dataPages;
    std::optional<RowPage> m_data;
    std::optional<RowPage> m_lval;
    quint32 m_rowCount = 0;
    QString m_error;
};

} // namespace pack::jet
