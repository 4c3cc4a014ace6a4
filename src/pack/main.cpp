// varostel-pack SOURCE.json -o OUT.mdb: builds a Jet 4 collection from its JSON source.

#include "collectionreader.h"
#include "jetwriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

int usage(FILE *to, int status)
{
    std::fputs("usage: varostel-pack SOURCE.json -o OUT.mdb\n"
               "Writes the tables and stored select queries of SOURCE.json as a Jet 4 (Access 2000-2003) file.\n",
               to);
    return status;
}

int failure(const QString &message)
{
    std::fprintf(stderr, "varostel-pack: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help")))
        return usage(stdout, 0);

    QString source;
    QString output;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("-o") && i + 1 < args.size())
            output = args.at(++i);
        else if (source.isEmpty() && !args.at(i).startsWith(u'-'))
            source = args.at(i);
        else
            return usage(stderr, 2);
    }
    if (source.isEmpty() || output.isEmpty())
        return usage(stderr, 2);

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return failure(source + QStringLiteral(": ") + file.errorString());
    pack::Collection collection;
    QString error;
    // Mapped rather than read: a large source is parsed straight from the page cache.
    const qint64 size = file.size();
    uchar *mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray json = mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), size) : file.readAll();
    if (!pack::readCollection(json, &collection, &error))
        return failure(source + QStringLiteral(": ") + error);
    const pack::WriteResult written = pack::writeJet4(collection, output);
    if (written.fault == pack::WriteResult::Collection)
        return failure(source + QStringLiteral(": ") + written.message);
    if (written.fault == pack::WriteResult::Output)
        return failure(written.message);
    return 0;
}
