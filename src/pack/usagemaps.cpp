#include "usagemaps.h"

#include "jetformat.h"
#include "pagesink.h"

namespace pack::jet {

namespace {

constexpr int MapRowLength = 69;      // the length Access gives every map row
constexpr int InlineBitmapBytes = MapRowLength - 5;
constexpr int InlinePages = InlineBitmapBytes * 8;
constexpr int ReferenceSlots = (MapRowLength - 1) / 4;
constexpr int BitmapPageBits = (PageSize - 4) * 8;

void setBit(QByteArray &bytes, int at, int bit)
{
    bytes[at + bit / 8] = char(quint8(bytes.at(at + bit / 8)) | (1u << (bit % 8)));
}

QByteArray inlineMap(quint32 start, const QList<quint32> &pages)
{
    QByteArray row(MapRowLength, '\0');
    putU8(row, 0, 0x00);
    putU32(row, 1, start);
    for (quint32 page : pages)
        setBit(row, 5, int(page - start));
    return row;
}

} // namespace

int UsageMaps::pagesFor(int tables)
{
    RowPage probe(0, 0);
    int perPage = 0;
    while (probe.fits(MapRowLength)) {
        probe.add(QByteArray(MapRowLength, '\0'));
        ++perPage;
    }
    return (2 * tables + perPage - 1) / perPage;
}

UsageMaps::UsageMaps(const QList<quint32> &reservedPages)
{
    for (quint32 page : reservedPages)
        m_pages.append(RowPage(page, 0));
}

quint32 UsageMaps::addRow(const QByteArray &row)
{
    for (RowPage &page : m_pages) {
        if (page.fits(int(row.size())))
            return rowPointer(page.number(), page.add(row));
    }
    Q_UNREACHABLE();
    return 0;
}

bool UsageMaps::addTable(PageSink &sink, const QList<quint32> &pages, quint32 *ownedMap,
                         quint32 *freeMap, QString *error)
{
    QByteArray owned;
    if (pages.isEmpty()) {
        owned = inlineMap(0, {});
    } else if (pages.last() - pages.first() < quint32(InlinePages)) {
        owned = inlineMap(pages.first(), pages);
    } else {
        // A reference map: each slot names a bitmap page covering a fixed run of page numbers.
        owned = QByteArray(MapRowLength, '\0');
        putU8(owned, 0, 0x01);
        QList<QByteArray> bitmaps(ReferenceSlots);
        for (quint32 page : pages) {
            const quint32 slot = page / BitmapPageBits;
            if (slot >= quint32(ReferenceSlots)) {
                *error = QStringLiteral("the file would pass the %1 pages one usage map can cover")
                             .arg(ReferenceSlots * BitmapPageBits);
                return false;
            }
            QByteArray &bitmap = bitmaps[slot];
            if (bitmap.isEmpty()) {
                bitmap = QByteArray(PageSize, '\0');
                putU8(bitmap, 0, 0x05);
                putU8(bitmap, 1, 0x01);
            }
            setBit(bitmap, 4, int(page - slot * BitmapPageBits));
        }
        for (int slot = 0; slot < ReferenceSlots; ++slot) {
            if (bitmaps.at(slot).isEmpty())
                continue;
            const quint32 number = sink.allocate();
            if (!sink.write(number, bitmaps.at(slot)))
                return *error = sink.error(), false;
            putU32(owned, 1 + 4 * slot, number);
        }
    }
    *ownedMap = addRow(owned);
    *freeMap = addRow(inlineMap(0, {}));
    return true;
}

bool UsageMaps::write(PageSink &sink) const
{
    for (const RowPage &page : m_pages) {
        if (!sink.write(page.number(), page.bytes()))
            return false;
    }
    return true;
}

} // namespace pack::jet
