#pragma once

#include "rowpage.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace pack::jet {

class PageSink;

// The usage maps of every table: which pages hold a table's rows, and which
// have room (always empty here; nothing is ever added to a written file).
// The maps are rows on pages reserved at the start of the file, so a table
// definition can point at its maps as soon as its pages are known.
class UsageMaps final
{
public:
    // Pages a file with `tables` tables (the catalog's own included) must reserve.
    static int pagesFor(int tables);

    explicit UsageMaps(const QList<quint32> &reservedPages);

    // Map rows for a table whose data pages are `pages` (ascending). Writes the
    // bitmap pages a long table needs. Returns false with `error` set when the
    // pages lie beyond what one map can cover.
    bool addTable(PageSink &sink, const QList<quint32> &pages, quint32 *ownedMap, quint32 *freeMap,
                  QString *error);

    bool write(PageSink &sink) const;

private:
    quint32 addRow(const QByteArray &row);

    QList<RowPage> m_pages;
};

} // namespace pack::jet
