#pragma once

#include "tablesnapshot.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace data {

struct StoredQuery
{
    QString name;
    QString sql;     // the statement, rebuilt from the parts Jet stores
    QString problem; // why it could not be rebuilt, when sql is empty
};

struct JetContents
{
    int jetVersion = 4; // 3 for Access 97 files
    std::vector<std::shared_ptr<const TableSnapshot>> tables;
    QList<StoredQuery> queries;
};

// Reads every user table and every stored query of a Jet file. The file is
// never written. libmdb does the reading in a child process that streams the
// rows back through a pipe: a damaged file that trips libmdb ends that child
// (or stalls it, and it is stopped), never this program. Jet 3 text is read
// as Windows-1256, the Arabic code page. No value is cut, however long.
// Returns false with a message that names the file when it cannot be read.
bool readJetFile(const QString &path, JetContents *out, QString *error);

} // namespace data
