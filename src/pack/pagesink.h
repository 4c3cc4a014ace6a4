#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace pack::jet {

// Hands out page numbers and writes finished pages at their place in the
// output. Pages may finish out of order (a table keeps a data page and a
// long-value page open at once), so a page written past the current end is
// preceded by zero pages that the later page overwrites: no byte of the file
// is ever left to chance.
class PageSink final
{
public:
    explicit PageSink(QIODevice *out);

    quint32 allocate() { return m_allocated++; }
    quint32 allocated() const { return m_allocated; }

    bool write(quint32 page, const QByteArray &bytes);
    // Fills any page allocated but never written, so the file ends on a whole page.
    bool finish();

    QString error() const { return m_error; }

private:
    bool extendTo(quint32 pages);

    QIODevice *m_out;
    quint32 m_allocated = 0;
    quint32 m_written = 0; // pages physically present in the output
    QString m_error;
};

} // namespace pack::jet
