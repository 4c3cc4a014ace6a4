#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <cstdint>

// Constants and byte helpers of the Jet 4 page format that the writer's
// classes share. All integers in the file are little-endian.
namespace pack::jet {

inline constexpr int PageSize = 4096;
inline constexpr int DataPageHeader = 14;       // type, 1, free, owner, 0, row count
inline constexpr int MaxRowsPerPage = 255;      // a row pointer keeps its index in one byte
inline constexpr int MaxDataRow = 4060;         // what Access keeps a table row within
inline constexpr int MaxLvalRow = PageSize - DataPageHeader - 2;
inline constexpr int MaxSingleLval = 4076;      // longest memo held in one long-value row
inline constexpr int LvalChunk = 4072;          // data bytes per row of a long-value chain
inline constexpr int MaxInlineMemo = 64;        // longer memos go to long-value pages
inline constexpr int MemoDescriptor = 12;
inline constexpr quint32 MaxMemoBytes = 0xFFFFFF; // the descriptor keeps the length in 24 bits
inline constexpr quint32 LvalOwner = 0x4C41564C; // "LVAL"

enum TypeCode : quint8 {
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

inline constexpr quint32 rowPointer(quint32 page, int row) { return (page << 8) | quint32(row); }

inline void putU8(QByteArray &b, int at, quint8 v) { b[at] = char(v); }
inline void putU16(QByteArray &b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }
inline void putU32(QByteArray &b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }

inline void appendU8(QByteArray &b, quint8 v) { b.append(char(v)); }
inline void appendU16(QByteArray &b, quint16 v)
{
    char le[2];
    qToLittleEndian(v, le);
    b.append(le, 2);
}
inline void appendU32(QByteArray &b, quint32 v)
{
    char le[4];
    qToLittleEndian(v, le);
    b.append(le, 4);
}

// Jet 4 text is UCS-2 little-endian, uncompressed, with no length or terminator.
inline QByteArray ucs2(const QString &text)
{
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(text.utf16(), text.size(), out.data());
    return out;
}

} // namespace pack::jet
