#include "pagesink.h"

#include "jetformat.h"

#include <QIODevice>

namespace pack::jet {

PageSink::PageSink(QIODevice *out)
    : m_out(out)
{
}

bool PageSink::extendTo(quint32 pages)
{
    if (m_written >= pages)
        return true;
    static const QByteArray zero(PageSize, '\0');
    if (!m_out->seek(qint64(m_written) * PageSize))
        return m_error = m_out->errorString(), false;
    for (; m_written < pages; ++m_written) {
        if (m_out->write(zero) != PageSize)
            return m_error = m_out->errorString(), false;
    }
    return true;
}

bool PageSink::write(quint32 page, const QByteArray &bytes)
{
    Q_ASSERT(bytes.size() == PageSize);
    Q_ASSERT(page < m_allocated);
    if (!extendTo(page))
        return false;
    if (!m_out->seek(qint64(page) * PageSize) || m_out->write(bytes) != PageSize)
        return m_error = m_out->errorString(), false;
    m_written = std::max(m_written, page + 1);
    return true;
}

bool PageSink::finish()
{
    return extendTo(m_allocated);
}

} // namespace pack::jet
