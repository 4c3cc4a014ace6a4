// Fuzz target: a file of any bytes named varostel.mdb, opened and imported
// the way the reader does it. Whatever libmdb makes of it happens in the
// reading child; this process must come back with a result or a message.

#include "jetfile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = QStringLiteral("/tmp/varostel-fuzz-%1.mdb").arg(getpid());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    data::JetContents contents;
    QString error;
    if (!data::readJetFile(path, &contents, &error) && error.isEmpty())
        __builtin_trap(); // a failure must always say why
    return 0;
}
