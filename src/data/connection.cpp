#include "connection.h"

#include "engine.h"
#include "resultset.h"

#include <QDir>
#include <QFileInfo>

namespace data {

const QString Connection::DefaultConnectionString =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=varostel.mdb;Persist Security Info=False");

Connection::Connection(QObject *parent)
    : QObject(parent)
    , m_connectionString(DefaultConnectionString)
{
    setObjectName(QStringLiteral("ADOConnection1"));
}

Connection::~Connection() = default;

QString Connection::dataSource() const
{
    for (const QString &part : m_connectionString.split(u';')) {
        const QString key = part.section(u'=', 0, 0).trimmed();
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            return part.section(u'=', 1).trimmed();
    }
    return {};
}

QString Connection::filePath() const
{
    return QDir::current().absoluteFilePath(dataSource());
}

bool Connection::open(QString *error)
{
    return isOpen() || load(error);
}

bool Connection::load(QString *error)
{
    const QString path = filePath();
    const QFileInfo before(path);
    JetContents contents;
    if (!readJetFile(path, &contents, error)) {
        m_engine.reset();
        return false;
    }
    m_engine = std::make_unique<Engine>(std::move(contents));
    m_loadedPath = path;
    m_loadedSize = before.size();
    m_loadedTime = before.lastModified();
    return true;
}

bool Connection::changedOnDisk() const
{
    const QFileInfo now(filePath());
    return now.absoluteFilePath() != m_loadedPath || !now.exists() || now.size() != m_loadedSize
           || now.lastModified() != m_loadedTime;
}

bool Connection::execute(const QString &statement, ResultSet *result, QString *error)
{
    if (isOpen() && changedOnDisk()) {
        if (!load(error))
            return false;
    }
    if (!open(error))
        return false;
    if (m_engine->run(statement, result, error))
        return true;
    const QString missing = QStringLiteral("no such table: ");
    if (error->startsWith(missing))
        *error = QStringLiteral("The table or query '%1' is not in the database '%2'.")
                     .arg(error->mid(missing.size()).section(u'.', -1), m_loadedPath); // the engine says "main.x"
    return false;
}

} // namespace data
