// The connection, the datasets the windows bind to, and opening at start-up,
// over small collections built from fixtures/collection.json.

#include "category.h"
#include "connection.h"
#include "dataset.h"
#include "datasets.h"
#include "engine.h"
#include "errorreport.h"
#include "jetfiles.h"
#include "resultmodel.h"
#include "statements.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <utime.h>

using namespace testsupport;

namespace {

class RecordedReport final : public data::ErrorReport
{
public:
    QStringList texts;
    void report(const QString &message) override { texts.append(data::withFullStop(message)); }
};

QJsonObject fixture()
{
    QFile f(QStringLiteral(VAROSTEL_SOURCE_DIR "/tests/data/fixtures/collection.json"));
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

// The fixture with changes: tables or queries dropped by name, or a column dropped from a table.
QJsonObject without(QJsonObject source, const QStringList &objects, const QString &table = {}, const QString &column = {})
{
    for (const QString &key : {QStringLiteral("tables"), QStringLiteral("queries")}) {
        QJsonArray kept;
        for (const QJsonValue &v : source.value(key).toArray()) {
            QJsonObject o = v.toObject();
            if (objects.contains(o.value(QStringLiteral("name")).toString()))
                continue;
            if (o.value(QStringLiteral("name")).toString() == table) {
                QJsonArray columns = o.value(QStringLiteral("columns")).toArray();
                QJsonArray rows = o.value(QStringLiteral("rows")).toArray();
                int drop = -1;
                for (int c = 0; c < columns.size(); ++c) {
                    if (columns.at(c).toObject().value(QStringLiteral("name")).toString() == column)
                        drop = c;
                }
                columns.removeAt(drop);
                for (int r = 0; r < rows.size(); ++r) {
                    QJsonArray row = rows.at(r).toArray();
                    row.removeAt(drop);
                    rows[r] = row;
                }
                o.insert(QStringLiteral("columns"), columns);
                o.insert(QStringLiteral("rows"), rows);
            }
            kept.append(o);
        }
        source.insert(key, kept);
    }
    return source;
}

QStringList titles(const data::Dataset &d)
{
    QStringList out;
    const int c = d.result().columnIndex(data::TitleField);
    for (int r = 0; r < d.result().rowCount(); ++r)
        out.append(d.result().text(r, c));
    return out;
}

} // namespace

class TestDatasets final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_home;

    // Builds varostel.mdb in a fresh folder and makes it the working directory.
    QString enter(const QJsonObject &collection, const QString &folder)
    {
        const QString path = m_dir.filePath(folder);
        QDir().mkpath(path);
        const QString error = packJson(QString::fromUtf8(QJsonDocument(collection).toJson()), path + QStringLiteral("/varostel.mdb"));
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        QDir::setCurrent(path);
        return path + QStringLiteral("/varostel.mdb");
    }

private slots:
    void initTestCase() { m_home = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_home); }

    void connectionStringNamesTheFile()
    {
        data::Connection connection;
        QCOMPARE(connection.objectName(), QStringLiteral("ADOConnection1"));
        QCOMPARE(connection.connectionString(),
                 QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=varostel.mdb;Persist Security Info=False"));
        QCOMPARE(connection.dataSource(), QStringLiteral("varostel.mdb"));
    }

    // The whole start-up on a good file: every query open on its first record, no report.
    void startupOpensEveryQuery()
    {
        enter(fixture(), QStringLiteral("good"));
        data::Datasets datasets;
        RecordedReport report;
        datasets.openAll(report);
        QCOMPARE(report.texts, QStringList());
        const QHash<QString, int> counts = {{QStringLiteral("kolliyat"), 3}, {QStringLiteral("moghadamat"), 4},
                                            {QStringLiteral("vajeb"), 2},    {QStringLiteral("mostahab"), 0},
                                            {QStringLiteral("namaz"), 3},    {QStringLiteral("motefar"), 5},
                                            {QStringLiteral("tovrin"), 17}};
        for (const data::Category &c : data::categories()) {
            data::Dataset *q = datasets.query(c);
            QVERIFY(q->isOpen());
            QVERIFY(datasets.companion(c)->isOpen());
            int count = -1;
            QString error;
            QVERIFY(q->recordCount(&count, &error));
            QCOMPARE(count, counts.value(c.key));
            QCOMPARE(q->currentRow(), count ? 0 : -1);
            QCOMPARE(q->sql(), c.defaultSql());
        }
        data::Dataset *q = datasets.query(data::categories().first());
        QCOMPARE(q->field(data::TitleField), QStringLiteral("آداب تلاوت قرآن"));
        QCOMPARE(q->field(data::AnswerField), QStringLiteral("پاسخ: abcabc و aaaa\r\nوَرَتِّلِ الْقُرْآنَ تَرْتِيلًا"));
        // A further column is fetched with the rest and changes nothing.
        QCOMPARE(datasets.query(*data::categoryByKey(QStringLiteral("namaz")))->result().columnCount(), 5);
    }

    void startupFailures_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("expected"); // %1 stands for the file's full path
        QTest::addColumn<QStringList>("closed");

        const QString missing = QStringLiteral("Could not find file '%1'.");
        QTest::newRow("no file: fifteen reports, in order") << QStringLiteral("none") << QStringList() << QString() << QString()
                                                           << QStringList(15, missing)
                                                           << QStringList({QStringLiteral("Qkolliyat"), QStringLiteral("qtovrin")});
        // The companion Qvajeb is a stored query over vajeb: it fails too.
        QTest::newRow("a category table missing: its companion and query alone")
            << QStringLiteral("notable") << QStringList({QStringLiteral("vajeb")}) << QString() << QString()
            << QStringList(2, QStringLiteral("The table or query 'vajeb' is not in the database '%1'."))
            << QStringList({QStringLiteral("Qvajeb")});
        QTest::newRow("a companion missing: its own report, nothing else")
            << QStringLiteral("nocompanion") << QStringList({QStringLiteral("Qmotefar")}) << QString() << QString()
            << QStringList({QStringLiteral("The table or query 'Qmotefar' is not in the database '%1'.")}) << QStringList();
        QTest::newRow("a field missing: named with the first view bound to it")
            << QStringLiteral("nofield") << QStringList() << QStringLiteral("moghadamat") << QStringLiteral("pasokh")
            << QStringList({QStringLiteral("Memopamoghadamat: Field 'pasokh' not found.")}) << QStringList();
    }

    void startupFailures()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, dropped);
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, closed);
        QString path;
        if (folder == QLatin1String("none")) {
            QDir().mkpath(m_dir.filePath(folder));
            QDir::setCurrent(m_dir.filePath(folder));
            path = m_dir.filePath(folder) + QStringLiteral("/varostel.mdb");
        } else {
            path = enter(without(fixture(), dropped, table, column), folder);
        }
        data::Datasets datasets;
        RecordedReport report;
        datasets.openAll(report);
        for (QString &e : expected)
            e.replace(QStringLiteral("%1"), path);
        QCOMPARE(report.texts, expected);
        for (const data::Category &c : data::categories())
            QCOMPARE(datasets.query(c)->isOpen(), !closed.contains(c.query) && folder != QLatin1String("none"));
        QVERIFY(!QFile::exists(path) || folder != QLatin1String("none")); // nothing was created
    }

    // Operations on one query, each a row: what it does at the ends, on an empty result, when closed.
    void navigation_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("error");

        QTest::newRow("next steps on") << QStringLiteral("motefar") << QStringList({QStringLiteral("next"), QStringLiteral("next")}) << 2 << QString();
        QTest::newRow("next on the last stays") << QStringLiteral("vajeb") << QStringList({QStringLiteral("last"), QStringLiteral("next")}) << 1 << QString();
        QTest::newRow("prior on the first stays") << QStringLiteral("vajeb") << QStringList({QStringLiteral("prior")}) << 0 << QString();
        QTest::newRow("last then first") << QStringLiteral("motefar") << QStringList({QStringLiteral("last"), QStringLiteral("first")}) << 0 << QString();
        QTest::newRow("nothing moves on an empty result")
            << QStringLiteral("mostahab") << QStringList({QStringLiteral("next"), QStringLiteral("last"), QStringLiteral("prior")}) << -1 << QString();
        QTest::newRow("a closed query refuses")
            << QStringLiteral("kolliyat") << QStringList({QStringLiteral("close"), QStringLiteral("next")}) << -1
            << QStringLiteral("Qkolliyat: Cannot perform this operation on a closed dataset");
        QTest::newRow("a changed SQL text closes the query")
            << QStringLiteral("namaz") << QStringList({QStringLiteral("clear"), QStringLiteral("first")}) << -1
            << QStringLiteral("Qnamaz: Cannot perform this operation on a closed dataset");
    }

    void navigation()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, moves);
        QFETCH(int, row);
        QFETCH(QString, error);
        enter(fixture(), QStringLiteral("nav"));
        data::Datasets datasets;
        RecordedReport report;
        datasets.openAll(report);
        data::Dataset *q = datasets.query(*data::categoryByKey(key));
        QString failure;
        for (const QString &move : moves) {
            if (move == QLatin1String("close"))
                q->close();
            else if (move == QLatin1String("clear"))
                q->clearSql();
            else if (move == QLatin1String("next"))
                q->next(&failure);
            else if (move == QLatin1String("prior"))
                q->prior(&failure);
            else if (move == QLatin1String("first"))
                q->first(&failure);
            else if (move == QLatin1String("last"))
                q->last(&failure);
        }
        QCOMPARE(q->currentRow(), row);
        QCOMPARE(failure, error);
        int count = 0;
        QCOMPARE(q->recordCount(&count, &failure), error.isEmpty());
    }

    void statementBuilding_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        const QString prefix = data::titleFilterPrefix(QStringLiteral("kolliyat"));
        QTest::newRow("plain") << QStringLiteral("abc") << prefix + QStringLiteral("'%abc%'");
        QTest::newRow("quotes doubled") << QStringLiteral("a'b''") << prefix + QStringLiteral("'%a''b''''%'");
        QTest::newRow("wildcards live") << QStringLiteral("%_") << prefix + QStringLiteral("'%%_%'");
        QTest::newRow("blanks kept") << QStringLiteral(" a ") << prefix + QStringLiteral("'% a %'");
    }

    void statementBuilding()
    {
        QFETCH(QString, typed);
        QFETCH(QString, line);
        QCOMPARE(data::likeStatement(data::titleFilterPrefix(QStringLiteral("kolliyat")), typed), line);
        QCOMPARE(data::titleFilterPrefix(QStringLiteral("gheraat")), QStringLiteral("SELECT * FROM gheraat where kholase like "));
        QCOMPARE(data::titleCancelStatement(QStringLiteral("gheraat")), QStringLiteral("SELECT * FROM gheraat "));
    }

    // The statements the filter and the searches build, through the dataset.
    void statements_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("titles");

        const QString prefix = QStringLiteral("SELECT * FROM kolliyat where kholase like ");
        QTest::newRow("Persian kaf and yeh typed, Arabic forms stored") << prefix + QStringLiteral("'%کتاب%'") << QStringList({QStringLiteral("كتاب و قرائت")});
        QTest::newRow("alef with madda and plain alef") << prefix + QStringLiteral("'%اداب%'") << QStringList({QStringLiteral("آداب تلاوت قرآن")});
        QTest::newRow("a doubled quote is a quote") << prefix + QStringLiteral("'%O''Brien%'") << QStringList({QStringLiteral("O'Brien's 100% title")});
        QTest::newRow("percent typed is a wildcard") << prefix + QStringLiteral("'%O%title%'") << QStringList({QStringLiteral("O'Brien's 100% title")});
        QTest::newRow("underscore is one character") << prefix + QStringLiteral("'%1_0%'") << QStringList({QStringLiteral("O'Brien's 100% title")});
        QTest::newRow("Latin without case") << prefix + QStringLiteral("'%o''brien%'") << QStringList({QStringLiteral("O'Brien's 100% title")});
        QTest::newRow("blanks are kept") << prefix + QStringLiteral("'% تلاوت %'") << QStringList({QStringLiteral("آداب تلاوت قرآن")});
        QTest::newRow("nothing found is an empty result") << prefix + QStringLiteral("'%zzz%'") << QStringList();
        QTest::newRow("the function path folds alike")
            << QStringLiteral("SELECT * FROM (SELECT * FROM kolliyat) where kholase like '%کتاب%'") << QStringList({QStringLiteral("كتاب و قرائت")});
        QTest::newRow("answer search over varostel")
            << QStringLiteral("SELECT * FROM varostel where pasokh like '%ANSWER with case%'") << QStringList({QStringLiteral("O'Brien's 100% title")});
    }

    void statements()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, titles);
        enter(fixture(), QStringLiteral("statements"));
        data::Connection connection;
        data::Dataset q(&connection, QStringLiteral("Qkolliyat"));
        q.addSql(line);
        QCOMPARE(q.statement(), line + QStringLiteral("\r\n"));
        QString error;
        QVERIFY2(q.open(&error), qPrintable(error));
        QCOMPARE(::titles(q), titles);
    }

    void readOnlyAndOneStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("a write") << QStringLiteral("DELETE FROM kolliyat");
        QTest::newRow("two statements") << QStringLiteral("SELECT * FROM kolliyat; DROP TABLE kolliyat");
        QTest::newRow("attaching a file") << QStringLiteral("ATTACH 'x.db' AS x");
        QTest::newRow("a syntax error") << QStringLiteral("SELECT * FROM");
    }

    void readOnlyAndOneStatement()
    {
        QFETCH(QString, sql);
        const QString mdb = enter(fixture(), QStringLiteral("readonly"));
        data::Connection connection;
        data::Dataset q(&connection, QStringLiteral("Qkolliyat"));
        q.addSql(sql);
        QString error;
        QVERIFY(!q.open(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!q.isOpen());
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList({QStringLiteral("varostel.mdb"), QStringLiteral("varostel.mdb.json")}));
    }

    // Another program changes the file: a reopened query sees it, an open one keeps its rows.
    void fileChangedOnDisk()
    {
        const QString mdb = enter(fixture(), QStringLiteral("changing"));
        data::Datasets datasets;
        RecordedReport report;
        datasets.openAll(report);
        data::Dataset *kolliyat = datasets.query(data::categories().at(0));
        data::Dataset *vajeb = datasets.query(data::categories().at(2));
        QCOMPARE(kolliyat->result().rowCount(), 3);

        QJsonObject changed = without(fixture(), {QStringLiteral("kolliyat")});
        QJsonArray tables = changed.value(QStringLiteral("tables")).toArray();
        QJsonObject table = fixture().value(QStringLiteral("tables")).toArray().at(0).toObject();
        table.insert(QStringLiteral("rows"), QJsonArray{QJsonArray{QStringLiteral("تازه"), QStringLiteral("پ"), QStringLiteral("پ"), QStringLiteral("پ")}});
        tables.prepend(table);
        changed.insert(QStringLiteral("tables"), tables);
        QCOMPARE(packJson(QString::fromUtf8(QJsonDocument(changed).toJson()), mdb), QString());
        const utimbuf later{time(nullptr) + 5, time(nullptr) + 5};
        utime(QFile::encodeName(mdb).constData(), &later);

        QString error;
        kolliyat->close();
        QVERIFY2(kolliyat->open(&error), qPrintable(error));
        QCOMPARE(titles(*kolliyat), QStringList({QStringLiteral("تازه")}));
        QCOMPARE(vajeb->result().rowCount(), 2);
        QCOMPARE(vajeb->field(data::TitleField), QStringLiteral("واجب عنوان 1"));

        QFile::remove(mdb);
        kolliyat->close();
        QVERIFY(!kolliyat->open(&error));
        QCOMPARE(error, QStringLiteral("Could not find file '%1'.").arg(mdb));
        QCOMPARE(vajeb->field(data::TitleField), QStringLiteral("واجب عنوان 1"));
    }

    // Row sources may be stored queries; one the engine cannot run says why.
    void storedQueriesAsRowSources()
    {
        QJsonObject c = fixture();
        QJsonArray tables = c.value(QStringLiteral("tables")).toArray();
        QJsonObject data = tables.at(1).toObject();
        data.insert(QStringLiteral("name"), QStringLiteral("moghadamat_all"));
        tables[1] = data;
        c.insert(QStringLiteral("tables"), tables);
        QJsonArray queries = c.value(QStringLiteral("queries")).toArray();
        queries.append(QJsonObject{{QStringLiteral("name"), QStringLiteral("moghadamat")},
                                   {QStringLiteral("sql"), QStringLiteral("SELECT * FROM moghadamat_all WHERE kholase <> 'مقدمه عنوان 2'")}});
        queries.append(QJsonObject{{QStringLiteral("name"), QStringLiteral("Qbroken")},
                                   {QStringLiteral("sql"), QStringLiteral("SELECT Nz(kholase, 1) FROM kolliyat")}});
        c.insert(QStringLiteral("queries"), queries);
        enter(c, QStringLiteral("queries"));

        data::Datasets datasets;
        RecordedReport report;
        datasets.openAll(report);
        QCOMPARE(report.texts, QStringList());
        data::Dataset *q = datasets.query(data::categories().at(1));
        QCOMPARE(titles(*q), QStringList({QStringLiteral("مقدمه عنوان 1"), QStringLiteral("مقدمه عنوان 3"), QStringLiteral("مقدمه عنوان 4")}));
        q->clearSql();
        q->addSql(QStringLiteral("SELECT * FROM moghadamat where kholase like '%3%'"));
        QString error;
        QVERIFY2(q->open(&error), qPrintable(error));
        QCOMPARE(titles(*q), QStringList({QStringLiteral("مقدمه عنوان 3")}));

        data::Dataset broken(datasets.connection(), QStringLiteral("ADOTable9"));
        broken.setTableName(QStringLiteral("Qbroken"));
        QVERIFY(!broken.open(&error));
        QVERIFY2(error.contains(QStringLiteral("Qbroken")) && error.contains(QStringLiteral("Nz")), qPrintable(error));
    }

    void gridModel()
    {
        enter(fixture(), QStringLiteral("model"));
        data::Datasets datasets;
        RecordedReport report;
        datasets.openAll(report);
        data::Dataset *q = datasets.query(data::categories().at(5));
        data::ResultModel model(q, data::TitleField, QStringLiteral("عنوان پرسش ها"));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("عنوان پرسش ها"));
        QCOMPARE(model.index(4, 0).data().toString(), QStringLiteral("مرکز عنوان 5"));
        QSignalSpy current(q, &data::Dataset::currentChanged);
        QVERIFY(q->setCurrentRow(3));
        QCOMPARE(q->field(data::FootnoteField), QStringLiteral("پاورقی 4"));
        QCOMPARE(current.size(), 1);
        QVERIFY(!q->setCurrentRow(5));
        q->clearSql();
        QCOMPARE(model.rowCount(), 0);
        q->addSql(QStringLiteral("SELECT * FROM motefareghe where kholase like '%5%'"));
        QString error;
        QVERIFY(q->open(&error));
        QCOMPARE(model.rowCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDatasets)
#include "tst_datasets.moc"
