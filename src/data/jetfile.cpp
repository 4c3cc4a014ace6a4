#include "jetfile.h"

#include "accessquery.h"

#include <QFile>
#include <QFileInfo>

#include <glib.h> // before mdbtools.h, which would include it inside extern "C"
#include <mdbtools.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace data {

namespace {

// The stream from the reading child: one tag byte, then its fields; numbers
// are native 32-bit, texts a length and bytes.
enum Tag : char {
    Version = 'V',     // u32 jet version
    TableStart = 'T',  // name, u32 columns, per column: name, u8 kind
    Row = 'R',         // per column: u32 length (NoValue for null) and bytes
    TableEnd = 'E',
    TableRetry = 'A',  // forget the table begun; it comes again whole
    Query = 'Q',       // name, u32 object id
    QueryParts = 'S',  // the catalog of query parts follows as a table
    Failure = 'X',     // text
    Done = 'D',
};

constexpr quint32 NoValue = 0xFFFFFFFF;
constexpr size_t FirstBindSize = 16 * 1024; // libmdb copies a whole buffer per long value: keep it small
constexpr size_t LastBindSize = 64 * 1024 * 1024;
constexpr int StallSeconds = 8; // a child silent this long is taken to be stuck

// ---- the child -------------------------------------------------------------

class Writer final
{
public:
    explicit Writer(int fd)
        : m_fd(fd)
    {
        m_buffer.reserve(Capacity);
    }
    ~Writer() { flush(); }

    void tag(Tag t) { bytes(&t, 1); }
    void u32(quint32 v) { bytes(&v, 4); }
    void text(const char *s, size_t n)
    {
        u32(quint32(n));
        bytes(s, n);
    }
    void text(const char *s) { text(s, std::strlen(s)); }
    void bytes(const void *p, size_t n)
    {
        if (m_buffer.size() + n > Capacity)
            flush();
        if (n > Capacity)
            return writeAll(static_cast<const char *>(p), n);
        m_buffer.append(static_cast<const char *>(p), n);
    }
    void flush()
    {
        writeAll(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }

private:
    static constexpr size_t Capacity = 256 * 1024;

    void writeAll(const char *p, size_t n)
    {
        while (n > 0) {
            const ssize_t w = ::write(m_fd, p, n);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                _exit(4); // the parent is gone
            p += w;
            n -= size_t(w);
        }
    }

    int m_fd;
    std::string m_buffer;
};

bool isLongText(int type)
{
    return type == MDB_MEMO || type == MDB_TEXT;
}

// Sends one table; false when a value filled the bound buffer and may have
// been cut, so the caller sends it again with a larger one.
bool sendTable(MdbHandle *mdb, MdbCatalogEntry *entry, size_t bindSize, Writer &out)
{
    MdbTableDef *table = mdb_read_table(entry);
    if (!table)
        return true; // an unreadable definition: the table is left out and reported missing
    mdb_read_columns(table);
    mdb_rewind_table(table);
    mdb_set_bind_size(mdb, bindSize);
    const unsigned n = table->num_cols;
    std::vector<std::vector<char>> buffers(n, std::vector<char>(bindSize + 8));
    std::vector<int> lengths(n);
    out.tag(TableStart);
    out.text(entry->object_name);
    out.u32(n);
    for (unsigned c = 0; c < n; ++c) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
        out.text(column->name);
        const bool blob = column->col_type == MDB_OLE || column->col_type == MDB_BINARY;
        out.bytes(&blob, 1);
        mdb_bind_column(table, int(c) + 1, buffers[c].data(), &lengths[c]);
    }
    while (mdb_fetch_row(table)) {
        for (unsigned c = 0; c < n; ++c) {
            auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
            // libmdb stops a long value short of the buffer's end without a word.
            if (isLongText(column->col_type) && size_t(std::max(0, lengths[c])) + 8 >= bindSize && bindSize < LastBindSize) {
                out.tag(TableRetry);
                mdb_free_tabledef(table);
                return false;
            }
        }
        out.tag(Row);
        for (unsigned c = 0; c < n; ++c)
            out.text(buffers[c].data(), std::min(size_t(std::max(0, lengths[c])), bindSize));
    }
    out.tag(TableEnd);
    mdb_free_tabledef(table);
    return true;
}

void sendTableWhole(MdbHandle *mdb, MdbCatalogEntry *entry, Writer &out)
{
    for (size_t bind = FirstBindSize; !sendTable(mdb, entry, bind, out); bind *= 4) {
    }
}

[[noreturn]] void readInChild(const QByteArray &path, int fd)
{
    // libmdb talks about every oddity it meets, on both outputs; the user hears from us instead.
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
    }
    setenv("MDB_JET3_CHARSET", "CP1256", 1);
    Writer out(fd);
    MdbHandle *mdb = mdb_open(path.constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_ANY)) {
        out.tag(Failure);
        out.text("unrecognized");
        out.flush();
        _exit(0);
    }
    out.tag(Version);
    out.u32(mdb->f->jet_version == MDB_VER_JET3 ? 3 : 4);

    MdbCatalogEntry *queryParts = nullptr;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry)) {
            sendTableWhole(mdb, entry, out);
        } else if (entry->object_type == MDB_QUERY) {
            out.tag(Query);
            out.text(entry->object_name);
            out.u32(quint32(entry->table_pg & 0x00FFFFFF));
        } else if (entry->object_type == MDB_TABLE && std::strcmp(entry->object_name, "MSysQueries") == 0) {
            queryParts = entry;
        }
    }
    if (queryParts) {
        out.tag(QueryParts);
        sendTableWhole(mdb, queryParts, out);
    }
    out.tag(Done);
    out.flush();
    mdb_close(mdb);
    _exit(0);
}

// ---- the parent ------------------------------------------------------------

class Reader final
{
public:
    // `limit` bounds what the child may send: a damaged file must not make it
    // pour out rows without end.
    Reader(int fd, pid_t child, qint64 limit)
        : m_fd(fd)
        , m_child(child)
        , m_limit(limit)
    {
    }

    bool stalled() const { return m_stalled; }

    bool tag(char *t) { return bytes(t, 1); }
    bool u32(quint32 *v) { return bytes(v, 4); }
    bool text(std::string *s)
    {
        quint32 n = 0;
        if (!u32(&n) || n == NoValue || n > LastBindSize + 16)
            return false;
        s->resize(n);
        return bytes(s->data(), n);
    }
    bool bytes(void *p, size_t n)
    {
        auto *dest = static_cast<char *>(p);
        while (n > 0) {
            if (m_at == m_end && !fill())
                return false;
            const size_t take = std::min(n, size_t(m_end - m_at));
            std::memcpy(dest, m_buffer + m_at, take);
            m_at += take;
            dest += take;
            n -= take;
        }
        return true;
    }
    // A view of the next n bytes when they are already buffered, to spare a copy.
    const char *peek(size_t n)
    {
        if (size_t(m_end - m_at) < n)
            return nullptr;
        const char *p = m_buffer + m_at;
        m_at += n;
        return p;
    }

private:
    bool fill()
    {
        for (;;) {
            pollfd p{m_fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, StallSeconds * 1000);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready == 0) {
                m_stalled = true;
                kill(m_child, SIGKILL);
                return false;
            }
            const ssize_t r = ::read(m_fd, m_buffer, sizeof m_buffer);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                return false;
            m_total += r;
            if (m_total > m_limit) {
                kill(m_child, SIGKILL);
                return false;
            }
            m_at = 0;
            m_end = r;
            return true;
        }
    }

    int m_fd;
    pid_t m_child;
    qint64 m_limit;
    qint64 m_total = 0;
    char m_buffer[256 * 1024];
    ssize_t m_at = 0;
    ssize_t m_end = 0;
    bool m_stalled = false;
};

// Reads one table from the stream into a snapshot; false on a broken stream.
// `retry` is set when the child announced it will send the table again.
bool receiveTable(Reader &in, std::shared_ptr<TableSnapshot> *out, bool *retry)
{
    *retry = false;
    std::string name;
    quint32 columns = 0;
    if (!in.text(&name) || !in.u32(&columns) || columns > 4096)
        return false;
    auto table = std::make_shared<TableSnapshot>(QString::fromUtf8(name));
    for (quint32 c = 0; c < columns; ++c) {
        std::string column;
        bool blob = false;
        if (!in.text(&column) || !in.bytes(&blob, 1))
            return false;
        table->addColumn(QString::fromUtf8(column), blob ? TableSnapshot::Kind::Blob : TableSnapshot::Kind::Text);
    }
    std::string value;
    for (;;) {
        char t = 0;
        if (!in.tag(&t))
            return false;
        if (t == TableEnd)
            break;
        if (t == TableRetry) {
            *retry = true;
            return true;
        }
        if (t != Row)
            return false;
        for (quint32 c = 0; c < columns; ++c) {
            quint32 n = 0;
            if (!in.u32(&n) || n > LastBindSize + 16)
                return false;
            if (const char *p = in.peek(n)) {
                table->appendValue(int(c), p, n, false);
            } else {
                value.resize(n);
                if (!in.bytes(value.data(), n))
                    return false;
                table->appendValue(int(c), value.data(), n, false);
            }
        }
        table->endRow();
    }
    *out = std::move(table);
    return true;
}

bool receiveWholeTable(Reader &in, std::shared_ptr<TableSnapshot> *out)
{
    for (;;) {
        bool retry = false;
        char t = 0;
        if (!receiveTable(in, out, &retry))
            return false;
        if (!retry)
            return true;
        if (!in.tag(&t) || t != TableStart)
            return false;
    }
}

QString quoted(const QString &path)
{
    return QStringLiteral("'") + path + QStringLiteral("'");
}

// iconv keeps a conversion's module loaded while a descriptor is open: opening
// the ones libmdb uses here, once, spares the child from loading code after fork.
void preloadConversions()
{
    static const bool loaded = [] {
        for (const char *from : {"UCS-2LE", "CP1256"}) {
            if (iconv_t cd = iconv_open("UTF-8", from); cd != iconv_t(-1))
                (void)cd; // kept open on purpose
        }
        return true;
    }();
    (void)loaded;
}

} // namespace

bool readJetFile(const QString &path, JetContents *out, QString *error)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    const QFileInfo info(full);
    if (!info.exists())
        return *error = QStringLiteral("Could not find file ") + quoted(full) + u'.', false;
    QFile file(full);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return *error = QStringLiteral("Cannot open the file %1: %2").arg(quoted(full), info.isDir() ? QStringLiteral("it is a folder") : file.errorString()), false;
    // A Jet file opens with a zero byte and its format name; anything else is
    // not handed to libmdb at all.
    const QByteArray head = file.read(0x15);
    file.close();
    if (head.size() < 0x15 || head.at(0) != 0 || head.mid(4, 16) != QByteArray("Standard Jet DB\0", 16)
        || quint8(head.at(0x14)) > 0x06 || info.size() < 2 * 2048)
        return *error = QStringLiteral("Unrecognized database format ") + quoted(full) + u'.', false;

    preloadConversions();
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return *error = QStringLiteral("Cannot read %1: %2").arg(quoted(full), QString::fromLocal8Bit(std::strerror(errno))), false;
    const QByteArray native = QFile::encodeName(full);
    const pid_t child = fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return *error = QStringLiteral("Cannot read %1: %2").arg(quoted(full), QString::fromLocal8Bit(std::strerror(errno))), false;
    }
    if (child == 0) {
        ::close(fds[0]);
        readInChild(native, fds[1]);
    }
    ::close(fds[1]);

    JetContents contents;
    QList<QPair<QString, quint32>> queries;
    std::shared_ptr<TableSnapshot> queryParts;
    bool complete = false;
    bool unrecognized = false;
    {
        // Text never grows past three bytes of UTF-8 for each byte of the file.
        Reader in(fds[0], child, 4 * info.size() + 64 * 1024 * 1024);
        for (bool going = true; going;) {
            char t = 0;
            if (!in.tag(&t))
                break;
            switch (t) {
            case Version: {
                quint32 v = 4;
                going = in.u32(&v);
                contents.jetVersion = int(v);
                break;
            }
            case TableStart: {
                std::shared_ptr<TableSnapshot> table;
                going = receiveWholeTable(in, &table);
                if (going)
                    contents.tables.push_back(std::move(table));
                break;
            }
            case Query: {
                std::string name;
                quint32 id = 0;
                going = in.text(&name) && in.u32(&id);
                queries.append({QString::fromUtf8(name), id});
                break;
            }
            case QueryParts: {
                char start = 0;
                going = in.tag(&start) && start == TableStart && receiveWholeTable(in, &queryParts);
                break;
            }
            case Failure: {
                std::string what;
                in.text(&what);
                unrecognized = true;
                going = false;
                break;
            }
            case Done:
                complete = true;
                going = false;
                break;
            default:
                going = false;
            }
        }
        if (!complete && !unrecognized && !in.stalled())
            kill(child, SIGKILL);
    }
    ::close(fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (unrecognized)
        return *error = QStringLiteral("Unrecognized database format ") + quoted(full) + u'.', false;
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return *error = QStringLiteral("The database file %1 is damaged and cannot be read.").arg(quoted(full)), false;

    for (const auto &[name, id] : queries)
        contents.queries.append(rebuildQuery(name, id, queryParts.get()));
    *out = std::move(contents);
    return true;
}

} // namespace data
