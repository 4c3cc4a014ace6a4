#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>

namespace data {

class Engine;
class ResultSet;

// ADOConnection1: the one connection to the collection. Its data source comes
// from the connection string, a bare file name looked for in the working
// directory. Opening reads the whole file into an Engine; before each
// statement the file's size and time are looked at, and a file that changed
// on disk is read again, so a reopened query sees what other programs wrote.
// Results already fetched keep what they had.
class Connection final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Connection)

public:
    static const QString DefaultConnectionString;

    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString &connectionString) { m_connectionString = connectionString; }
    QString dataSource() const; // the "Data Source" part of the string
    QString filePath() const;   // the data source in the working directory, absolute

    bool isOpen() const { return m_engine != nullptr; }
    // Opening an open connection does nothing.
    bool open(QString *error);
    // Runs a statement that reads; opens the connection first when it is closed.
    bool execute(const QString &statement, ResultSet *result, QString *error);

    const Engine *engine() const { return m_engine.get(); }

private:
    bool load(QString *error);
    bool changedOnDisk() const;

    QString m_connectionString;
    std::unique_ptr<Engine> m_engine;
    QString m_loadedPath;
    qint64 m_loadedSize = -1;
    QDateTime m_loadedTime;
};

} // namespace data
